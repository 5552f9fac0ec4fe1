#include "store/startprefetch.h"

#include "store/sentencefilelist.h"

#include <QFileInfo>

namespace tivoral {

StartPrefetch::StartPrefetch(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir())
        return;
    folder_ = info.absoluteFilePath();
    reading_ = std::async(std::launch::async, [folder = folder_] {
        Read read;
        const QDir dir(folder);
        read.names = SentenceFileList::listNames(dir);
        if (!read.names.isEmpty()) {
            read.firstPath = dir.absoluteFilePath(read.names.constFirst());
            read.firstLines = readSentenceLines(read.firstPath);
        }
        return read;
    });
}

StartPrefetch::~StartPrefetch() {
    if (reading_.valid())
        reading_.wait();
}

StartPrefetch::Read& StartPrefetch::waitForRead() {
    if (!read_)
        read_ = reading_.get();
    return *read_;
}

std::optional<QStringList> StartPrefetch::names(const QDir& folder) {
    if (folder_.isEmpty() || folder.absolutePath() != folder_)
        return std::nullopt;
    return waitForRead().names;
}

std::optional<SentenceLines> StartPrefetch::takeLines(const QString& path) {
    if (folder_.isEmpty() || linesTaken_)
        return std::nullopt;
    Read& read = waitForRead();
    if (read.firstPath.isEmpty() || QFileInfo(path).absoluteFilePath() != read.firstPath)
        return std::nullopt;
    linesTaken_ = true;
    return std::move(read.firstLines);
}

} // namespace tivoral
