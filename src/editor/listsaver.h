#pragma once

#include <QDir>
#include <QString>

#include <optional>
#include <functional>

namespace tivoral {

class AppState;
class SentenceFileList;

// Saves the sentence list as a sentence file in the working folder under a name the teacher
// types; the name is upper-cased, an existing file is replaced only after asking (with
// a warning instead when another computer changed the file since the list was loaded from it or
// saved to it), and the file is replaced as a whole or not at all.
class ListSaver {
public:
    enum class Result { Saved, Cancelled, Refused, Declined, Failed };

    ListSaver(AppState& app, SentenceFileList& editorFiles);

    Result save();
    // Asked before anything else; false ends the save with nothing written.
    void setSaveCheck(std::function<bool()> check) { saveCheck_ = std::move(check); }

    // The name a typed name is saved under: trailing blanks go, and a name without an
    // extension gets ".TXT", so that the file appears in the file lists.
    static QString fileNameFor(const QString& typed);
    // A name the program can create as a file in the working folder: not blank, no folder part,
    // no control characters, not longer than a file name may be.
    static bool isUsableFileName(const QString& name);
    // The file a name is written to. The working folder is searched without regard to case,
    // as the file list matches names: an existing file keeps its name, a new one is named in
    // capitals.
    static QString targetFileName(const QDir& folder, const QString& name);

private:
    // Asks before an existing file is replaced, of whatever kind, and says how many sentences
    // a file loaded only in part would lose; true when the list may be written.
    bool mayReplace(const QString& path, const QString& title);
    std::optional<int> sentencesLost(const QString& path) const;
    Result refuse(const QString& name);
    Result refuseOwnFile(const QString& name);
    bool writeList(const QString& path);

    AppState& app_;
    SentenceFileList& files_;
    std::function<bool()> saveCheck_;
};

} // namespace tivoral
