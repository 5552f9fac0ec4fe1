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

} // namespace

TypingCheck checkTyping(const QString& typed, const QString& target) {
    const TypingCheck wrong{false, false};
    const TypingCheck beginning{true, false};
    qsizetype at = 0; // in the typed text
    for (const QChar mark : target) {
        if (at == typed.size())
            return beginning;
        if (typed.at(at) == mark) {
            ++at;
            continue;
        }
        const QStringView form = keyboardForm(mark);
        const QStringView rest = QStringView(typed).sliced(at);
        if (form.isEmpty())
            return wrong;
        if (rest.startsWith(form)) {
            at += form.size();
            continue;
        }
        // Part of the way through a form of several keys, such as the first two points of ...
        return form.startsWith(rest) ? beginning : wrong;
    }
    if (at < typed.size())
        return wrong;
    // Nothing typed never finishes, even against an empty target.
    return TypingCheck{true, !typed.isEmpty()};
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
