#include "editor/spellingrules.h"

#include "platform/spelldictionary.h"
#include "platform/textcase.h"
#include "store/classwordlist.h"

namespace tivoral {

namespace spellingrules {

namespace {

bool isWordLetter(QChar c) {
    return c.isLetter() || c.isMark();
}

bool isHyphen(QChar c) {
    return c == u'-' || c == QChar(0x2010);
}

bool isApostrophe(QChar c) {
    return c == u'\'' || c == QChar(0x2019);
}

bool isChecked(const QString& word) {
    if (word.size() < 2)
        return false;
    for (const QChar c : word)
        if (c.isDigit())
            return false;
    const bool capitals = toUpperOneToOne(word) == word && word.toLower() != word;
    return !(capitals && word.size() < MinCheckedCapitalsLength);
}

} // namespace

QList<WordSpan> checkedWords(const QString& text) {
    QList<WordSpan> words;
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        if (!isWordLetter(text.at(i)) && !text.at(i).isDigit()) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < size) {
            const QChar c = text.at(i);
            if (isWordLetter(c) || c.isDigit()) {
                ++i;
            } else if (isHyphen(c)) {
                // Inside a word ("E-Mail") or at its end before a gap ("Haus- und Hofarbeit").
                ++i;
                if (i < size && !isWordLetter(text.at(i)) && !text.at(i).isDigit())
                    break;
            } else {
                break;
            }
        }
        const WordSpan span{start, i - start};
        if (isChecked(text.mid(span.start, span.length)))
            words.append(span);
        // "geht's": the s after the apostrophe is a single letter and not checked.
        if (i < size && isApostrophe(text.at(i)))
            ++i;
    }
    return words;
}

} // namespace spellingrules

SentenceSpelling::SentenceSpelling(const SpellDictionary& dictionary, QSet<QString> classWords)
    : dictionary_(&dictionary), classWords_(std::move(classWords)) {}

QList<WordSpan> SentenceSpelling::unknownWords(const QString& text,
                                               QStringList* notLookedUp) const {
    QList<WordSpan> unknown;
    // Without the dictionary nothing is flagged.
    if (dictionary_->state() != SpellDictionary::State::Ready)
        return unknown;
    for (const WordSpan& span : spellingrules::checkedWords(text)) {
        const QString word = text.mid(span.start, span.length);
        if (ClassWordList::holds(classWords_, word))
            continue;
        std::optional<bool> known;
        if (notLookedUp) {
            known = dictionary_->knownFromBefore(word);
            if (!known)
                notLookedUp->append(word);
        } else {
            known = dictionary_->isKnown(word);
        }
        if (known == false)
            unknown.append(span);
    }
    return unknown;
}

QStringList SentenceSpelling::unknownWordTexts(const QString& text) const {
    QStringList words;
    for (const WordSpan& span : unknownWords(text))
        words.append(text.mid(span.start, span.length));
    return words;
}

} // namespace tivoral
