#include "game/playingfield.h"

#include "game/gameengine.h"
#include "platform/twips.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tivoral {

namespace {

const QColor FieldColor = QColor(255, 255, 255);
const QColor BorderColor = QColor(70, 110, 170);
const QColor LetterColor = QColor(0, 0, 128);
const QColor CatcherColor = QColor(255, 0, 0);
// White on it at 7.7 : 1.
const QColor HighContrastCatcherColor = QColor(170, 0, 0);
constexpr int BorderWidth = 1;

QFont boldSans(int pointSize) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setPointSizeF(scaledPoints(pointSize));
    font.setBold(true);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// Where a character stands: the catcher's box at the cell, so a character and the catcher
// on the same cell cover each other.
QRect letterBox(Cell cell) {
    return QRect(twips(cell.column * GameEngine::CellTwips),
                 twips(cell.row * GameEngine::CellTwips), twips(PlayingField::CatcherWidthTwips),
                 twips(PlayingField::CatcherHeightTwips));
}

} // namespace

PlayingField::PlayingField(const GameEngine& engine, QWidget* parent)
    : QWidget(parent), engine_(engine), catcher_(new QLabel(QStringLiteral("+"), this)) {
    setObjectName(QStringLiteral("playingField"));
    setAccessibleName(QStringLiteral("Spielfeld"));
    setFocusPolicy(Qt::StrongFocus);
    // The window puts the child's reading font on it; the start text takes it too.
    setFont(boldSans(LetterPointSize));

    catcher_->setObjectName(QStringLiteral("catcher"));
    catcher_->setAccessibleName(QStringLiteral("Fänger"));
    catcher_->setAlignment(Qt::AlignCenter);
    catcher_->setAutoFillBackground(true);
    setHighContrast(false);
    catcher_->setFont(boldSans(StartTextPointSize));
    // A click on the catcher is a click on the field.
    catcher_->setAttribute(Qt::WA_TransparentForMouseEvents);
    catcher_->hide();
    placeCatcher();

    connect(&engine_, &GameEngine::fieldChanged, this, qOverload<>(&QWidget::update));
    connect(&engine_, &GameEngine::catcherMoved, this, &PlayingField::placeCatcher);
    connect(&engine_, &GameEngine::runningChanged, catcher_, &QWidget::setVisible);
}

void PlayingField::setHighContrast(bool high) {
    QPalette palette = catcher_->palette();
    palette.setColor(QPalette::Window, high ? HighContrastCatcherColor : CatcherColor);
    palette.setColor(QPalette::WindowText, Qt::white);
    catcher_->setPalette(palette);
}

void PlayingField::placeCatcher() {
    catcher_->setGeometry(letterBox(engine_.catcher()));
}

void PlayingField::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked();
}

void PlayingField::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), FieldColor);
    painter.setPen(BorderColor);
    painter.drawRect(rect().adjusted(0, 0, -BorderWidth, -BorderWidth));
    switch (engine_.state()) {
    case GameEngine::State::Waiting:
        paintStartText(painter);
        break;
    case GameEngine::State::Running:
        paintLetters(painter);
        break;
    case GameEngine::State::Ended:
        break;
    }
}

void PlayingField::paintStartText(QPainter& painter) {
    QFont startFont = font();
    startFont.setPointSizeF(font().pointSizeF() * StartTextPointSize / LetterPointSize);
    painter.setFont(startFont);
    painter.setPen(LetterColor);
    const int lineHeight = painter.fontMetrics().lineSpacing();
    int top = 0;
    for (const QString& line : GameEngine::startText()) {
        painter.drawText(QRect(0, top, width(), lineHeight), Qt::AlignLeft | Qt::AlignTop, line);
        top += lineHeight;
    }
}

void PlayingField::paintLetters(QPainter& painter) {
    painter.setPen(LetterColor);
    const QFontMetrics metrics = painter.fontMetrics();
    const QStringList& characters = engine_.characters();
    const QList<Cell>& cells = engine_.letters();
    for (qsizetype i = 0; i < characters.size() && i < cells.size(); ++i) {
        const QString& letter = characters.at(i);
        QRect box = letterBox(cells.at(i));
        // A wide character in the first or last column is pulled in rather than cut off.
        const int halfWidth = (metrics.horizontalAdvance(letter) + 1) / 2;
        const int centre = std::clamp(box.center().x(), BorderWidth + halfWidth,
                                      width() - BorderWidth - halfWidth);
        box.translate(centre - box.center().x(), 0);
        painter.drawText(box, Qt::AlignCenter | Qt::TextDontClip, letter);
    }
}

} // namespace tivoral
