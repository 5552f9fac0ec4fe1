#include "exercises/sentencerules.h"

#include <algorithm>

namespace tivoral {

int countWords(const QString& text) {
    return int(text.count(QLatin1Char(' '))) + 1;
}

namespace {

// What a keyboard types for a typographic mark; empty for every other character.
QStringView keyboardForm(QChar mark) {
    switch (mark.unicode()) {
    case u'\u2018': // ‘
    case u'\u2019': // ’
    case u'\u201A': // ‚
        return u"'";
    case u'\u201C': // “
    case u'\u201D': // ”
    case u'\u201E': // „
    case u'\u00AB': // «
    case u'\u00BB': // »
        return u"\"";
    case u'\u2013': // –
    case u'\u2014': // —
        return u"-";
    case u'\u2026': // …
        return u"...";
    case u'\u1E9E': // ẞ, which no German keyboard has
        return u"\u00DF";
    default:
        return {};
    }
}

// How far the typed text and the target agree, walked character by character.
struct Agreement {
    qsizetype targetDone = 0; // characters of the target the typed text spells
    bool wrong = false;       // the typed text leaves the target somewhere
};

Agreement agree(const QString& typed, const QString& target) {
    qsizetype at = 0; // in the typed text
    for (qsizetype done = 0; done < target.size(); ++done) {
        if (at == typed.size())
            return {done, false};
        const QChar mark = target.at(done);
        if (typed.at(at) == mark) {
            ++at;
            continue;
        }
        const QStringView form = keyboardForm(mark);
        const QStringView rest = QStringView(typed).sliced(at);
        if (!form.isEmpty() && rest.startsWith(form)) {
            at += form.size();
            continue;
        }
        // Part of the way through a form of several keys, such as the first two points of ...
        return {done, form.isEmpty() || !form.startsWith(rest)};
    }
    return {target.size(), at < typed.size()};
}

} // namespace

TypingCheck checkTyping(const QString& typed, const QString& target) {
    const Agreement agreement = agree(typed, target);
    if (agreement.wrong)
        return TypingCheck{false, false};
    if (agreement.targetDone < target.size())
        return TypingCheck{true, false};
    // Nothing typed never finishes, even against an empty target.
    return TypingCheck{true, !typed.isEmpty()};
}

int correctlyTyped(const QString& typed, const QString& target) {
    return int(agree(typed, target).targetDone);
}

QStringList cutIntoPieces(const QString& sentence) {
    QString work = sentence;
    if (!work.endsWith(QLatin1Char(' ')))
        work.append(QLatin1Char(' '));
    QStringList pieces;
    qsizetype start = 0;
    while (start < work.size()) {
        const qsizetype blank = work.indexOf(QLatin1Char(' '), start);
        pieces.append(work.mid(start, blank - start + 1));
        start = blank + 1;
    }
    return pieces;
}

} // namespace tivoral
