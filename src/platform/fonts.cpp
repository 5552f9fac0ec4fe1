#include "platform/fonts.h"

#include <QFontDatabase>

namespace tivoral::fonts {

QStringList installedFamilies() {
    QStringList result;
    for (const QString& family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family))
            result.append(family);
    }
    return result;
}

QStringList readerFontsFirst(QStringList sortedFamilies) {
    QStringList first;
    for (const char* reader : ReaderFamilies) {
        if (sortedFamilies.removeOne(QLatin1String(reader)))
            first.append(QLatin1String(reader));
    }
    return first + sortedFamilies;
}

} // namespace tivoral::fonts
