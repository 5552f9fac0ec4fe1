#include "store/typedtext.h"

#include <algorithm>

namespace tivoral::typedtext {

namespace {
// Format characters (a soft hyphen from a word processor, a zero-width space) are invisible: a
// child could never type them.
bool breaksOrControls(QChar c) {
    // Printable ASCII, nearly every character of a German sentence, needs no lookup.
    if (c.unicode() >= u' ' && c.unicode() < 0x7F)
        return false;
    const QChar::Category category = c.category();
    return category == QChar::Other_Control || category == QChar::Other_Format ||
           category == QChar::Separator_Line || category == QChar::Separator_Paragraph;
}
} // namespace

bool removeControlCharacters(QString& text) {
    const auto first = std::find_if(text.cbegin(), text.cend(), breaksOrControls);
    if (first == text.cend())
        return false;
    QString clean = text.first(first - text.cbegin());
    clean.reserve(text.size());
    for (auto c = first; c != text.cend(); ++c) {
        if (*c == u'\t')
            clean += u' ';
        else if (!breaksOrControls(*c))
            clean += *c;
    }
    text = std::move(clean);
    return true;
}

QString withoutControlCharacters(const QString& text) {
    QString clean = text;
    removeControlCharacters(clean);
    return clean;
}

} // namespace tivoral::typedtext
