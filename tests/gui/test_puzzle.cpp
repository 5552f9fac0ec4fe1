#include "exercises/puzzle.h"
#include "exercises/puzzlepanel.h"
#include "test_mainwindow_fixture.h"

using namespace tivoral;
using namespace tivoral::testing;

namespace {

QList<QLabel*> shownTiles(Program& program) {
    QList<QLabel*> tiles;
    for (int k = 1; k <= PuzzleLayout::TileCount; ++k) {
        auto* tile =
            program.find<QLabel>(QStringLiteral("puzzleTile%1").arg(k).toLatin1().constData());
        if (tile->isVisible())
            tiles.append(tile);
    }
    return tiles;
}

// The puzzle started on a file of the given sentences.
struct PuzzleProgram : Program {
    explicit PuzzleProgram(const QByteArray& sentences = {})
        : Program(sentences.isEmpty() ? Files{} : Files{{QStringLiteral("A.TXT"), sentences}}) {
        click("puzzleStartButton");
        dialogs.clear();
    }
    PuzzlePanel& panel() { return *find<PuzzlePanel>("puzzlePanel"); }
    QString target() { return find<QLabel>("targetField")->text(); }
};

} // namespace

class PuzzleWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sentenceSolvedByDropsOnTarget();
    void tilesStayReadableInsideTheField_data();
    void tilesStayReadableInsideTheField();
    void keyboardPlacesTheFocusedTile();
};

void PuzzleWindowTest::sentenceSolvedByDropsOnTarget() {
    PuzzleProgram program("Vater bringt das Auto in die Werkstatt.\r\nHallo\r\n");
    program.app.textCase.set(TextCase::Upper);
    program.click("puzzleNewSentenceButton");
    program.click("puzzleNewSentenceButton");
    QVERIFY(program.find("puzzlePanel")->isVisible());
    QCOMPARE(program.find<QLabel>("puzzleTile6")->text(), QStringLiteral("VATER"));
    program.app.points.set(4);

    const QList<int> order = {6, 2, 3, 1, 5, 4};
    for (const int tile : order) {
        program.panel().dropTile(tile);
        QVERIFY(!program.find(QStringLiteral("puzzleTile%1").arg(tile).toLatin1().constData())
                     ->isVisible());
    }
    QCOMPARE(program.target(), QStringLiteral("Vater bringt das Auto in die "));
    QCOMPARE(shownTiles(program).size(), 1);
    QVERIFY(program.dialogs.boxes.isEmpty());

    program.panel().dropTile(7);
    QCOMPARE(program.dialogs.prompts(), QStringList{"Der Satz ist fertig!\r\r"});
    QCOMPARE(pointsDisplays(program), QStringList(4, QStringLiteral("11")));
    QCOMPARE(program.target(), QString());
    QCOMPARE(shownTiles(program).size(), 1);
    QCOMPARE(program.find<QLabel>("puzzleTile1")->text(), QStringLiteral("HALLO"));
}

void PuzzleWindowTest::tilesStayReadableInsideTheField_data() {
    QTest::addColumn<QByteArray>("sentence");
    QTest::addColumn<int>("shrunkTiles");
    for (const QString& sentence : Defaults)
        QTest::newRow(qPrintable(sentence)) << sentence.toUtf8() << 0;
    // Sorted onto puzzleTile3, puzzleTile9, puzzleTile14 and puzzleTile16, the tiles next to the
    // right edge.
    QTest::newRow("long words in the right column")
        << QByteArray("Aa Ab Ac Ad Ae Af Ag Ah Ai Aj Ak Al Am Haustürschlüssel Kindergeburtstag "
                      "Regenwurm Zahnputzbecher")
        << 0;
    // Sorted onto puzzleTile1, puzzleTile3 and puzzleTile4, the three tiles of the top row.
    QTest::newRow("three very long words in one row")
        << QByteArray("Apfelbaumplantage Bus Chrysanthemenblüte Donaudampfschifffahrt") << 3;
}

void PuzzleWindowTest::tilesStayReadableInsideTheField() {
    QFETCH(QByteArray, sentence);
    QFETCH(int, shrunkTiles);
    PuzzleProgram program(sentence + "\r\n");
    const QRect field = program.find("tileField")->geometry();
    const QList<QLabel*> tiles = shownTiles(program);
    QCOMPARE(tiles.size(), QString::fromUtf8(sentence).count(QLatin1Char(' ')) + 1);
    for (QLabel* tile : tiles) {
        QVERIFY2(field.contains(tile->geometry()), qPrintable(tile->text()));
        QVERIFY2(tile->width() >= QFontMetrics(tile->font()).horizontalAdvance(tile->text()),
                 qPrintable(tile->text()));
        for (QLabel* other : tiles)
            QVERIFY2(other == tile || !tile->geometry().intersects(other->geometry()),
                     qPrintable(tile->text() + QStringLiteral(" / ") + other->text()));
    }
    const auto shrunk = std::count_if(tiles.begin(), tiles.end(),
                                      [](QLabel* tile) { return tile->font().pointSize() < 18; });
    QCOMPARE(shrunk, shrunkTiles);
}

void PuzzleWindowTest::keyboardPlacesTheFocusedTile() {
    PuzzleProgram program;
    // "NACH" lies on puzzleTile7.
    QWidget* tile = program.find("puzzleTile7");
    tile->setFocus();
    QTest::keyClick(tile, Qt::Key_Space);
    QCOMPARE(program.target(), QStringLiteral("Nach "));
    QVERIFY(!tile->isVisible());
    QTest::keyClick(program.find("puzzleTile6"), Qt::Key_Return);
    QCOMPARE(program.dialogs.prompts(), QStringList{"Das ist das falsche Wort.\r\r"});
}

QTEST_MAIN(PuzzleWindowTest)
#include "test_puzzle.moc"
