#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tivoral {

// Splits one German word into its spoken syllables as a reading teacher marks them: "A-bend",
// "Zu-cker", "Fuß-ball", "Blu-men-topf". Joined, the pieces give the word back unchanged;
// marks before or after the letters stay on the first or last piece. A word the patterns do not
// know, or any word while the German patterns are missing, comes back whole. Safe to call from
// any thread; the patterns are read once, at the first call or at preloadSyllablePatterns().
QStringList syllables(const QString& word);

// One syllable of a text: where it stands, and which of the two colours it takes. The colours
// alternate within a word and start again with the first at every word.
struct SyllableSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    int colour = 0; // 0 or 1

    bool operator==(const SyllableSpan&) const = default;
};
// The syllables of every word of a text; the blanks between the words belong to none.
QList<SyllableSpan> syllableSpans(const QString& text);

// True when the German hyphenation patterns are installed (without reading them).
bool syllablesAvailable();

// True once the patterns have been read (or found unreadable): from then on no split waits.
bool syllablePatternsReady();

// Reading the patterns takes a second or more: this starts it on a thread of the pool, once, so
// that the first coloured sentence does not wait and the window never stalls.
void preloadSyllablePatternsInBackground();

// Where the patterns are looked for: the system's hyphenation folder unless a test points
// elsewhere. Changing it drops the patterns read so far.
inline constexpr const char* SystemHyphenationFolder = "/usr/share/hyphen";
void setHyphenationFolder(const QString& folder);

} // namespace tivoral
