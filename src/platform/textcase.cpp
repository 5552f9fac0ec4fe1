#include "platform/textcase.h"

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
