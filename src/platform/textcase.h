#pragma once

#include <QString>

namespace tivoral {

// Case mapping that keeps every character one character: ä→Ä, and ß stays ß.
// QString::toUpper would turn ß into "SS" and shift every position after it.
QString toUpperOneToOne(const QString& text);
QString toLowerOneToOne(const QString& text);

} // namespace tivoral
