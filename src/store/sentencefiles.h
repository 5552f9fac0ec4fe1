#pragma once

#include "platform/fileversion.h"
#include "platform/textfile.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <optional>

namespace tivoral {

class Dialogs;
class SentenceFileList;
class SentenceFileStatus;
class SentenceStore;

// Non-breaking and other Unicode spaces (pasted from word processors) made ordinary blanks,
// which a keyboard can type; false when there were none.
bool makeBlanksPlain(QString& text);
// What the editor does to typed and pasted text and the loaders to sentences of a file: control
// and invisible characters removed, tabs and other spaces made blanks; false when unchanged.
bool cleanTypedText(QString& text);
// Blanks made plain, trailing blanks removed, runs of blanks made one blank.
QString normaliseSentence(const QString& text);
// Cleans every entry; entries that end up empty cannot be practised and are removed.
void normaliseSentences(SentenceStore& store);
// The same on a list, in place; true when anything changed.
bool normaliseSentences(QStringList& entries);

// A sentence list's lines as the loaders read them, cleaned, with the file's version taken
// before reading: a change that slips in between then counts as a change.
struct SentenceLines {
    textfile::ReadResult read;
    std::optional<FileVersion> version;
};
SentenceLines readSentenceLines(const QString& path);

class StartPrefetch;

// The two sentence-file loaders and the default file.
class SentenceFileLoader {
public:
    static constexpr const char* DefaultFileName = "TIVORAL.TXT";
    static const QStringList& defaultSentences();

    SentenceFileLoader(const QDir& folder, SentenceStore& store, SentenceFileStatus& status,
                       Dialogs& dialogs);

    // The main window's loader: makes the default file when the list is empty.
    void loadSentenceFile(SentenceFileList& mainList);
    void loadEditorSentenceFile(SentenceFileList& editorList);
    bool createDefaultSentenceFile();
    // Loads the selected file and returns its sentences for the preview; nothing when no file
    // is selected (the message has been shown).
    std::optional<QStringList> previewSentenceFile(SentenceFileList& mainList);
    // The load of a double click; the view closes itself first.
    void loadAndCloseFileView(SentenceFileList& mainList);

    // True when the store holds only the first part of the file at path, as loaded last.
    bool loadedInPart(const QString& path) const;
    void forgetPartialLoad() { partlyLoadedPath_.clear(); }
    // The sentences (lines not blank) a file holds, counted without keeping them.
    static int countSentences(const QString& path);

    // The file the store was last loaded from, and the files it has been saved to since, as
    // this copy saw them.
    FileVersions& sourceVersions() { return sourceVersions_; }

    // The first list read ahead at the start is taken from there instead of being read again.
    void useReadAhead(StartPrefetch* prefetch) { readAhead_ = prefetch; }

private:
    enum class Kind { Main, Editor };
    void load(SentenceFileList& list, Kind kind);
    bool reportNoSelection(const SentenceFileList& list);
    void reportLimits(int overlongLines, bool truncated);
    QString pathOf(const QString& name) const;

    QDir folder_;
    SentenceStore& store_;
    SentenceFileStatus& status_;
    Dialogs& dialogs_;
    FileVersions sourceVersions_;
    QString partlyLoadedPath_; // absolute; empty when the last load was whole
    QString lastPath_;         // of the last load, and by which loader
    Kind lastKind_ = Kind::Main;
    StartPrefetch* readAhead_ = nullptr;
};

} // namespace tivoral
