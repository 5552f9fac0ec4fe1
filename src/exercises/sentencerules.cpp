#include "exercises/sentencerules.h"

#include <QCollator>

#include <algorithm>

namespace tivoral {

int countWords(const QString& text) {
    return int(text.count(QLatin1Char(' '))) + 1;
}

TypingCheck checkTyping(const QString& typed, const QString& target) {
    TypingCheck check;
    check.isPrefix = target.startsWith(typed, Qt::CaseSensitive);
    // Nothing typed never finishes, even against an empty target.
    check.finished = check.isPrefix && !typed.isEmpty() && typed.size() == target.size();
    return check;
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

void sortCaseInsensitive(QStringList& list) {
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::German, QLocale::Germany));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    std::stable_sort(list.begin(), list.end(), collator);
}

} // namespace tivoral
