#include "exercises/panelstyle.h"
#include "platform/twips.h"

#include "store/readingoptions.h"

#include <QPalette>
#include <QWidget>

namespace tivoral::panelstyle {

namespace {
// Wide enough to tell the letters apart, narrow enough to keep the words together.
constexpr int NormalSpacingPercent = 100;
constexpr int WideSpacingPercent = 115;
constexpr int WiderSpacingPercent = 130;

int spacingPercent(LetterSpacing spacing) {
    switch (spacing) {
    case LetterSpacing::Wide:
        return WideSpacingPercent;
    case LetterSpacing::Wider:
        return WiderSpacingPercent;
    case LetterSpacing::Normal:
        break;
    }
    return NormalSpacingPercent;
}
} // namespace

QFont layoutFont(int pointSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(scaledPoints(pointSize));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    return font;
}

QFont withReadingAids(QFont font, const ReadingOptions& options) {
    if (!options.fontFamily.isEmpty())
        font.setFamily(options.fontFamily);
    font.setLetterSpacing(QFont::PercentageSpacing, spacingPercent(options.spacing));
    return font;
}

std::optional<SyllableColours> syllableColours(const ReadingOptions& options) {
    return syllableColoursIf(options.syllableColours);
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
