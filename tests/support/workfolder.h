#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace tivoral::testing {

// A temporary working folder with helpers to lay down and read back raw file bytes.
class WorkFolder {
public:
    WorkFolder() = default;
    QDir dir() const { return QDir(temp_.path()); }
    QString path(const QString& name) const { return temp_.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;

private:
    QTemporaryDir temp_;
};

} // namespace tivoral::testing
