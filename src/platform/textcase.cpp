#include "platform/textcase.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace tivoral {

namespace {

constexpr QChar SharpS(0x00DF);
constexpr QChar CapitalSharpS(0x1E9E);

QString upperKeepingLength(const QString& text, QChar upperSharpS) {
    QString result = text;
    for (QChar& c : result) {
        if (c.isHighSurrogate() || c.isLowSurrogate())
            continue;
        c = c == SharpS ? upperSharpS : c.toUpper();
    }
    return result;
}

} // namespace

QString toUpperOneToOne(const QString& text) {
    return upperKeepingLength(text, CapitalSharpS);
}

QString toUpperFileName(const QString& text) {
    return upperKeepingLength(text, SharpS);
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
