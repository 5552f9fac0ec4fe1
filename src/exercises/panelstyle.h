#pragma once

#include "platform/syllablecolours.h"

#include <QFont>
#include <QRgb>

#include <optional>

class QWidget;

namespace tivoral {

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

// The colours of the syllables the child reads, or none when "Silben farbig" is off for him or
// the German patterns are missing.
std::optional<SyllableColours> syllableColours(const ReadingOptions& options);

// Fills the widget's background and sets its text colour.
void setColours(QWidget* widget, QRgb background, QRgb text);

} // namespace panelstyle
} // namespace tivoral
