#include "store/textcaseoption.h"

#include "platform/enumtexts.h"
#include "platform/textcase.h"

namespace tivoral {

namespace {

constexpr ValueTexts<TextCase, 3> WindowTitles{{
    {TextCase::Upper, u"Tivoral:  Sätze in Großschrift"},
    {TextCase::Lower, u"Tivoral:  Sätze in Kleinschrift"},
    {TextCase::Normal, u"Tivoral:  Sätze in Normalschrift"},
}};

} // namespace

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
    return textOf(WindowTitles, value);
}

} // namespace tivoral
