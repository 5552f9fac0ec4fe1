#include "exercises/mosaic.h"
#include "exercises/mosaicpanel.h"
#include "test_mainwindow_fixture.h"

#include <QImage>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

const QString Vater = QStringLiteral("Vater bringt das Auto in die Werkstatt.");

enum class Ink { None, Blue, Red };

// The colour the cell's letter is painted in, read from the painted grid.
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

struct MosaicProgram : Program {
    explicit MosaicProgram(const QByteArray& sentences, QList<double> draws = {0.37, 0.81, 0.12})
        : Program({{QStringLiteral("A.TXT"), sentences}}, std::move(draws)) {
        click("mosaicStartButton");
        dialogs.clear();
    }
    const MosaicExercise& mosaic() { return *window.findChild<MosaicExercise*>(); }
    QWidget* answer() { return find("mosaicAnswerBox"); }
    // The cells' inks as the grid shows them now.
    QList<Ink> paintedInks() {
        QWidget* grid = find("letterGrid");
        const QImage image = grid->grab().toImage();
        QList<Ink> inks;
        for (int index = 0; index < Mosaic::CellCount; ++index)
            inks.append(inkAt(image, MosaicPanel::cellRect(index).translated(-grid->pos())));
        return inks;
    }
};

} // namespace

class MosaicWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answeredKeyByKeyFinishesAndRotates();
    void rettungsringPaintsExactlyTheSentenceCellsRed();
    void repaintingDoesNotBuildAnew();
};

void MosaicWindowTest::answeredKeyByKeyFinishesAndRotates() {
    MosaicProgram program("Hallo Welt.\r\n" + Vater.toUtf8() + "\r\n");
    program.app.points.set(1);
    program.click("mosaicNewSentenceButton");
    QWidget* answer = program.answer();
    QCOMPARE(program.window.focusWidget(), answer);

    typeKeys(answer, QStringLiteral("hallo"));
    QCOMPARE(textColour(answer), Red);
    for (int k = 0; k < 5; ++k)
        QTest::keyClick(answer, Qt::Key_Backspace);
    QCOMPARE(textColour(answer), Black);
    typeKeys(answer, QStringLiteral("Hallo Welt"));
    QCOMPARE(textColour(answer), Black);
    QVERIFY(program.dialogs.boxes.isEmpty());
    typeKeys(answer, QStringLiteral("."));
    QCOMPARE(program.dialogs.prompts(), QStringList{"Prima, der Satz ist fertig.\r"});
    QCOMPARE(program.dialogs.last().title, QStringLiteral("Mosaiksatz"));
    QCOMPARE(program.find<QLabel>("mosaicPointsDisplay")->text(), QStringLiteral("3"));
    QCOMPARE(program.find<QLabel>("dosensatzPointsDisplay")->text(), QStringLiteral("3"));
    QCOMPARE(program.find<QPlainTextEdit>("mosaicAnswerBox")->toPlainText(), QString());
    QCOMPARE(textColour(answer), Black);
    QCOMPARE(program.mosaic().mosaic().hiddenText,
             QStringLiteral("VATERBRINGTDASAUTOINDIEWERKSTATT."));

    typeKeys(answer, Vater);
    QCOMPARE(program.dialogs.titles(), QStringList({"Mosaiksatz", "Mosaiksatz", "Dosensätze"}));
    QCOMPARE(program.find<QLabel>("verrutscherPointsDisplay")->text(), QStringLiteral("10"));
    QCOMPARE(program.mosaic().mosaic().hiddenText, QStringLiteral("HALLOWELT."));
}

void MosaicWindowTest::rettungsringPaintsExactlyTheSentenceCellsRed() {
    MosaicProgram program(Vater.toUtf8() + "\r\n");
    const Mosaic& mosaic = program.mosaic().mosaic();
    QList<Ink> unmarked;
    QList<Ink> marked;
    for (int index = 0; index < Mosaic::CellCount; ++index) {
        unmarked.append(Ink::Blue);
        marked.append(mosaic.isSentenceCell(index) ? Ink::Red : Ink::Blue);
    }
    QCOMPARE(program.paintedInks(), unmarked);

    program.app.points.set(2);
    program.click("mosaicRettungsringButton");
    QVERIFY(program.dialogs.boxes.isEmpty());
    QCOMPARE(program.paintedInks(), marked);
    QCOMPARE(marked.count(Ink::Red), 33);
    QCOMPARE(program.find<QLabel>("mosaicPointsDisplay")->text(), QStringLiteral("0"));

    program.click("mosaicNewSentenceButton");
    QCOMPARE(program.paintedInks(), unmarked);
}

void MosaicWindowTest::repaintingDoesNotBuildAnew() {
    MosaicProgram program(Vater.toUtf8() + "\r\n");
    const QString grid = program.mosaic().mosaic().grid;
    const int draws = program.random.draws;
    program.find("letterGrid")->repaint();
    program.paintedInks();
    QCOMPARE(program.random.draws, draws);
    QCOMPARE(program.mosaic().mosaic().grid, grid);
}

QTEST_MAIN(MosaicWindowTest)
#include "test_mosaic.moc"
