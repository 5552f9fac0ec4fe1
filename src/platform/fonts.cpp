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

} // namespace tivoral::fonts
