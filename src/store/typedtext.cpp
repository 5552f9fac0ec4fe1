#include "store/typedtext.h"

#include <algorithm>

namespace tivoral::typedtext {

namespace {
bool breaksOrControls(QChar c) {
    const QChar::Category category = c.category();
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}
} // namespace

QString withoutControlCharacters(const QString& text) {
    if (std::none_of(text.cbegin(), text.cend(), breaksOrControls))
        return text;
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\t')
            clean += u' ';
        else if (!breaksOrControls(c))
            clean += c;
    }
    return clean;
}

} // namespace tivoral::typedtext
