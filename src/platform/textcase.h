#pragma once

#include <QString>
#include <QStringList>

namespace tivoral {

// Case mapping that keeps every character one character: ä→Ä, and ß→ẞ as current German
// spelling writes it among capitals. QString::toUpper would turn ß into "SS" and shift every
// position after it.
QString toUpperOneToOne(const QString& text);
// The same for file names, but ß stays ß: a list saved earlier keeps its name.
QString toUpperFileName(const QString& text);
QString toLowerOneToOne(const QString& text);

// The "sorted list" order: case-insensitive, umlauts beside their base letters.
void sortCaseInsensitive(QStringList& list);

} // namespace tivoral
