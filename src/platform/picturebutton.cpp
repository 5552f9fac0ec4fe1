#include "platform/picturebutton.h"

#include "platform/twips.h"

namespace tivoral {

namespace {
// Leaves room for the hover frame of the flat button around the picture.
constexpr int IconMarginPixels = 4;
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
    setIcon(QIcon(iconPath(iconName)));
    setIconSize(
        QSize(side - scaledPixels(IconMarginPixels), side - scaledPixels(IconMarginPixels)));
}

QString PictureButton::iconPath(const QString& iconName) {
    return QStringLiteral(":/icons/") + iconName + QStringLiteral(".svg");
}

} // namespace tivoral
