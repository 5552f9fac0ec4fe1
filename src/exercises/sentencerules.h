#pragma once

#include <QString>
#include <QStringList>

namespace tivoral {

// The number of blanks plus one: the word count of a cleaned sentence.
int countWords(const QString& text);

struct TypingCheck {
    bool isPrefix = true; // black while true, red otherwise
    bool finished = false;
};
// Character by character, case and blanks exact: is the typed text the beginning of the target,
// or all of it? A typographic mark may be typed as on a keyboard: ' for ’ ‘ ‚, " for „ “ ” » «,
// - for – —, ... for …, ß for ẞ
TypingCheck checkTyping(const QString& typed, const QString& target);
// How many characters of the target the typed text spells correctly from its start.
int correctlyTyped(const QString& typed, const QString& target);

// The sentence cut after each blank (a blank is appended when it does not end in one):
// every piece is one word with the blank that follows it.
QStringList cutIntoPieces(const QString& sentence);

} // namespace tivoral
