#include "workfolder.h"

#include <QFile>

namespace tivoral::testing {

void WorkFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray WorkFolder::read(const QString& name) const {
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WorkFolder::exists(const QString& name) const {
    return QFile::exists(path(name));
}

} // namespace tivoral::testing
