#include "exercises/puzzlepanel.h"

#include "exercises/exerciseframe.h"
#include "exercises/panelstyle.h"
#include "exercises/puzzle.h"
#include "platform/twips.h"
#include "store/appstate.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QFocusEvent>
#include <QMimeData>
#include <QPixmap>

#include <algorithm>

namespace tivoral {

namespace {

const QString TileMimeType = QStringLiteral("application/x-tivoral-puzzle-tile");
// The program's process id keeps a tile of another running copy from counting here.
QByteArray tileDragData(int number) {
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
           QByteArray::number(number);
}

const QString TargetMeaning = QStringLiteral("Blaues Feld für den Satz");

// Left and top of puzzleTile1 … puzzleTile18, in twips.
constexpr std::array<QPoint, PuzzleLayout::TileCount> TilePlaces = {{
    {1740, 1080},
    {3240, 1680},
    {7680, 1080},
    {4740, 1080},
    {1740, 2280},
    {4740, 2400},
    {6240, 1680},
    {3240, 3000},
    {7740, 2400},
    {6240, 3000},
    {6240, 4200},
    {4740, 3600},
    {1800, 3600},
    {7680, 3600},
    {3240, 4200},
    {7680, 4800},
    {1800, 4800},
    {4680, 4800},
}};
constexpr int TileHeightTwips = 435;
constexpr int TileFontPoints = 18;
// Only a row of very long words, or a font of tall letters, shrinks, and never below this.
constexpr int SmallestTileFontPoints = 8;
constexpr int TilePaddingPixels = 6;
constexpr int BlankTileWidthPixels = 32;
constexpr int TileGapPixels = 8;
constexpr int FocusFrameWidth = 2;

constexpr int FieldLeftTwips = 240;
constexpr int FieldTopTwips = 960;
constexpr int FieldWidthTwips = 9135;
constexpr int FieldHeightTwips = 4455;

constexpr int TargetLeftTwips = 240;
constexpr int TargetTopTwips = 5520;
constexpr int TargetWidthTwips = 9135;
constexpr int TargetHeightTwips = 2055;
constexpr int TargetMarginPixels = 8;

int tileWidth(const QString& shown, const QFont& font) {
    if (shown.isEmpty())
        return BlankTileWidthPixels;
    return QFontMetrics(font).horizontalAdvance(shown) + 2 * TilePaddingPixels;
}

} // namespace

PuzzleTile::PuzzleTile(int number, QWidget* parent) : SyllableLabel(parent), number_(number) {
    setObjectName(QStringLiteral("puzzleTile%1").arg(number));
    setAlignment(Qt::AlignCenter);
    setTextFormat(Qt::PlainText);
    // Laid out with the child's font by the panel, which measures the words in it.
    panelstyle::markOwnFont(this);
    setFocusPolicy(Qt::TabFocus);
    setLineWidth(FocusFrameWidth);
    setCursor(Qt::OpenHandCursor);
    panelstyle::setColours(this, panelstyle::LightBlue, panelstyle::Black);
    hide();
}

void PuzzleTile::setPiece(const QString& piece) {
    QString shown = piece;
    while (shown.endsWith(QLatin1Char(' ')))
        shown.chop(1);
    setText(shown);
    setAccessibleName(shown.isEmpty() ? QStringLiteral("Leerzeichen") : shown);
    setVisible(!piece.isEmpty());
}

void PuzzleTile::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QLabel::mousePressEvent(event);
    Q_EMIT pickedUp(number_);
    auto* drag = new QDrag(this);
    drag->setMimeData(dragData());
    drag->setPixmap(grab());
    drag->setHotSpot(event->position().toPoint());
    drag->exec(Qt::MoveAction);
}

QMimeData* PuzzleTile::dragData() const {
    auto* mime = new QMimeData;
    mime->setData(TileMimeType, tileDragData(number_));
    return mime;
}

void PuzzleTile::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter)
        Q_EMIT placeRequested(number_);
    else
        QLabel::keyPressEvent(event);
}

void PuzzleTile::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    setFrameShape(QFrame::Box);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        Q_EMIT pickedUp(number_);
}

void PuzzleTile::focusOutEvent(QFocusEvent* event) {
    QLabel::focusOutEvent(event);
    setFrameShape(QFrame::NoFrame);
}

PuzzleTarget::PuzzleTarget(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("targetField"));
    setAccessibleDescription(TargetMeaning);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMargin(TargetMarginPixels);
    setAcceptDrops(true);
    showSentence(QString());
}

void PuzzleTarget::showSentence(const QString& placed) {
    setText(placed);
    setAccessibleName(placed.trimmed().isEmpty() ? TargetMeaning : placed);
}

PuzzleTile* PuzzleTarget::draggedTile(const QDropEvent* event) const {
    const QByteArray data = event->mimeData()->data(TileMimeType);
    for (auto* tile : parentWidget()->findChildren<PuzzleTile*>(Qt::FindDirectChildrenOnly))
        if (data == tileDragData(tile->number()))
            return tile;
    return nullptr;
}

void PuzzleTarget::dragEnterEvent(QDragEnterEvent* event) {
    if (draggedTile(event))
        event->acceptProposedAction();
}

void PuzzleTarget::dragMoveEvent(QDragMoveEvent* event) {
    if (draggedTile(event))
        event->acceptProposedAction();
}

void PuzzleTarget::dropEvent(QDropEvent* event) {
    PuzzleTile* tile = draggedTile(event);
    if (!tile)
        return;
    event->acceptProposedAction();
    // The check may open a message box; that waits until the drag has ended.
    QMetaObject::invokeMethod(
        this, [this, number = tile->number()] { Q_EMIT tileDropped(number); },
        Qt::QueuedConnection);
}

PanelNames PuzzlePanel::names() {
    return PanelNames{
        .panel = QStringLiteral("puzzlePanel"),
        .band = QStringLiteral("puzzleBand"),
        .abbrechen = QStringLiteral("puzzleLeaveButton"),
        .lupe = QStringLiteral("puzzleLupeButton"),
        .rettungsring = QStringLiteral("puzzleRettungsringButton"),
        .rettungsringToolTip = QStringLiteral("Lösungssatz"),
        .newSentence = QStringLiteral("puzzleNewSentenceButton"),
        .newSentenceToolTip = QStringLiteral("Neuer Puzzlesatz"),
        .anleitung = QStringLiteral("puzzleInstructionsButton"),
        .spielrunde = QStringLiteral("puzzleSpielrundeButton"),
        .points = QStringLiteral("puzzlePointsDisplay"),
        .user = QStringLiteral("puzzleUserDisplay"),
        .userToolTip = QStringLiteral("Benutzername"),
        .newSentenceAction = NewSentenceAction::NextSentence,
    };
}

PuzzlePanel::PuzzlePanel(PuzzleExercise& puzzle, QWidget* parent)
    : ExercisePanel(puzzle, names(), parent), puzzle_(puzzle) {
    auto* field = new QWidget(this);
    field->setObjectName(QStringLiteral("tileField"));
    panelstyle::setColours(field, panelstyle::White, panelstyle::Black);
    placeTwips(field, FieldLeftTwips, FieldTopTwips, FieldWidthTwips, FieldHeightTwips);

    for (int k = 0; k < PuzzleLayout::TileCount; ++k) {
        auto* tile = new PuzzleTile(k + 1, this);
        tile->move(twips(TilePlaces.at(k).x()), twips(TilePlaces.at(k).y()));
        followSyllableColours(tile);
        connect(tile, &PuzzleTile::placeRequested, this, &PuzzlePanel::dropTile);
        // Speech on, the child hears the word as he picks it up: placing works as without it.
        connect(tile, &PuzzleTile::pickedUp, this, [this, tile] { frame().speak(tile->text()); });
        tiles_.at(k) = tile;
    }
    // Tiles whose heights overlap share a row, ordered from left to right.
    QList<PuzzleTile*> byTop(tiles_.begin(), tiles_.end());
    std::sort(byTop.begin(), byTop.end(),
              [](const PuzzleTile* a, const PuzzleTile* b) { return a->y() < b->y(); });
    for (PuzzleTile* tile : byTop) {
        if (rows_.isEmpty() || tile->y() >= rows_.last().first()->y() + twips(TileHeightTwips))
            rows_.append(QList<PuzzleTile*>());
        rows_.last().append(tile);
    }
    for (QList<PuzzleTile*>& row : rows_)
        std::sort(row.begin(), row.end(),
                  [](const PuzzleTile* a, const PuzzleTile* b) { return a->x() < b->x(); });

    target_ = new PuzzleTarget(this);
    placeTwips(target_, TargetLeftTwips, TargetTopTwips, TargetWidthTwips, TargetHeightTwips);
    followExerciseFont(target_, panelstyle::LayoutFontPoints);
    followColours(target_, panelstyle::TextRole::Sentence);
    connect(target_, &PuzzleTarget::tileDropped, this, &PuzzlePanel::dropTile);

    connect(&puzzle, &PuzzleExercise::laidOut, this, &PuzzlePanel::showLayout);
    connect(&puzzle, &PuzzleExercise::pieceAccepted, this, &PuzzlePanel::emptyTile);
    connect(&app().readingAids, &ReadingAids::changed, this, [this] {
        for (const QList<PuzzleTile*>& row : rows_)
            arrangeRow(row);
    });
    showLayout();
}

void PuzzlePanel::dropTile(int number) {
    puzzle_.dropTile(number);
}

void PuzzlePanel::showLayout() {
    target_->showSentence(puzzle_.targetText());
    for (PuzzleTile* tile : tiles_)
        tile->setPiece(puzzle_.tileText(tile->number()));
    for (const QList<PuzzleTile*>& row : rows_)
        arrangeRow(row);
    if (isVisible())
        focusFirstTile();
}

void PuzzlePanel::emptyTile(int number) {
    PuzzleTile* tile = tiles_.at(number - 1);
    const bool hadFocus = tile->hasFocus();
    // The other tiles stay where they are while the child works on the sentence.
    tile->setPiece(QString());
    target_->showSentence(puzzle_.targetText());
    if (hadFocus)
        focusFirstTile();
}

void PuzzlePanel::focusFirstTile() {
    const auto holdsWord = std::find_if(tiles_.begin(), tiles_.end(),
                                        [](const PuzzleTile* tile) { return !tile->isHidden(); });
    if (holdsWord != tiles_.end())
        (*holdsWord)->setFocus(Qt::OtherFocusReason);
}

void PuzzlePanel::arrangeRow(const QList<PuzzleTile*>& row) {
    QList<PuzzleTile*> shown;
    std::copy_if(row.begin(), row.end(), std::back_inserter(shown),
                 [](const PuzzleTile* tile) { return !tile->isHidden(); });
    const int fieldLeft = twips(FieldLeftTwips);
    const int fieldRight = twips(FieldLeftTwips + FieldWidthTwips);
    const int height = twips(TileHeightTwips);

    for (int points = TileFontPoints; points >= SmallestTileFontPoints; --points) {
        const QFont font = panelstyle::withReadingAids(panelstyle::layoutFont(points),
                                                       app().readingAids.current());
        QList<QRect> places;
        int limit = fieldRight - TileGapPixels;
        for (auto tile = shown.crbegin(); tile != shown.crend(); ++tile) {
            const int fixedLeft = twips(TilePlaces.at((*tile)->number() - 1).x());
            const int width = tileWidth((*tile)->text(), font);
            const int left = std::min(fixedLeft, limit - width);
            places.prepend(QRect(left, (*tile)->y(), width, height));
            limit = left - TileGapPixels;
        }
        // A reading font with tall letters must not lose their feet to the tile's edge.
        const bool fits = (places.isEmpty() || places.first().left() >= fieldLeft) &&
                          QFontMetrics(font).height() <= height;
        if (!fits && points > SmallestTileFontPoints)
            continue;
        for (qsizetype k = 0; k < shown.size(); ++k) {
            shown.at(k)->setFont(font);
            QRect place = places.at(k);
            place.moveLeft(std::max(place.left(), fieldLeft));
            shown.at(k)->setGeometry(place);
        }
        return;
    }
}

} // namespace tivoral
