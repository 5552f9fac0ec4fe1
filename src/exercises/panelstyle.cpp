#include "exercises/panelstyle.h"
#include "platform/twips.h"

#include "store/readingoptions.h"
#include "store/settings.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace tivoral::panelstyle {

namespace {
// Wide enough to tell the letters apart, narrow enough to keep the words together.
constexpr int NormalSpacingPercent = 100;
constexpr int WideSpacingPercent = 115;
constexpr int WiderSpacingPercent = 130;

// At high contrast: the program's blue darkened until white on it reads at 13 : 1, and a red
// that still looks red at 7.7 : 1 on white.
constexpr QRgb DarkBlue = qRgb(32, 32, 128);
constexpr QRgb DarkRed = qRgb(170, 0, 0);

// The sRGB channel as light, as the accessibility guidelines define it.
double linearChannel(int value) {
    constexpr double Threshold = 0.04045;
    constexpr double LinearSlope = 12.92;
    constexpr double Offset = 0.055;
    constexpr double Gamma = 2.4;
    const double c = value / 255.0;
    return c <= Threshold ? c / LinearSlope : std::pow((c + Offset) / (1 + Offset), Gamma);
}

double relativeLuminance(QRgb colour) {
    constexpr double RedWeight = 0.2126;
    constexpr double GreenWeight = 0.7152;
    constexpr double BlueWeight = 0.0722;
    return RedWeight * linearChannel(qRed(colour)) + GreenWeight * linearChannel(qGreen(colour)) +
           BlueWeight * linearChannel(qBlue(colour));
}

// The text width of the sentence displays.
constexpr int ReadingBoxTextTwips = 9135;

constexpr const char* ReadsText = "tivoralReadsText";
constexpr const char* OwnFont = "tivoralOwnFont";
constexpr const char* LayoutFamily = "tivoralLayoutFamily";

bool showsText(const QWidget* widget) {
    if (widget->property(OwnFont).toBool())
        return false;
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return !button->text().isEmpty();
    return qobject_cast<const QLabel*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
           widget->property(ReadsText).toBool();
}

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

QFont sentenceFont(const Settings& settings, const ReadingOptions& options, int layoutPoints) {
    QFont font = layoutFont(layoutPoints);
    if (const std::optional<FontChoice>& chosen = settings.exerciseFont()) {
        font.setFamily(chosen->family);
        font.setPointSizeF(scaledPoints(chosen->pointSize));
    }
    return withReadingAids(font, options);
}

void markReadingText(QWidget* widget) {
    widget->setProperty(ReadsText, true);
}

void markOwnFont(QWidget* widget) {
    widget->setProperty(OwnFont, true);
}

void applyReadingAids(QWidget& root, const ReadingOptions& options) {
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        if (!showsText(widget))
            continue;
        // The family of the layout, noted the first time, comes back when the child has none.
        QVariant family = widget->property(LayoutFamily);
        if (!family.isValid()) {
            family = widget->font().family();
            widget->setProperty(LayoutFamily, family);
        }
        QFont font = widget->font();
        font.setFamily(family.toString());
        widget->setFont(withReadingAids(font, options));
    }
}

ReadingBoxLook readingBoxLook(const Settings& settings, const ReadingOptions& options) {
    ReadingBoxLook look;
    look.font = sentenceFont(settings, options, LayoutFontPoints);
    look.minimumTextWidth = twips(ReadingBoxTextTwips);
    if (options.highContrast)
        look.colours = ReadingBoxLook::Colours{White, Black};
    return look;
}

double contrastRatio(QRgb first, QRgb second) {
    // The guidelines' flare term keeps black on black at 1 rather than dividing by zero.
    constexpr double Flare = 0.05;
    const double a = relativeLuminance(first) + Flare;
    const double b = relativeLuminance(second) + Flare;
    return std::max(a, b) / std::min(a, b);
}

RoleColours colours(TextRole role, bool highContrast) {
    switch (role) {
    case TextRole::Sentence:
        return {highContrast ? DarkBlue : Blue, White};
    case TextRole::Answer:
        // White rather than light blue, so that the red of a wrong answer reaches the ratio.
        return {highContrast ? White : LightBlue, TypingRight};
    case TextRole::Grid:
        break;
    }
    return {White, highContrast ? DarkBlue : Blue};
}

QRgb wrongColour(bool highContrast) {
    return highContrast ? DarkRed : TypingWrong;
}

void setColours(QWidget* widget, RoleColours colours) {
    setColours(widget, colours.background, colours.text);
}

std::optional<SyllableColours> syllableColours(const ReadingOptions& options) {
    // Darker under high contrast, so that the red reaches 7 : 1 on the tiles' light blue too.
    static const SyllableColours HighContrastSyllables{QColor(0, 0, 128), QColor(110, 0, 0)};
    const std::optional<SyllableColours> colours = syllableColoursIf(options.syllableColours);
    if (colours && options.highContrast)
        return HighContrastSyllables;
    return colours;
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
