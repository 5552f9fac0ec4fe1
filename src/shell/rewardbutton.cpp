#include "shell/rewardbutton.h"

#include "exercises/exercise.h"
#include "exercises/exerciseframe.h"
#include "exercises/panelstyle.h"
#include "platform/picturebutton.h"
#include "platform/twips.h"

#include <QStyleOptionButton>
#include <QStylePainter>


namespace tivoral {

namespace {
constexpr int IconPixels = 44;
constexpr int MarginPixels = 6;
constexpr int CaptionFontPoints = 10;
constexpr int CaptionTrailingBlanks = 9;
} // namespace

RewardButton::RewardButton(ExerciseFrame& frame, QWidget* parent) : QPushButton(parent) {
    setObjectName(QStringLiteral("rewardButton"));
    setText(QStringLiteral("Du kannst dir ein Belohnungsspiel abholen . . .") +
            QString(CaptionTrailingBlanks, QLatin1Char(' ')));
    setAccessibleName(text().trimmed());
    setIcon(PictureButton::icon(QStringLiteral("belohnung")));
    setIconSize(QSize(scaledPixels(IconPixels), scaledPixels(IconPixels)));
    setFont(panelstyle::layoutFont(CaptionFontPoints));
    setCursor(Qt::PointingHandCursor);
    setFixedSize(twips(WidthTwips), twips(HeightTwips));
    hide();
    connect(&frame, &ExerciseFrame::rewardOffered, this, &RewardButton::showOffer);
    connect(this, &QPushButton::clicked, &frame, &ExerciseFrame::openRewardGame);
}

void RewardButton::addExercise(const Exercise& exercise, int leftTwips) {
    leftTwips_.insert(&exercise, leftTwips);
}

void RewardButton::showOffer(bool offered, const Exercise* from) {
    setVisible(offered);
    if (!offered)
        return;
    move(twips(leftTwips_.value(from)), twips(TopTwips));
    raise();
}

void RewardButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect inner = rect().adjusted(MarginPixels, MarginPixels, -MarginPixels, -MarginPixels);
    const QRect iconRect(inner.center().x() - IconPixels / 2, inner.top(), IconPixels, IconPixels);
    icon().paint(&painter, iconRect);
    const QRect textRect = inner.adjusted(0, IconPixels + MarginPixels / 2, 0, 0);
    painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     text().trimmed());
}

} // namespace tivoral
