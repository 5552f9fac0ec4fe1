#include "platform/numberedfile.h"

#include <QFile>
#include <QFileInfo>

namespace tivoral::numberedfile {

QString name(const QString& stem, const QString& extension, int number) {
    const QString suffix = QLatin1Char('.') + extension;
    if (number <= 1)
        return stem + suffix;
    return stem + QLatin1Char('-') + QString::number(number) + suffix;
}

bool create(const QDir& folder, const QString& stem, const QString& extension, int maxNumber,
            QFile& file) {
    for (int number = 1; number <= maxNumber; ++number) {
        const QString path = folder.filePath(name(stem, extension, number));
        file.setFileName(path);
        // NewOnly refuses any existing name, a dangling link included, so nothing is replaced.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return true;
        const QFileInfo taken(path);
        if (!taken.exists() && !taken.isSymLink())
            return false;
    }
    return false;
}

} // namespace tivoral::numberedfile
