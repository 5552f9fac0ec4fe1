#include "exercises/mosaicpanel.h"

#include "exercises/exerciseframe.h"
#include "exercises/mosaic.h"
#include "exercises/panelstyle.h"
#include "exercises/typinginput.h"
#include "platform/twips.h"
#include "store/appstate.h"

#include <QPainter>

namespace tivoral {

namespace {

// Cell c of row r (both from 1) has its top left corner at 350 · c − 50, 400 · r + 500 twips.
constexpr int CellWidthTwips = 350;
constexpr int CellHeightTwips = 400;
constexpr int CellLeftOffsetTwips = -50;
constexpr int CellTopOffsetTwips = 500;
constexpr double GridFontPoints = 20.25;

constexpr int GridLeftTwips = CellWidthTwips + CellLeftOffsetTwips;
constexpr int GridTopTwips = CellHeightTwips + CellTopOffsetTwips;
constexpr int GridWidthTwips = Mosaic::Columns * CellWidthTwips;
constexpr int GridHeightTwips = Mosaic::Rows * CellHeightTwips;

constexpr int AnswerLeftTwips = 240;
constexpr int AnswerTopTwips = 5880;
constexpr int AnswerWidthTwips = 9135;
constexpr int AnswerHeightTwips = 1575;

} // namespace

PanelNames MosaicPanel::names() {
    return PanelNames{
        .panel = QStringLiteral("mosaicPanel"),
        .band = QStringLiteral("mosaicBand"),
        .abbrechen = QStringLiteral("mosaicLeaveButton"),
        .lupe = QStringLiteral("mosaicLupeButton"),
        .rettungsring = QStringLiteral("mosaicRettungsringButton"),
        .rettungsringToolTip = QStringLiteral("Lösungssatz"),
        .newSentence = QStringLiteral("mosaicNewSentenceButton"),
        .newSentenceToolTip = QStringLiteral("Neues Mosaik"),
        .anleitung = QStringLiteral("mosaicInstructionsButton"),
        .spielrunde = QStringLiteral("mosaicSpielrundeButton"),
        .points = QStringLiteral("mosaicPointsDisplay"),
        .user = QStringLiteral("mosaicUserDisplay"),
        .userToolTip = QStringLiteral("Benutzername"),
        .newSentenceAction = NewSentenceAction::SetUpAgain,
    };
}

MosaicPanel::MosaicPanel(MosaicExercise& exercise, QWidget* parent)
    : ExercisePanel(exercise, names(), parent) {
    auto* grid = new MosaicGridView(exercise, this);
    placeTwips(grid, GridLeftTwips, GridTopTwips, GridWidthTwips, GridHeightTwips);
    followColours(grid, panelstyle::TextRole::Grid);
    connect(&exercise, &MosaicExercise::mosaicChanged, grid, qOverload<>(&QWidget::update));

    input_ = new TypingInput(exercise, QStringLiteral("mosaicAnswerBox"), this);
    placeAnswerBox(input_, AnswerLeftTwips, AnswerTopTwips, AnswerWidthTwips, AnswerHeightTwips);
}

QRect MosaicPanel::cellRect(int index) {
    const int column = index % Mosaic::Columns + 1;
    const int row = index / Mosaic::Columns + 1;
    const int left = CellWidthTwips * column + CellLeftOffsetTwips;
    const int top = CellHeightTwips * row + CellTopOffsetTwips;
    return QRect(QPoint(twips(left), twips(top)),
                 QPoint(twips(left + CellWidthTwips) - 1, twips(top + CellHeightTwips) - 1));
}

void MosaicPanel::focusInput() {
    input_->setFocus(Qt::OtherFocusReason);
}

MosaicGridView::MosaicGridView(const MosaicExercise& exercise, QWidget* parent)
    : QWidget(parent), exercise_(exercise) {
    setObjectName(QStringLiteral("letterGrid"));
    setAccessibleName(QStringLiteral("Buchstabengitter"));
    setFont(gridFont());
}

QFont MosaicGridView::gridFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono"),
                      QStringLiteral("Liberation Mono")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(scaledPoints(GridFontPoints));
    font.setBold(true);
    return font;
}

void MosaicGridView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setFont(font());
    const Mosaic& mosaic = exercise_.mosaic();
    const bool marked = exercise_.isMarked();
    const QColor letters = palette().color(QPalette::WindowText);
    const QColor mark(
        panelstyle::wrongColour(exercise_.frame().app().readingAids.current().highContrast));
    for (int index = 0; index < Mosaic::CellCount; ++index) {
        const QChar character = mosaic.cell(index);
        if (character.isNull())
            continue;
        const bool red = marked && mosaic.isSentenceCell(index);
        painter.setPen(red ? mark : letters);
        painter.drawText(MosaicPanel::cellRect(index).translated(-pos()), Qt::AlignCenter,
                         QString(character));
    }
}

} // namespace tivoral
