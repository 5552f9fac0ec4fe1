#include "platform/textcase.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace tivoral {

QString toUpperOneToOne(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        if (c.isHighSurrogate() || c.isLowSurrogate())
            continue;
        const QChar upper = c.toUpper();
        c = upper;
    }
    return result;
}

QString toLowerOneToOne(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        if (c.isHighSurrogate() || c.isLowSurrogate())
            continue;
        c = c.toLower();
    }
    return result;
}

} // namespace tivoral

namespace tivoral {

void sortCaseInsensitive(QStringList& list) {
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::German, QLocale::Germany));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    std::stable_sort(list.begin(), list.end(), collator);
}

} // namespace tivoral
