#include "exercises/panelstyle.h"

#include <QPalette>
#include <QWidget>

namespace tivoral::panelstyle {

QFont layoutFont(int pointSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"), pointSize);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    return font;
}

void setColours(QWidget* widget, QRgb background, QRgb text) {
    QPalette palette = widget->palette();
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, QColor(background));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, QColor(text));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace tivoral::panelstyle
