#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace tivoral {

class SpellDictionary;

// A word in a text: where it starts and how many characters it has.
struct WordSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype end() const { return start + length; }
    bool operator==(const WordSpan&) const = default;
};

namespace spellingrules {

// Words in capitals shorter than this are abbreviations (UFO, ICE), not typos.
constexpr int MinCheckedCapitalsLength = 4;

// The words of a text that the spell check looks at: runs of letters, a hyphen inside or at the
// end of one ("E-Mail", "Haus-") belonging to it, an apostrophe ending it ("geht's"). Left out:
// numbers and words holding a digit, single letters, words in capitals under 4 letters.
QList<WordSpan> checkedWords(const QString& text);

} // namespace spellingrules

// The spell check of one sentence: the dictionary, and the class word list as it stood when this
// was made. A copy may work on another thread.
class SentenceSpelling {
public:
    SentenceSpelling(const SpellDictionary& dictionary, QSet<QString> classWords);

    // The words neither the dictionary nor the class word list knows, in text order. Given
    // notLookedUp, only words the dictionary answered before are judged; the others go there.
    QList<WordSpan> unknownWords(const QString& text, QStringList* notLookedUp = nullptr) const;
    QStringList unknownWordTexts(const QString& text) const;

private:
    const SpellDictionary* dictionary_;
    QSet<QString> classWords_;
};

} // namespace tivoral
