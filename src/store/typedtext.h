#pragma once

#include "platform/textfile.h"

#include <QString>

namespace tivoral::typedtext {

// What the program accepts it must read back: the reader's limit is in bytes, and a character
// takes at most three bytes in UTF-8 (a pair of UTF-16 units takes four, two per unit).
inline constexpr int MaxSentenceLength = 16000;
inline constexpr int MaxUserNameLength = 60;
inline constexpr int MaxUtf8BytesPerUnit = 3;
inline constexpr int Utf8BomBytes = 3;
static_assert(MaxSentenceLength * MaxUtf8BytesPerUnit + Utf8BomBytes <=
              textfile::ReadLimits::DefaultMaxLineBytes);

// Text typed or pasted into a box, as it may be stored: line breaks, other control characters
// and invisible format characters (soft hyphens) removed, a tab turned into a blank, so that
// one entry stays one line of its file.
QString withoutControlCharacters(const QString& text);
// The same in place; false when there was nothing to remove.
bool removeControlCharacters(QString& text);

} // namespace tivoral::typedtext
