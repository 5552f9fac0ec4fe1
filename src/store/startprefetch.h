#pragma once

#include "store/sentencefiles.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <future>
#include <optional>
#include <thread>

namespace tivoral {

// What the start reads from the class folder, read on a thread of its own while the window
// system and the main window are set up: the names of the sentence lists and the lines of the
// first, which the start loads. A large class folder then costs the first frame little more
// than a small one.
class StartPrefetch {
public:
    // Reads nothing when the folder is not there yet (it is made at the start).
    explicit StartPrefetch(const QString& folder);
    StartPrefetch(const StartPrefetch&) = delete;
    StartPrefetch& operator=(const StartPrefetch&) = delete;
    ~StartPrefetch();

    // The folder's list names as SentenceFileList lists them, when `folder` is the one read.
    std::optional<QStringList> names(const QDir& folder);
    // The first list's lines, once, when `path` is the file read.
    std::optional<SentenceLines> takeLines(const QString& path);

private:
    struct FirstList {
        QString path; // absolute; empty without lists
        SentenceLines lines;
    };

    QString folder_; // absolute
    // The names come first, so that the window can be made while the first list is read.
    std::future<QStringList> names_;
    std::future<FirstList> firstList_;
    std::thread reader_;
    std::optional<QStringList> namesRead_;
    std::optional<FirstList> firstListRead_;
    bool linesTaken_ = false;
};

} // namespace tivoral
