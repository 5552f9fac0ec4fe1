#include "exercises/dosensatz.h"
#include "exercises/exerciseframe.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QSet>
#include <QSignalSpy>
#include <QTest>

using namespace tivoral;
using tivoral::testing::AlmostOne;
using tivoral::testing::ScriptedDialogs;
using tivoral::testing::SequenceRandom;

namespace {

const QString Essen = QStringLiteral("Nach dem Essen mache ich meine Hausaufgaben.");
const QString Bauer = QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld.");
const QString Completed = QStringLiteral("Prima, der Satz ist fertig.\r\r");

struct DosensatzRun {
    explicit DosensatzRun(const QStringList& sentences, QList<double> draws = {0.0},
                          TextCase textCase = TextCase::Normal)
        : random(std::move(draws)) {
        app.store.setEntries(sentences);
        app.textCase.set(textCase);
    }
    void typeKeyByKey(const QString& text) {
        for (qsizetype n = 1; n <= text.size(); ++n)
            dosensatz.typeAnswer(text.left(n));
    }

    testing::WorkFolder folder;
    ScriptedDialogs dialogs;
    SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
    ExerciseFrame frame{app};
    Dosensatz dosensatz{frame};
};

} // namespace

class DosensatzTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void piecesOfTheSentence_data();
    void piecesOfTheSentence();
    void shuffleTakesFromTheSortedPool_data();
    void shuffleTakesFromTheSortedPool();
    void everyOrderIsReachable();
    void setUpDoesNotSeed();
    void displayFollowsTheTextCase_data();
    void displayFollowsTheTextCase();
    void finishingBringsOnePointPerPiece();
    void piecesCountForASentenceEndingInABlank();
    void helpNeedsASetUp();
    void instructions();
};

void DosensatzTest::piecesOfTheSentence_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QStringList>("pieces");
    QTest::newRow("one word") << QStringLiteral("Hallo") << QStringList{QStringLiteral("Hallo ")};
    QTest::newRow("trailing blank gets no second blank")
        << QStringLiteral("Der Hund ")
        << QStringList{QStringLiteral("Der "), QStringLiteral("Hund ")};
    QTest::newRow("repeated word gives two pieces")
        << QStringLiteral("die Katze und die Maus")
        << QStringList{QStringLiteral("die "), QStringLiteral("die "), QStringLiteral("Katze "),
                       QStringLiteral("Maus "), QStringLiteral("und ")};
    QTest::newRow("sorted without regard to case, umlauts beside their letter")
        << QStringLiteral("Zug über Ufer am Öl oder Apfel")
        << QStringList{QStringLiteral("am "), QStringLiteral("Apfel "), QStringLiteral("oder "),
                       QStringLiteral("Öl "), QStringLiteral("über "),  QStringLiteral("Ufer "),
                       QStringLiteral("Zug ")};
}

void DosensatzTest::piecesOfTheSentence() {
    QFETCH(QString, sentence);
    QFETCH(QStringList, pieces);
    DosensatzRun run({sentence});
    run.frame.startExercise(run.dosensatz);
    QCOMPARE(run.dosensatz.wordList(), pieces);
    QCOMPARE(run.dosensatz.wordDisplay().size(), pieces.join(QString()).size());
    QVERIFY(run.dosensatz.wordDisplay().endsWith(QLatin1Char(' ')));
    for (const QString& piece : pieces)
        QCOMPARE(run.dosensatz.wordDisplay().count(piece), pieces.count(piece));
}

void DosensatzTest::shuffleTakesFromTheSortedPool_data() {
    QTest::addColumn<QList<double>>("draws");
    QTest::addColumn<QString>("display");
    // Sorted pool of the sentence: "aufs Bauer dem Der fährt Feld. mit Traktor".
    QTest::newRow("always the first: sorted order")
        << QList<double>{0.0} << QStringLiteral("aufs Bauer dem Der fährt Feld. mit Traktor ");
    QTest::newRow("always the last: reverse order")
        << QList<double>{AlmostOne}
        << QStringLiteral("Traktor mit Feld. fährt Der dem Bauer aufs ");
    QTest::newRow("the middle, then the first, in turn")
        << QList<double>{0.5, 0.0} << QStringLiteral("fährt aufs Feld. Bauer mit dem Traktor Der ");
}

void DosensatzTest::shuffleTakesFromTheSortedPool() {
    QFETCH(QList<double>, draws);
    QFETCH(QString, display);
    DosensatzRun run({Bauer}, draws);
    run.frame.startExercise(run.dosensatz);
    QCOMPARE(run.dosensatz.wordDisplay(), display);
    QCOMPARE(run.random.draws, 8);
}

void DosensatzTest::everyOrderIsReachable() {
    // Three pieces: the first draw picks one of 3, the second one of 2, the last takes the rest.
    QSet<QString> orders;
    for (int first = 0; first < 3; ++first) {
        for (int second = 0; second < 2; ++second) {
            DosensatzRun run({QStringLiteral("Ei Brot Apfel")},
                             {(first + 0.5) / 3, (second + 0.5) / 2, 0.0});
            run.frame.startExercise(run.dosensatz);
            orders.insert(run.dosensatz.wordDisplay());
        }
    }
    QCOMPARE(orders.size(), 6);
}

void DosensatzTest::setUpDoesNotSeed() {
    DosensatzRun run({Essen, Bauer});
    run.frame.startExercise(run.dosensatz);
    run.frame.nextSentence(run.dosensatz);
    QCOMPARE(run.random.seedings, 0);
}

void DosensatzTest::displayFollowsTheTextCase_data() {
    QTest::addColumn<int>("textCase");
    QTest::addColumn<QString>("display");
    QTest::newRow("upper") << int(TextCase::Upper) << QStringLiteral("AUFS DER FÄHRT GROß ");
    QTest::newRow("lower") << int(TextCase::Lower) << QStringLiteral("aufs der fährt groß ");
    QTest::newRow("normal") << int(TextCase::Normal) << QStringLiteral("aufs Der fährt groß ");
}

void DosensatzTest::displayFollowsTheTextCase() {
    QFETCH(int, textCase);
    QFETCH(QString, display);
    DosensatzRun run({QStringLiteral("Der fährt groß aufs")}, {0.0},
                     static_cast<TextCase>(textCase));
    run.frame.startExercise(run.dosensatz);
    QCOMPARE(run.dosensatz.wordDisplay(), display);
    QCOMPARE(run.frame.target(), QStringLiteral("Der fährt groß aufs"));
}

void DosensatzTest::finishingBringsOnePointPerPiece() {
    DosensatzRun run({Bauer, Essen});
    run.app.points.set(3);
    run.frame.startExercise(run.dosensatz);
    run.dosensatz.typeAnswer(QStringLiteral("Der b"));
    QVERIFY(!run.dosensatz.answerIsPrefix());

    QSignalSpy replaced(&run.dosensatz, &Dosensatz::answerReplaced);
    run.typeKeyByKey(Bauer);
    QCOMPARE(run.app.points.value(), 3 + 8);
    QCOMPARE(run.dialogs.prompts(), QStringList{Completed});
    QCOMPARE(run.dialogs.last().title, QStringLiteral("Dosensatz"));
    QCOMPARE(run.dialogs.last().icon, Icon::Information);
    // The next sentence is ready with an empty, black input.
    QCOMPARE(run.frame.target(), Essen);
    QCOMPARE(replaced.size(), 1);
    QVERIFY(run.dosensatz.answer().isEmpty());
    QVERIFY(run.dosensatz.answerIsPrefix());
    QCOMPARE(run.dosensatz.wordList().size(), 7);
}

void DosensatzTest::piecesCountForASentenceEndingInABlank() {
    // The editor can store a sentence with a trailing blank: it is one piece, not two words.
    DosensatzRun run({QStringLiteral("Hallo ")});
    run.frame.startExercise(run.dosensatz);
    run.typeKeyByKey(QStringLiteral("Hallo "));
    QCOMPARE(run.app.points.value(), 1);
}

void DosensatzTest::helpNeedsASetUp() {
    DosensatzRun run({Bauer});
    run.app.points.set(5);
    run.frame.useLupe(run.dosensatz);
    run.frame.useRettungsring(run.dosensatz);
    QVERIFY(run.dialogs.boxes.isEmpty());
    run.frame.startExercise(run.dosensatz);
    run.frame.useLupe(run.dosensatz);
    QCOMPARE(run.dialogs.last().prompt.section(QLatin1Char('\r'), 0, 0),
             QStringLiteral("Der  . . ."));
    QCOMPARE(run.app.points.value(), 4);
}

void DosensatzTest::instructions() {
    DosensatzRun run({Bauer});
    run.frame.showInstructions(run.dosensatz);
    QCOMPARE(run.dialogs.last().prompt,
             QStringLiteral("Schreibe den Satz richtig ins helle Feld.\r"
                            "Rechtschreibfehler werden durch eine\r"
                            "ins Rot wechselnde Textschrift gezeigt.\r"
                            "Jedes Wort bringt dir einen Punkt ein.\r"
                            "Die Lupe kostet einen Punktabzug und\r"
                            "der Rettungsring kostet dich 3 Punkte.\r\r"));
    QCOMPARE(run.dialogs.last().title, QStringLiteral("Anleitung"));
}

QTEST_GUILESS_MAIN(DosensatzTest)
#include "test_dosensatz.moc"
