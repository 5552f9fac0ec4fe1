#include "platform/fileversion.h"

#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QHashFunctions>

#include <algorithm>
#include <array>

namespace tivoral {

namespace {
// Two seeds give 128 bits, which tell versions apart; only this run of the program compares
// them, and nobody forges a sentence list to slip past the question, so Qt's own hash does,
// many times faster than a cryptographic one on the list read at the start.
constexpr std::array<size_t, 2> HashSeeds{0x243f6a8885a308d3, 0x13198a2e03707344};

QByteArray hashOf(QByteArrayView bytes) {
    std::array<size_t, HashSeeds.size()> parts{};
    for (std::size_t i = 0; i < HashSeeds.size(); ++i)
        parts[i] = qHashBits(bytes.data(), std::size_t(bytes.size()), HashSeeds[i]);
    return QByteArray(reinterpret_cast<const char*>(parts.data()), sizeof parts);
}
} // namespace

std::optional<FileVersion> FileVersion::of(const QString& path) {
    // A FIFO or device would block the open or never end.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = textfile::readUpTo(file, HashedBytes);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return FileVersion(file.size(), hashOf(bytes));
}

FileVersion FileVersion::ofBytes(const QByteArray& bytes) {
    return FileVersion(bytes.size(),
                       hashOf(bytes.first(std::min<qint64>(bytes.size(), HashedBytes))));
}

QString FileVersions::key(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

void FileVersions::remember(const QString& path) {
    if (const std::optional<FileVersion> version = FileVersion::of(path))
        known_.insert(key(path), *version);
    else
        known_.remove(key(path));
}

void FileVersions::remember(const QString& path, const FileVersion& version) {
    known_.insert(key(path), version);
}

bool FileVersions::changedSince(const QString& path) const {
    const auto known = known_.constFind(key(path));
    if (known == known_.constEnd() || !QFileInfo::exists(path))
        return false;
    return FileVersion::of(path) != std::optional<FileVersion>(*known);
}

} // namespace tivoral
