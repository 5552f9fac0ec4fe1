#include "exerciserun.h"
#include "exercises/verrutscher.h"

#include <QSignalSpy>
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

// The draw that gives the shift r out of n gaps.
double drawFor(int r, int n) {
    return (r + 0.5) / n;
}

using VerrutscherRun = ExerciseRun<VerrutscherExercise>;

} // namespace

class VerrutscherTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void misprintShiftsTheWideGaps_data();
    void misprintShiftsTheWideGaps();
    void linesBreakAtWideGaps_data();
    void linesBreakAtWideGaps();
    void setUpSeedsAndShowsDisplayForm_data();
    void setUpSeedsAndShowsDisplayForm();
    void finishedSentenceScoresWordsAndMovesOn();
    void newSentenceKeepsPositionAndPoints();
    void emptySentenceIsNotFinishedByClearing();
};

void VerrutscherTest::misprintShiftsTheWideGaps_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<double>("draw");
    QTest::addColumn<int>("gapCount");
    QTest::addColumn<int>("groupLength");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QString>("line");

    QTest::newRow("r = 0: gaps after every fifth letter")
        << Vater << drawFor(0, 6) << 6 << 5 << 0
        << groups({"Vater", "bring", "tdasA", "utoin", "dieWe", "rksta", "tt."});
    QTest::newRow("r = 1: the first group is V")
        << Vater << drawFor(1, 6) << 6 << 5 << 1
        << groups({"V", "aterb", "ringt", "dasAu", "toind", "ieWer", "kstat", "t."});
    QTest::newRow("r = n - 1 = L: no wide gap")
        << Vater << AlmostOne << 6 << 5 << 5 << groups({"VaterbringtdasAutoindieWerkstatt."});
    QTest::newRow("r > L: no wide gap")
        << QStringLiteral("a b c d e") << drawFor(2, 4) << 4 << 1 << 2 << groups({"abcde"});
    QTest::newRow("L = 1, r = 0: a wide gap after every letter")
        << QStringLiteral("a b c d e") << 0.0 << 4 << 1 << 0
        << groups({"a", "b", "c", "d", "e"}) + WideGap;
    QTest::newRow("two words of 10 letters: one gap at the end")
        << QStringLiteral("Blumen Topf") << AlmostOne << 1 << 10 << 0
        << groups({"BlumenTopf"}) + WideGap;
    QTest::newRow("no blank: evenly spaced")
        << QStringLiteral("Hallo") << 0.5 << 0 << 0 << 0 << groups({"Hallo"});
    QTest::newRow("more blanks than letters: evenly spaced")
        << QStringLiteral("a  b   ") << 0.9 << 5 << 0 << 4 << groups({"ab"});
    QTest::newRow("only blanks") << QStringLiteral("   ") << 0.5 << 3 << 0 << 1 << QString();
}

void VerrutscherTest::misprintShiftsTheWideGaps() {
    QFETCH(QString, sentence);
    QFETCH(double, draw);
    QFETCH(int, gapCount);
    QFETCH(int, groupLength);
    QFETCH(int, shift);
    QFETCH(QString, line);
    SequenceRandom random({draw});
    const Misprint misprint = buildMisprint(sentence, random);
    QCOMPARE(misprint.letters, QString(sentence).remove(QLatin1Char(' ')));
    QCOMPARE(misprint.gapCount, gapCount);
    QCOMPARE(misprint.groupLength, groupLength);
    QCOMPARE(misprint.shift, shift);
    QCOMPARE(misprint.line, line);
    QCOMPARE(random.seedings, 0);
}

void VerrutscherTest::linesBreakAtWideGaps_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("width"); // in characters
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("two groups to a line")
        << groups({"Vater", "bring", "tdasA", "utoin", "dieWe", "rksta", "tt."}) << 25
        << QStringList{"V a t e r    b r i n g", "t d a s A    u t o i n", "d i e W e    r k s t a",
                       "t t ."};
    QTest::newRow("a group wider than a line starts one and breaks between letters")
        << groups({"ab", "cdefghij", "kl"}) << 9 << QStringList{"a b", "c d e f g", "h i j", "k l"};
    QTest::newRow("no wide gap: between any letters")
        << groups({"abcdefg"}) << 5 << QStringList{"a b c", "d e f", "g"};
    QTest::newRow("a wide gap after the last letter")
        << groups({"BlumenTopf"}) + WideGap << 40 << QStringList{"B l u m e n T o p f"};
    QTest::newRow("nothing to show") << QString() << 10 << QStringList();
}

void VerrutscherTest::linesBreakAtWideGaps() {
    QFETCH(QString, line);
    QFETCH(int, width);
    QTEST(breakMisprint(line, [width](const QString& text) { return text.size() <= width; }),
          "lines");
}

void VerrutscherTest::setUpSeedsAndShowsDisplayForm_data() {
    QTest::addColumn<TextCase>("textCase");
    QTest::addColumn<QString>("line");
    QTest::newRow("Großschrift") << TextCase::Upper << groups({"ABC", "DEF", "."});
    QTest::newRow("Normalschrift") << TextCase::Normal << groups({"Abc", "dEf", "."});
}

void VerrutscherTest::setUpSeedsAndShowsDisplayForm() {
    QFETCH(TextCase, textCase);
    // Two blanks: n = 2, L = 3, r = 0 gives wide gaps after the 3rd and 6th letter.
    VerrutscherRun run({QStringLiteral("Ab c dEf.")}, {0.0}, textCase);
    QSignalSpy shown(&run.exercise, &VerrutscherExercise::misprintChanged);
    QSignalSpy focus(&run.exercise, &Exercise::focusInputRequested);
    QVERIFY(run.start());
    QCOMPARE(run.random.seedings, 1);
    QTEST(run.exercise.displayedLine(), "line");
    QCOMPARE(shown.count(), 1);
    QCOMPARE(focus.count(), 1);
    QCOMPARE(run.frame.target(), QStringLiteral("Ab c dEf."));
}

void VerrutscherTest::finishedSentenceScoresWordsAndMovesOn() {
    VerrutscherRun run({Bauer, Vater});
    run.start();
    run.app.points.set(2);
    run.type(Bauer);
    QCOMPARE(run.app.points.value(), 10);
    QCOMPARE(run.dialogs.messages().size(), 1);
    QCOMPARE(run.dialogs.last().icon, Icon::None);
    QCOMPARE(run.app.store.selected(), 1);
    QCOMPARE(run.exercise.misprint().letters, QString(Vater).remove(QLatin1Char(' ')));
    QCOMPARE(run.exercise.answer(), QString());
    QVERIFY(run.exercise.answerIsPrefix());
    QCOMPARE(run.random.seedings, 2);
}

void VerrutscherTest::newSentenceKeepsPositionAndPoints() {
    VerrutscherRun run({Bauer, Vater}, {0.0, drawFor(3, 7)});
    run.start();
    run.frame.nextSentence(run.exercise);
    run.app.points.set(6);
    run.exercise.typeAnswer(QStringLiteral("Vat"));
    const int before = run.exercise.misprint().shift;
    run.frame.setUpAgain(run.exercise);
    QCOMPARE(run.app.store.selected(), 1);
    QCOMPARE(run.frame.target(), Vater);
    QCOMPARE(run.app.points.value(), 6);
    QCOMPARE(run.exercise.answer(), QString());
    QVERIFY(run.exercise.misprint().shift != before);
    QCOMPARE(run.random.seedings, 3);
    QVERIFY(run.dialogs.boxes.isEmpty());
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
