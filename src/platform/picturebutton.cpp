#include "platform/picturebutton.h"

#include "platform/svgiconengine.h"
#include "platform/twips.h"

#include <QPainter>

namespace tivoral {

namespace {
// Leaves room for the hover frame of the flat button around the picture.
constexpr int IconMarginPixels = 4;
// The keyboard's button must stand out at a glance, not as the style's faint square.
constexpr int FocusFramePixels = 3;
constexpr QRgb FocusFrameColour = qRgb(0, 0, 0);
} // namespace

PictureButton::PictureButton(const QString& objectName, const QString& toolTip,
                             const QString& iconName, QWidget* parent)
    : QToolButton(parent) {
    setObjectName(objectName);
    setToolTip(toolTip);
    setAccessibleName(toolTip);
    setAutoRaise(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    const int side = twips(SizeTwips);
    setFixedSize(side, side);
    setIcon(icon(iconName));
    setIconSize(
        QSize(side - scaledPixels(IconMarginPixels), side - scaledPixels(IconMarginPixels)));
}

void PictureButton::paintEvent(QPaintEvent* event) {
    QToolButton::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    const int width = scaledPixels(FocusFramePixels);
    QPen pen{QColor(FocusFrameColour)};
    pen.setWidth(width);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(rect()).adjusted(width / 2.0, width / 2.0, -width / 2.0, -width / 2.0));
}

namespace {

QString iconPath(const QString& iconName) {
    return QStringLiteral(":/icons/") + iconName + QStringLiteral(".svg");
}

} // namespace

QIcon PictureButton::icon(const QString& iconName) {
    return QIcon(new SvgIconEngine(iconPath(iconName)));
}

SvgIconEngine::DrawingAhead PictureButton::drawAhead(const QString& iconName, QSize pixels) {
    return SvgIconEngine::drawAhead(iconPath(iconName), pixels);
}

} // namespace tivoral
