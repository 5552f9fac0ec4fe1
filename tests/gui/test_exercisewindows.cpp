// One run per exercise window through its real widgets: keys into the answer box, real drop
// events onto the puzzle's target field, and what only the painted views show.
#include "exercises/mosaic.h"
#include "exercises/mosaicpanel.h"
#include "exercises/puzzle.h"
#include "exercises/puzzlepanel.h"
#include "platform/twips.h"
#include "support/programdriver.h"

#include <QDragEnterEvent>
#include <QImage>
#include <QMimeData>

#include <memory>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

const QString Bauer = QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld.");
const QString Vater = QStringLiteral("Vater bringt das Auto in die Werkstatt.");
const QStringList PointsDisplays = {
    QStringLiteral("dosensatzPointsDisplay"), QStringLiteral("puzzlePointsDisplay"),
    QStringLiteral("mosaicPointsDisplay"), QStringLiteral("verrutscherPointsDisplay")};
// The tiles' own font size, which they leave only when a word would not fit.
constexpr int TileFontPoints = 18;

// Sends the target the drag-enter and drop events a real drag of `mime` would end with, and
// runs the queued check. Returns whether the target accepted the drag.
bool drop(QWidget* target, QMimeData* mime) {
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &dropped);
    QCoreApplication::processEvents();
    return dropped.isAccepted();
}

PuzzleTile* tileShowing(ProgramDriver& program, const QString& word) {
    for (auto* tile : program.main().findChildren<PuzzleTile*>())
        if (tile->isVisible() && tile->text().compare(word, Qt::CaseInsensitive) == 0)
            return tile;
    return nullptr;
}

bool dropTile(ProgramDriver& program, PuzzleTile* tile) {
    const std::unique_ptr<QMimeData> mime(tile->dragData());
    return drop(program.find(QStringLiteral("targetField")), mime.get());
}

enum class Ink { None, Blue, Red };

// The colour a mosaic cell's letter is painted in.
Ink inkAt(const QImage& image, const QRect& cell) {
    bool blue = false;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.red() > 200 && pixel.green() < 90 && pixel.blue() < 90)
                return Ink::Red;
            if (pixel.blue() > 200 && pixel.red() < 170 && pixel.green() < 170)
                blue = true;
        }
    return blue ? Ink::Blue : Ink::None;
}

QList<Ink> paintedInks(ProgramDriver& program) {
    QWidget* grid = program.find(QStringLiteral("letterGrid"));
    const QImage image = grid->grab().toImage();
    QList<Ink> inks;
    for (int index = 0; index < Mosaic::CellCount; ++index)
        inks.append(inkAt(image, MosaicPanel::cellRect(index).translated(-grid->pos())));
    return inks;
}

} // namespace

class ExerciseWindowsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sentenceFinishedThroughTheWidgets_data();
    void sentenceFinishedThroughTheWidgets();
    void puzzleTargetTakesOnlyThisProgramsTiles();
    void puzzleTilesStayReadableInsideTheField_data();
    void puzzleTilesStayReadableInsideTheField();
    void rewardButtonTakesEachExercisesPlace_data();
    void rewardButtonTakesEachExercisesPlace();
    void mosaicPaintsTheSentenceRed();
    void misprintBreaksIntoLinesThatFit();
};

void ExerciseWindowsTest::sentenceFinishedThroughTheWidgets_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("panel");
    // Empty for the puzzle, whose words are dropped.
    QTest::addColumn<QString>("answerBox");
    // Whether the reading view, moved away by the start, keeps its text.
    QTest::addColumn<bool>("readingTextKept");
    QTest::newRow("Dosensatz") << "dosensatzStartButton"
                               << "dosensatzPanel"
                               << "dosensatzAnswerBox" << true;
    QTest::newRow("Satzpuzzle") << "puzzleStartButton"
                                << "puzzlePanel" << QString() << true;
    QTest::newRow("Mosaiksatz") << "mosaicStartButton"
                                << "mosaicPanel"
                                << "mosaicAnswerBox" << false;
    QTest::newRow("Verrutscher Satz") << "verrutscherStartButton"
                                      << "verrutscherPanel"
                                      << "verrutscherAnswerBox" << false;
}

void ExerciseWindowsTest::sentenceFinishedThroughTheWidgets() {
    QFETCH(QString, start);
    QFETCH(QString, answerBox);
    QFETCH(QString, panel);
    QFETCH(bool, readingTextKept);
    ProgramDriver program({{QStringLiteral("A.TXT"), Bauer.toUtf8() + "\r\nHallo Welt.\r\n"}});
    program.app.points.set(5);
    program.click(QStringLiteral("readingViewButton"));
    program.click(start);
    QVERIFY(program.shown(panel));
    QCOMPARE(program.find(panel)->pos(), QPoint(0, 0));
    QVERIFY(!program.shown(QStringLiteral("readingView")));
    QCOMPARE(program.lines(QStringLiteral("readingView")).size(), readingTextKept ? 2 : 0);
    program.dialogs.clear();

    if (answerBox.isEmpty()) {
        auto* focused = qobject_cast<PuzzleTile*>(program.focus());
        QVERIFY(focused && focused->isVisible());
        for (const QString& word : Bauer.split(QLatin1Char(' '))) {
            PuzzleTile* tile = tileShowing(program, word);
            QVERIFY2(tile, qPrintable(word));
            QVERIFY2(dropTile(program, tile), qPrintable(word));
            QVERIFY(!tile->isVisible());
        }
    } else {
        QWidget* box = program.find(answerBox);
        QCOMPARE(program.focus(), box);
        program.type(box, Bauer.left(3));
        QCOMPARE(textColour(box), Black);
        program.type(box, QStringLiteral("x"));
        QCOMPARE(textColour(box), Red);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(textColour(box), Black);
        // Enter is never typed into the answer.
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(program.find<QPlainTextEdit>(answerBox)->toPlainText(), Bauer.left(3));
        program.type(box, Bauer.mid(3));
        QVERIFY(program.find<QPlainTextEdit>(answerBox)->toPlainText().isEmpty());
        QCOMPARE(textColour(box), Black);
    }
    // One box, the sentence's end; the points it brings show on every panel.
    QCOMPARE(program.dialogs.boxes.size(), 1);
    for (const QString& display : PointsDisplays)
        QCOMPARE(program.text(display), QStringLiteral("13"));
}

void ExerciseWindowsTest::puzzleTargetTakesOnlyThisProgramsTiles() {
    ProgramDriver program({{QStringLiteral("A.TXT"), "Der Hund bellt.\r\n"}});
    program.click(QStringLiteral("puzzleStartButton"));
    QMimeData foreign;
    foreign.setText(QStringLiteral("Der"));
    QVERIFY(!drop(program.find(QStringLiteral("targetField")), &foreign));
    QMimeData otherCopy;
    const std::unique_ptr<QMimeData> own(tileShowing(program, QStringLiteral("Der"))->dragData());
    for (const QString& format : own->formats())
        otherCopy.setData(format, "1:" + own->data(format).split(':').constLast());
    QVERIFY(!drop(program.find(QStringLiteral("targetField")), &otherCopy));
    QCOMPARE(program.text(QStringLiteral("targetField")), QString());

    // From the keyboard, Space or Enter places the focused tile.
    PuzzleTile* der = tileShowing(program, QStringLiteral("Der"));
    der->setFocus();
    QTest::keyClick(der, Qt::Key_Space);
    QCOMPARE(program.text(QStringLiteral("targetField")), QStringLiteral("Der "));
    program.dialogs.clear();
    QTest::keyClick(tileShowing(program, QStringLiteral("bellt.")), Qt::Key_Return);
    QCOMPARE(program.dialogs.prompts(), QStringList{"Das ist das falsche Wort.\r\r"});
}

void ExerciseWindowsTest::puzzleTilesStayReadableInsideTheField_data() {
    QTest::addColumn<QByteArray>("sentence");
    QTest::addColumn<int>("shrunkTiles");
    QTest::newRow("a plain sentence") << Bauer.toUtf8() << 0;
    // Sorted onto the tiles next to the right edge of the field.
    QTest::newRow("long words in the right column")
        << QByteArray("Aa Ab Ac Ad Ae Af Ag Ah Ai Aj Ak Al Am Haustürschlüssel Kindergeburtstag "
                      "Regenwurm Zahnputzbecher")
        << 0;
    // Sorted onto the three tiles of the top row.
    QTest::newRow("three very long words in one row")
        << QByteArray("Apfelbaumplantage Bus Chrysanthemenblüte Donaudampfschifffahrt") << 3;
}

void ExerciseWindowsTest::puzzleTilesStayReadableInsideTheField() {
    QFETCH(QByteArray, sentence);
    QFETCH(int, shrunkTiles);
    ProgramDriver program({{QStringLiteral("A.TXT"), sentence + "\r\n"}});
    program.click(QStringLiteral("puzzleStartButton"));
    const QRect field = program.find(QStringLiteral("tileField"))->geometry();
    QList<PuzzleTile*> tiles;
    for (auto* tile : program.main().findChildren<PuzzleTile*>())
        if (tile->isVisible())
            tiles.append(tile);
    QCOMPARE(tiles.size(), sentence.count(' ') + 1);
    for (PuzzleTile* tile : tiles) {
        QVERIFY2(field.contains(tile->geometry()), qPrintable(tile->text()));
        QVERIFY2(tile->width() >= tile->fontMetrics().horizontalAdvance(tile->text()),
                 qPrintable(tile->text()));
        for (PuzzleTile* other : tiles)
            QVERIFY2(other == tile || !tile->geometry().intersects(other->geometry()),
                     qPrintable(tile->text() + QStringLiteral(" / ") + other->text()));
    }
    const auto shrunk = std::count_if(tiles.begin(), tiles.end(), [](PuzzleTile* tile) {
        return tile->font().pointSize() < TileFontPoints;
    });
    QCOMPARE(shrunk, shrunkTiles);
}

void ExerciseWindowsTest::rewardButtonTakesEachExercisesPlace_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("leave");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("left"); // 0: not shown
    QTest::newRow("Dosensatz at the limit") << "dosensatzStartButton"
                                            << "dosensatzLeaveButton" << 100 << 4800;
    QTest::newRow("Dosensatz one below") << "dosensatzStartButton"
                                         << "dosensatzLeaveButton" << 99 << 0;
    QTest::newRow("Mosaiksatz") << "mosaicStartButton"
                                << "mosaicLeaveButton" << 100 << 1800;
}

void ExerciseWindowsTest::rewardButtonTakesEachExercisesPlace() {
    QFETCH(QString, start);
    QFETCH(QString, leave);
    QFETCH(int, points);
    QFETCH(int, left);
    ProgramDriver program;
    program.click(start);
    program.app.points.set(points);
    program.click(leave);
    // The button lies on the panel: hidden with it.
    QVERIFY(!program.shown(leave));
    auto* reward = program.find<QAbstractButton>(QStringLiteral("rewardButton"));
    QCOMPARE(reward->isVisible(), left > 0);
    if (left == 0)
        return;
    QCOMPARE(reward->pos(), QPoint(twips(left), twips(3120)));
    QCOMPARE(reward->text(),
             QStringLiteral("Du kannst dir ein Belohnungsspiel abholen . . .         "));
}

void ExerciseWindowsTest::mosaicPaintsTheSentenceRed() {
    ProgramDriver program({{QStringLiteral("A.TXT"), Vater.toUtf8() + "\r\n"}}, {0.37, 0.81, 0.12});
    program.click(QStringLiteral("mosaicStartButton"));
    const Mosaic& mosaic = program.main().findChild<MosaicExercise*>()->mosaic();
    QList<Ink> unmarked(Mosaic::CellCount, Ink::Blue);
    QList<Ink> marked;
    for (int index = 0; index < Mosaic::CellCount; ++index)
        marked.append(mosaic.isSentenceCell(index) ? Ink::Red : Ink::Blue);
    QCOMPARE(marked.count(Ink::Red), 33);
    QCOMPARE(paintedInks(program), unmarked);

    program.app.points.set(2);
    program.dialogs.clear();
    program.click(QStringLiteral("mosaicRettungsringButton"));
    QVERIFY(program.dialogs.boxes.isEmpty());
    QCOMPARE(paintedInks(program), marked);

    program.click(QStringLiteral("mosaicNewSentenceButton"));
    QCOMPARE(paintedInks(program), unmarked);
}

void ExerciseWindowsTest::misprintBreaksIntoLinesThatFit() {
    ProgramDriver program({{QStringLiteral("A.TXT"), Bauer.toUtf8() + "\r\n"}}, {0.0});
    program.click(QStringLiteral("verrutscherStartButton"));
    auto* misprint = program.find<QLabel>(QStringLiteral("misprintDisplay"));
    const QStringList lines = misprint->text().split(QLatin1Char('\n'));
    QVERIFY(lines.size() > 1);
    const int width = misprint->contentsRect().width() - 2 * misprint->margin();
    for (const QString& line : lines)
        QVERIFY2(misprint->fontMetrics().horizontalAdvance(line) <= width, qPrintable(line));
}

QTEST_MAIN(ExerciseWindowsTest)
#include "test_exercisewindows.moc"
