#include "exerciserun.h"
#include "exercises/puzzle.h"

#include <QSignalSpy>
#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

const QString Vater = QStringLiteral("Vater bringt das Auto in die Werkstatt.");

QString wordsSentence(int words) {
    QStringList list;
    for (int k = 1; k <= words; ++k)
        list.append(QStringLiteral("Wort%1").arg(k));
    return list.join(QLatin1Char(' ')) + QLatin1Char('.');
}

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
    void tilesAreSortedPiecesInDisplayForm_data();
    void tilesAreSortedPiecesInDisplayForm();
    void solutionIsTheJoinedPieces_data();
    void solutionIsTheJoinedPieces();
    void dropCheckComparesTextIgnoringCase_data();
    void dropCheckComparesTextIgnoringCase();
    void sentenceIsSolvedInItsOwnOrder();
    void wrongDropChangesNothing();
    void repeatedWordComesFromEitherTile_data();
    void repeatedWordComesFromEitherTile();
    void emptiedOrMissingTileIsIgnored_data();
    void emptiedOrMissingTileIsIgnored();
    void blankPieceMustBeDroppedInPlace();
    void tooLongSentenceIsSkippedWithMessage();
    void noFittingSentenceLeavesExercise();
    void helpToolsNeedALaidOutPuzzle();
};

void PuzzleTest::tilesAreSortedPiecesInDisplayForm_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<TextCase>("textCase");
    QTest::addColumn<QStringList>("tiles");

    QTest::newRow("worked example")
        << Vater << TextCase::Normal
        << padded({"Auto ", "bringt ", "das ", "die ", "in ", "Vater ", "Werkstatt. "});
    QTest::newRow("Großschrift") << Vater << TextCase::Upper
                                 << padded({"AUTO ", "BRINGT ", "DAS ", "DIE ", "IN ", "VATER ",
                                            "WERKSTATT. "});
    QTest::newRow("ß stays one letter")
        << QStringLiteral("Das ist groß.") << TextCase::Upper << padded({"DAS ", "GROß. ", "IST "});
    QTest::newRow("umlaut beside its base letter")
        << QStringLiteral("Zu Öfen oder Ofen") << TextCase::Normal
        << padded({"oder ", "Ofen ", "Öfen ", "Zu "});
    QTest::newRow("18 words fill every tile")
        << wordsSentence(18) << TextCase::Normal
        << QStringList{"Wort1 ",  "Wort10 ", "Wort11 ", "Wort12 ",  "Wort13 ", "Wort14 ",
                       "Wort15 ", "Wort16 ", "Wort17 ", "Wort18. ", "Wort2 ",  "Wort3 ",
                       "Wort4 ",  "Wort5 ",  "Wort6 ",  "Wort7 ",   "Wort8 ",  "Wort9 "};
    QTest::newRow("19 words get no tiles") << wordsSentence(19) << TextCase::Normal << padded({});
}

void PuzzleTest::tilesAreSortedPiecesInDisplayForm() {
    QFETCH(QString, sentence);
    QFETCH(TextCase, textCase);
    QFETCH(QStringList, tiles);
    TextCaseOption option;
    option.set(textCase);
    QCOMPARE(layOutPuzzle(sentence, option).tiles, tiles);
}

void PuzzleTest::solutionIsTheJoinedPieces_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<int>("pieceCount");
    QTest::addColumn<QString>("solution");

    QTest::newRow("a blank is appended") << Vater << 7 << Vater + QLatin1Char(' ');
    QTest::newRow("two blanks give a blank piece")
        << QStringLiteral("Der  Hund") << 3 << QStringLiteral("Der  Hund ");
    QTest::newRow("trailing blank gets no second one")
        << QStringLiteral("Hallo Welt ") << 2 << QStringLiteral("Hallo Welt ");
    QTest::newRow("19 words") << wordsSentence(19) << 19 << wordsSentence(19) + QLatin1Char(' ');
}

void PuzzleTest::solutionIsTheJoinedPieces() {
    QFETCH(QString, sentence);
    QFETCH(int, pieceCount);
    QFETCH(QString, solution);
    const PuzzleLayout layout = layOutPuzzle(sentence, TextCaseOption());
    QCOMPARE(layout.pieceCount, pieceCount);
    QCOMPARE(puzzlePieceCount(sentence), pieceCount);
    QCOMPARE(layout.solution, solution);
}

void PuzzleTest::dropCheckComparesTextIgnoringCase_data() {
    QTest::addColumn<QString>("targetText");
    QTest::addColumn<QString>("word");
    QTest::addColumn<DropVerdict>("verdict");
    QTest::addColumn<QString>("solution");
    const QString solution = Vater + QLatin1Char(' ');
    const auto row = [&solution](const char* name, const QString& targetText, const QString& word,
                                 DropVerdict verdict, const QString& other = {}) {
        QTest::newRow(name) << targetText << word << verdict
                            << (other.isEmpty() ? solution : other);
    };

    row("first word", {}, "Vater ", DropVerdict::Accepted);
    row("a later word first", {}, "Auto ", DropVerdict::Wrong);
    row("second word", "Vater ", "bringt ", DropVerdict::Accepted);
    row("last word finishes", "Vater bringt das Auto in die ", "Werkstatt. ",
        DropVerdict::Finished);
    row("last word in capitals finishes", "Vater bringt das Auto in die ", "WERKSTATT. ",
        DropVerdict::Finished);
    row("a word beyond the end", solution, "Auto ", DropVerdict::Wrong);
    row("emptied tile", "Vater ", {}, DropVerdict::Ignored);
    // Kleinschrift shows the capital ẞ of the sentence as ß on its tile.
    row("capital sharp s in the sentence, small one on the tile", "Die ", QStringLiteral("straße "),
        DropVerdict::Accepted, QStringLiteral("Die STRAẞE ist nass "));
    row("small sharp s in the sentence, capital one on the tile", "Die ", QStringLiteral("STRAẞE "),
        DropVerdict::Accepted, QStringLiteral("Die Straße ist nass "));
    row("sharp s is not two s", "Die ", QStringLiteral("strasse "), DropVerdict::Wrong,
        QStringLiteral("Die STRAẞE ist nass "));
}

void PuzzleTest::dropCheckComparesTextIgnoringCase() {
    QFETCH(QString, targetText);
    QFETCH(QString, word);
    QFETCH(QString, solution);
    QTEST(checkDrop(targetText, word, solution), "verdict");
}

void PuzzleTest::sentenceIsSolvedInItsOwnOrder() {
    PuzzleRun run({Vater, QStringLiteral("Hallo")});
    QVERIFY(run.start());
    run.app.points.set(3);
    const QList<int> order = {6, 2, 3, 1, 5, 4, 7};
    const QStringList growing = {"Vater ",
                                 "Vater bringt ",
                                 "Vater bringt das ",
                                 "Vater bringt das Auto ",
                                 "Vater bringt das Auto in ",
                                 "Vater bringt das Auto in die "};
    for (int step = 0; step < growing.size(); ++step) {
        run.exercise.dropTile(order.at(step));
        QCOMPARE(run.exercise.targetText(), growing.at(step));
        QCOMPARE(run.exercise.tileText(order.at(step)), QString());
    }
    QCOMPARE(tilesOf(run).count(QString()), PuzzleLayout::TileCount - 1);
    QVERIFY(run.dialogs.boxes.isEmpty());
    QCOMPARE(run.app.points.value(), 3);

    QString shownBeforeNext;
    QObject::connect(&run.exercise, &PuzzleExercise::pieceAccepted, &run.exercise,
                     [&run, &shownBeforeNext] { shownBeforeNext = run.exercise.targetText(); });
    run.exercise.dropTile(7);
    QCOMPARE(run.app.points.value(), 3 + 7);
    QCOMPARE(run.dialogs.messages().size(), 1);
    QCOMPARE(run.dialogs.last().icon, Icon::Information);
    // The view saw the whole sentence before the next puzzle replaced it.
    QCOMPARE(shownBeforeNext, Vater + QLatin1Char(' '));
    QCOMPARE(run.app.store.selected(), 1);
    QCOMPARE(run.exercise.targetText(), QString());
    QCOMPARE(tilesOf(run), padded({"Hallo "}));
}

void PuzzleTest::wrongDropChangesNothing() {
    PuzzleRun run({Vater});
    run.start();
    run.app.points.set(5);
    const QStringList before = tilesOf(run);
    run.exercise.dropTile(1);
    QCOMPARE(run.dialogs.prompts(), QStringList{"Das ist das falsche Wort.\r\r"});
    QCOMPARE(run.dialogs.last().title, QStringLiteral("Puzzlefehler"));
    QCOMPARE(run.dialogs.last().icon, Icon::None);
    QCOMPARE(tilesOf(run), before);
    QCOMPARE(run.exercise.targetText(), QString());
    QCOMPARE(run.app.points.value(), 5);
}

void PuzzleTest::repeatedWordComesFromEitherTile_data() {
    QTest::addColumn<QList<int>>("order");
    // Tiles: "die ", "die ", "Katze ", "Maus ", "und ".
    QTest::newRow("first tile first") << QList<int>{1, 3, 5, 2, 4};
    QTest::newRow("second tile first") << QList<int>{2, 3, 5, 1, 4};
}

void PuzzleTest::repeatedWordComesFromEitherTile() {
    QFETCH(QList<int>, order);
    PuzzleRun run({QStringLiteral("die Katze und die Maus")});
    run.start();
    QCOMPARE(tilesOf(run), padded({"die ", "die ", "Katze ", "Maus ", "und "}));
    for (const int tile : order)
        run.exercise.dropTile(tile);
    QCOMPARE(run.dialogs.titles(), QStringList({"Satzpuzzle", "Dosensätze"}));
    QCOMPARE(run.app.points.value(), 5);
}

void PuzzleTest::emptiedOrMissingTileIsIgnored_data() {
    QTest::addColumn<int>("tile");
    QTest::newRow("emptied tile") << 6;
    QTest::newRow("tile without a word") << 12;
    QTest::newRow("no tile number") << 0;
    QTest::newRow("beyond the last tile") << 19;
}

void PuzzleTest::emptiedOrMissingTileIsIgnored() {
    QFETCH(int, tile);
    PuzzleRun run({Vater});
    run.start();
    run.exercise.dropTile(6);
    const QStringList before = tilesOf(run);
    run.exercise.dropTile(tile);
    QCOMPARE(tilesOf(run), before);
    QCOMPARE(run.exercise.targetText(), QStringLiteral("Vater "));
    QVERIFY(run.dialogs.boxes.isEmpty());
}

void PuzzleTest::blankPieceMustBeDroppedInPlace() {
    PuzzleRun run({QStringLiteral("Der  Hund")});
    run.start();
    const QStringList tiles = tilesOf(run);
    const int blankTile = int(tiles.indexOf(QStringLiteral(" "))) + 1;
    const int derTile = int(tiles.indexOf(QStringLiteral("Der "))) + 1;
    const int hundTile = int(tiles.indexOf(QStringLiteral("Hund "))) + 1;
    QVERIFY(blankTile > 0 && derTile > 0 && hundTile > 0);

    run.exercise.dropTile(derTile);
    run.exercise.dropTile(hundTile);
    QCOMPARE(run.dialogs.prompts(), QStringList{"Das ist das falsche Wort.\r\r"});
    run.exercise.dropTile(blankTile);
    QCOMPARE(run.exercise.targetText(), QStringLiteral("Der  "));
    run.exercise.dropTile(hundTile);
    QCOMPARE(run.app.points.value(), 3);
}

void PuzzleTest::tooLongSentenceIsSkippedWithMessage() {
    PuzzleRun run({wordsSentence(19), wordsSentence(25), QStringLiteral("Hallo")});
    QVERIFY(run.start());
    QCOMPARE(run.dialogs.prompts(), QStringList{"Dieser Satz hat zu viele Wörter für das Puzzle.\r"
                                                "Es geht mit dem nächsten Satz weiter.\r\r"});
    QCOMPARE(run.app.store.selected(), 2);
    QCOMPARE(run.frame.target(), QStringLiteral("Hallo"));
    QCOMPARE(tilesOf(run), padded({"Hallo "}));

    // Finishing it comes round to the long ones again, and past them to the same sentence.
    run.dialogs.clear();
    run.exercise.dropTile(1);
    QCOMPARE(run.dialogs.titles(), QStringList({"Satzpuzzle", "Dosensätze", "Satzpuzzle"}));
    QCOMPARE(run.app.store.selected(), 2);
    QCOMPARE(run.app.points.value(), 1);
}

void PuzzleTest::noFittingSentenceLeavesExercise() {
    PuzzleRun run({wordsSentence(19), wordsSentence(20)});
    QSignalSpy hidden(&run.frame, &ExerciseFrame::panelHidden);
    run.start();
    QCOMPARE(run.dialogs.prompts(), QStringList{"Kein Satz der Liste passt ins Puzzle:\r"
                                                "jeder hat mehr als 18 Wörter.\r\r"});
    QCOMPARE(hidden.count(), 1);
    QCOMPARE(run.frame.running(), nullptr);
    QCOMPARE(tilesOf(run), padded({}));
}

void PuzzleTest::helpToolsNeedALaidOutPuzzle() {
    PuzzleRun run({wordsSentence(19)});
    run.start();
    run.dialogs.clear();
    run.app.points.set(5);
    run.frame.useLupe(run.exercise);
    run.frame.useRettungsring(run.exercise);
    QVERIFY(run.dialogs.boxes.isEmpty());
    QCOMPARE(run.app.points.value(), 5);
}

QTEST_GUILESS_MAIN(PuzzleTest)
#include "test_puzzle.moc"
