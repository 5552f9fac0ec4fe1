#pragma once

#include <QDir>
#include <QString>

class QFile;

namespace tivoral::numberedfile {

// STEM.EXT for number 1, STEM-2.EXT, STEM-3.EXT … after it.
QString name(const QString& stem, const QString& extension, int number);

// Creates and opens for writing the first free numbered name in the folder, up to maxNumber;
// never opens an existing file or a link, so nothing is ever replaced.
bool create(const QDir& folder, const QString& stem, const QString& extension, int maxNumber,
            QFile& file);

} // namespace tivoral::numberedfile
