#include "exerciserun.h"
#include "exercises/puzzle.h"

#include <QSignalSpy>
#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

const QString Vater = QStringLiteral("Vater bringt das Auto in die Werkstatt.");
const QString Words19 = QStringLiteral("Wort ").repeated(19);
const QStringList WrongWord{QStringLiteral("Das ist das falsche Wort.\r\r")};

using PuzzleRun = ExerciseRun<PuzzleExercise>;

QStringList tilesOf(const PuzzleRun& run) {
    QStringList result;
    for (int k = 1; k <= PuzzleLayout::TileCount; ++k)
        result.append(run.exercise.tileText(k));
    return result;
}

QStringList padded(QStringList tiles) {
    tiles.resize(PuzzleLayout::TileCount);
    return tiles;
}

} // namespace

class PuzzleTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout_data();
    void layout();
    void dropCheck();
    void sentenceIsSolvedInItsOwnOrder();
    void repeatedAndBlankPiecesAndStrayDrops();
    void tooLongSentencesAreSkipped();
    void noFittingSentenceLeavesExercise();
};

void PuzzleTest::layout_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<TextCase>("textCase");
    QTest::addColumn<QStringList>("tiles");
    QTest::addColumn<QString>("solution");
    QTest::newRow("worked example")
        << Vater << TextCase::Normal
        << padded({"Auto ", "bringt ", "das ", "die ", "in ", "Vater ", "Werkstatt. "})
        << Vater + QLatin1Char(' ');
    QTest::newRow("ß one capital letter")
        << QStringLiteral("Das ist groß.") << TextCase::Upper << padded({"DAS ", "GROẞ. ", "IST "})
        << QStringLiteral("Das ist groß. ");
    QTest::newRow("umlaut beside its base letter, trailing blank kept single")
        << QStringLiteral("Zu Öfen oder Ofen ") << TextCase::Normal
        << padded({"oder ", "Ofen ", "Öfen ", "Zu "}) << QStringLiteral("Zu Öfen oder Ofen ");
    QTest::newRow("19 words get no tiles") << Words19 << TextCase::Normal << padded({}) << Words19;
}

void PuzzleTest::layout() {
    QFETCH(QString, sentence);
    QFETCH(TextCase, textCase);
    QFETCH(QStringList, tiles);
    TextCaseOption option;
    option.set(textCase);
    const PuzzleLayout layout = layOutPuzzle(sentence, option);
    QCOMPARE(layout.tiles, tiles);
    QTEST(layout.solution, "solution");
    QCOMPARE(puzzlePieceCount(sentence), layout.pieceCount);
}

// Kleinschrift shows the capital ẞ of the sentence as ß on its tile; ß is not two s.
void PuzzleTest::dropCheck() {
    const QString strasse = QStringLiteral("Die STRAẞE ist nass ");
    QCOMPARE(checkDrop("Die ", QStringLiteral("straße "), strasse), DropVerdict::Accepted);
    QCOMPARE(checkDrop("Die ", QStringLiteral("strasse "), strasse), DropVerdict::Wrong);
}

void PuzzleTest::sentenceIsSolvedInItsOwnOrder() {
    PuzzleRun run({Vater, QStringLiteral("Hallo")});
    QVERIFY(run.start());
    for (const int tile : {6, 2, 3, 1, 5, 4})
        run.exercise.dropTile(tile);
    QCOMPARE(run.exercise.targetText(), QStringLiteral("Vater bringt das Auto in die "));

    QString shownBeforeNext;
    QObject::connect(&run.exercise, &PuzzleExercise::pieceAccepted, &run.exercise,
                     [&run, &shownBeforeNext] { shownBeforeNext = run.exercise.targetText(); });
    run.exercise.dropTile(7);
    QCOMPARE(run.app.points.value(), 7);
    QCOMPARE(run.dialogs.messages().size(), 1);
    // The view saw the whole sentence before the next puzzle replaced it.
    QCOMPARE(shownBeforeNext, Vater + QLatin1Char(' '));
    QCOMPARE(tilesOf(run), padded({"Hallo "}));
}

void PuzzleTest::repeatedAndBlankPiecesAndStrayDrops() {
    // Tiles: " ", "die ", "die ", "Katze ", "und ".
    PuzzleRun run({QStringLiteral("die  Katze und die")});
    run.start();
    run.exercise.dropTile(3); // the second "die " serves first
    const QStringList before = tilesOf(run);
    for (const int stray : {3, 12, 0, 19})
        run.exercise.dropTile(stray);
    QCOMPARE(tilesOf(run), before);
    QVERIFY(run.dialogs.boxes.isEmpty());
    run.exercise.dropTile(4); // the blank piece must come first
    QCOMPARE(run.dialogs.prompts(), WrongWord);
    for (const int tile : {1, 4, 5, 2})
        run.exercise.dropTile(tile);
    QCOMPARE(run.app.points.value(), 5);
}

void PuzzleTest::tooLongSentencesAreSkipped() {
    PuzzleRun run({Words19, QStringLiteral("Wort ").repeated(25), QStringLiteral("Hallo")});
    QVERIFY(run.start());
    QCOMPARE(run.dialogs.prompts(), QStringList{"Dieser Satz hat zu viele Wörter für das Puzzle.\r"
                                                "Es geht mit dem nächsten Satz weiter.\r\r"});
    QCOMPARE(run.frame.target(), QStringLiteral("Hallo"));
}

void PuzzleTest::noFittingSentenceLeavesExercise() {
    PuzzleRun run({Words19, QStringLiteral("Wort ").repeated(20)});
    run.start();
    QCOMPARE(run.dialogs.prompts(), QStringList{"Kein Satz der Liste passt ins Puzzle:\r"
                                                "Jeder hat mehr als 18 Wörter.\r\r"});
    QCOMPARE(run.frame.running(), nullptr);
    // Without a laid-out puzzle the help tools neither show nor cost.
    run.dialogs.clear();
    run.app.points.set(5);
    run.frame.useLupe(run.exercise);
    run.frame.useRettungsring(run.exercise);
    QVERIFY(run.dialogs.boxes.isEmpty());
    QCOMPARE(run.app.points.value(), 5);
}

QTEST_GUILESS_MAIN(PuzzleTest)
#include "test_puzzle.moc"
