#include "store/startprefetch.h"

#include "store/sentencefilelist.h"

#include <QFileInfo>

namespace tivoral {

StartPrefetch::StartPrefetch(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir())
        return;
    folder_ = info.absoluteFilePath();
    std::promise<QStringList> names;
    std::promise<FirstList> firstList;
    names_ = names.get_future();
    firstList_ = firstList.get_future();
    reader_ = std::thread([folder = folder_, names = std::move(names),
                           firstList = std::move(firstList)]() mutable {
        const QDir dir(folder);
        const QStringList listed = SentenceFileList::listNames(dir);
        names.set_value(listed);
        FirstList first;
        if (!listed.isEmpty()) {
            first.path = dir.absoluteFilePath(listed.constFirst());
            first.lines = readSentenceLines(first.path);
        }
        firstList.set_value(std::move(first));
    });
}

StartPrefetch::~StartPrefetch() {
    if (reader_.joinable())
        reader_.join();
}

std::optional<QStringList> StartPrefetch::names(const QDir& folder) {
    if (folder_.isEmpty() || folder.absolutePath() != folder_)
        return std::nullopt;
    if (!namesRead_)
        namesRead_ = names_.get();
    return namesRead_;
}

std::optional<SentenceLines> StartPrefetch::takeLines(const QString& path) {
    if (folder_.isEmpty() || linesTaken_)
        return std::nullopt;
    if (!firstListRead_)
        firstListRead_ = firstList_.get();
    if (firstListRead_->path.isEmpty() || QFileInfo(path).absoluteFilePath() != firstListRead_->path)
        return std::nullopt;
    linesTaken_ = true;
    return std::move(firstListRead_->lines);
}

} // namespace tivoral
