#pragma once

#include <QObject>
#include <QString>

#include <optional>

namespace tivoral {

// What the loaders know about the sentence list: for the editor its count or why loading failed
// and where the list came from; for the exercises the file they practise and its count. The
// windows turn these into their labels.
class SentenceFileStatus final : public QObject {
    Q_OBJECT
public:
    enum class LoadError { None, FileError, NoSentences };

    // The editor's sentence count; none before the first load or count.
    const std::optional<int>& editorCount() const { return editorCount_; }
    LoadError loadError() const { return loadError_; }
    // A file's path, or the name the editor shows for a list that comes with the program.
    const QString& editorPath() const { return editorPath_; }
    // The file the exercises practise, as named in the folder, and its sentences (0 before any
    // load).
    const QString& loadedName() const { return loadedName_; }
    int loadedCount() const { return loadedCount_; }

    void setEditorCount(int count);
    // The editor's count makes way for the error; everything else stays as it was.
    void setLoadError(LoadError error);
    void setLoaded(int count, const QString& path, const QString& name);
    // A list that comes with the program: shown and practised like a loaded one, but it is no
    // file yet, so restoreLoaded() goes back past it.
    void setUnsavedList(int count, const QString& label, const QString& name);
    // Everything as after the last load, failed load or save; for edits the teacher discards.
    void restoreLoaded();

Q_SIGNALS:
    void changed();

private:
    struct Loaded {
        std::optional<int> editorCount;
        LoadError loadError = LoadError::None;
        QString editorPath;
        QString loadedName;
        int loadedCount = 0;
    };
    void setShown(int count, const QString& path, const QString& name);
    Loaded current() const;

    Loaded lastLoaded_;
    std::optional<int> editorCount_;
    LoadError loadError_ = LoadError::None;
    QString editorPath_;
    QString loadedName_;
    int loadedCount_ = 0;
};

} // namespace tivoral
