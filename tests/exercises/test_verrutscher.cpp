#include "exerciserun.h"
#include "exercises/verrutscher.h"

#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

const QString Vater = QStringLiteral("Vater bringt das Auto in die Werkstatt.");
const QString Bauer = QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld.");
const QString WideGap = QStringLiteral("   ");

// The letters of each group with one blank after each, the groups joined by wide gaps.
QString groups(const QStringList& parts) {
    QStringList spacedParts;
    for (const QString& part : parts) {
        QString spaced;
        for (const QChar c : part)
            spaced += c + QStringLiteral(" ");
        spacedParts.append(spaced);
    }
    return spacedParts.join(WideGap);
}

using VerrutscherRun = ExerciseRun<VerrutscherExercise>;

} // namespace

class VerrutscherTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void misprintShiftsTheWideGaps_data();
    void misprintShiftsTheWideGaps();
    void linesBreakAtWideGaps();
    void runScoresWordsAndShowsDisplayForm();
    void emptySentenceIsNotFinishedByClearing();
};

void VerrutscherTest::misprintShiftsTheWideGaps_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<double>("draw"); // (r + 0.5) / n gives the shift r out of n gaps
    QTest::addColumn<int>("shift");
    QTest::addColumn<QString>("line");
    QTest::newRow("r = 1: the first group is V")
        << Vater << 1.5 / 6 << 1
        << groups({"V", "aterb", "ringt", "dasAu", "toind", "ieWer", "kstat", "t."});
    QTest::newRow("L = 1, r = 0: a wide gap after every letter")
        << QStringLiteral("a b c d e") << 0.0 << 0 << groups({"a", "b", "c", "d", "e"}) + WideGap;
    QTest::newRow("only blanks") << QStringLiteral("   ") << 0.5 << 1 << QString();
}

void VerrutscherTest::misprintShiftsTheWideGaps() {
    QFETCH(QString, sentence);
    QFETCH(double, draw);
    SequenceRandom random({draw});
    const Misprint misprint = buildMisprint(sentence, random);
    QCOMPARE(misprint.letters, QString(sentence).remove(QLatin1Char(' ')));
    QTEST(misprint.shift, "shift");
    QTEST(misprint.line, "line");
    QCOMPARE(random.seedings, 0);
}

void VerrutscherTest::linesBreakAtWideGaps() {
    // A group wider than a line starts one and breaks between letters.
    const auto fits = [](const QString& text) { return text.size() <= 9; };
    QCOMPARE(breakMisprint(groups({"ab", "cdefghij", "kl"}), fits),
             (QStringList{"a b", "c d e f g", "h i j", "k l"}));
}

void VerrutscherTest::runScoresWordsAndShowsDisplayForm() {
    // Two blanks: n = 2, L = 3, r = 0 gives wide gaps after the 3rd and 6th letter.
    VerrutscherRun run({QStringLiteral("Ab c dEf."), Bauer}, {0.0}, TextCase::Upper);
    QVERIFY(run.start());
    QCOMPARE(run.random.seedings, 1);
    QCOMPARE(run.exercise.displayedLine(), groups({"ABC", "DEF", "."}));
    run.type(QStringLiteral("Ab c dEf."));
    QCOMPARE(run.app.points.value(), 3);
    QCOMPARE(run.dialogs.messages().size(), 1);
    QCOMPARE(run.exercise.misprint().letters, QString(Bauer).remove(QLatin1Char(' ')));
    QCOMPARE(run.exercise.answer(), QString());
    QCOMPARE(run.random.seedings, 2);
}

void VerrutscherTest::emptySentenceIsNotFinishedByClearing() {
    VerrutscherRun run({QString(), Vater});
    QVERIFY(run.start());
    QVERIFY(run.dialogs.boxes.isEmpty());
    QCOMPARE(run.app.store.selected(), 0);
    QCOMPARE(run.app.points.value(), 0);
    QCOMPARE(run.exercise.displayedLine(), QString());
}

QTEST_GUILESS_MAIN(VerrutscherTest)
#include "test_verrutscher.moc"
