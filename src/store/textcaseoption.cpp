#include "store/textcaseoption.h"

#include "platform/textcase.h"

namespace tivoral {

void TextCaseOption::set(TextCase value) {
    value_ = value;
    Q_EMIT changed(value_);
}

QString TextCaseOption::displayForm(const QString& text) const {
    switch (value_) {
    case TextCase::Upper:
        return toUpperOneToOne(text);
    case TextCase::Lower:
        return toLowerOneToOne(text);
    case TextCase::Normal:
        break;
    }
    return text;
}

QString TextCaseOption::windowTitle(TextCase value) {
    switch (value) {
    case TextCase::Lower:
        return QStringLiteral("Tivoral:  Sätze in Kleinschrift");
    case TextCase::Normal:
        return QStringLiteral("Tivoral:  Sätze in Normalschrift");
    case TextCase::Upper:
        break;
    }
    return QStringLiteral("Tivoral:  Sätze in Großschrift");
}

} // namespace tivoral
