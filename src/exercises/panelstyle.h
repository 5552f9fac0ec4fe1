#pragma once

#include "platform/qtdialogs.h"
#include "platform/syllablecolours.h"

#include <QFont>
#include <QRgb>

#include <optional>

class QWidget;

namespace tivoral {

class Settings;
struct ReadingOptions;

// The colours and fonts the exercise panels and the main window share.
namespace panelstyle {

inline constexpr QRgb Blue = qRgb(128, 128, 255);
inline constexpr QRgb LightBlue = qRgb(192, 192, 255);
inline constexpr QRgb Black = qRgb(0, 0, 0);
inline constexpr QRgb White = qRgb(255, 255, 255);
inline constexpr QRgb PaleBackground = qRgb(236, 236, 255);
inline constexpr QRgb TypingRight = Black;
inline constexpr QRgb TypingWrong = qRgb(255, 0, 0);

// What the sentence displays show until the teacher's font is applied.
inline constexpr int LayoutFontPoints = 24;

// A bold sans-serif font of the given size, found without enumerating the installed fonts.
QFont layoutFont(int pointSize, bool bold = true);

// The child's reading aids on a font of the sentence texts: his own font and letter spacing.
QFont withReadingAids(QFont font, const ReadingOptions& options);
// The font of the sentence texts: the teacher's font and size where one is set (the layout's
// bold sans of this size otherwise), with the child's reading aids over it.
QFont sentenceFont(const Settings& settings, const ReadingOptions& options, int layoutPoints);

// The boxes a child reads (helps, instructions, completions): the sentence font, as wide as
// the sentence displays, black on white at high contrast.
ReadingBoxLook readingBoxLook(const Settings& settings, const ReadingOptions& options);

// The contrast "hoch" promises every text at least this ratio against its background (the
// highest level of the web's accessibility guidelines).
inline constexpr double HighContrastRatio = 7.0;
// The contrast ratio of two colours, from 1 (equal) to 21 (black on white).
double contrastRatio(QRgb first, QRgb second);

// The kinds of text a child reads in the exercises, each with its colours at normal contrast
// (the program's look) and at high contrast. Extra colours for a sentence (syllables, say)
// must keep HighContrastRatio against colours(Sentence, true).background.
enum class TextRole {
    Sentence, // white on blue: the sentence displays, the target field, the points
    Answer,   // black on light blue: the answer boxes
    Grid,     // blue on white: the mosaic's letters, the task above the misprint
};
struct RoleColours {
    QRgb background;
    QRgb text;
};
RoleColours colours(TextRole role, bool highContrast);
// A wrong answer or a marked letter; at high contrast a darker red, drawn underlined.
QRgb wrongColour(bool highContrast);
inline bool underlineWrong(bool highContrast) {
    return highContrast;
}

// Puts the child's font family and letter spacing on every text a child reads under root:
// labels, text boxes, buttons with a caption, and widgets marked with markReadingText. Each
// keeps its own size and weight, and its own family while the child has none chosen. A widget
// marked with markOwnFont is left to set its font itself.
void applyReadingAids(QWidget& root, const ReadingOptions& options);
void markReadingText(QWidget* widget);
void markOwnFont(QWidget* widget);

// The colours of the syllables the child reads, or none when "Silben farbig" is off for him or
// the German patterns are missing.
std::optional<SyllableColours> syllableColours(const ReadingOptions& options);

// Fills the widget's background and sets its text colour.
void setColours(QWidget* widget, QRgb background, QRgb text);
void setColours(QWidget* widget, RoleColours colours);

} // namespace panelstyle
} // namespace tivoral
