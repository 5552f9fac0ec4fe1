#pragma once

#include "store/sentencefilelist.h"

#include <QObject>
#include <QString>

namespace tivoral {

class AppState;
class UnsavedEditsQuestion;

// The editing side of the sentence editor: the input line with its word count and warning,
// adding, replacing, fetching and deleting lines of the shared sentence store, and the editor's
// own file list. The window shows this state and forwards each of its events here.
class SentenceEditor final : public QObject {
    Q_OBJECT
public:
    explicit SentenceEditor(AppState& app, QObject* parent = nullptr);

    SentenceFileList& files() { return files_; }
    const QString& input() const { return input_; }
    const QString& wordDisplay() const { return wordDisplay_; }
    bool warningShown() const { return warningShown_; }
    bool fileListShown() const { return fileListShown_; }

    // Every change of the input line; runs the word count.
    void setInput(const QString& text);
    // Refuses an empty input line and an exact duplicate with a message; true when appended.
    bool add();
    void replace();
    void fetch();
    // Asks first; true when the line was removed.
    bool deleteSelected();
    void hideWarning();
    void toggleFileList();
    void selectFile(int index);
    // The double click in the file list: hides it and loads the selected file once the
    // unsaved edits of the list are settled.
    void loadSelectedFile(UnsavedEditsQuestion& unsavedEdits);
    // The editor is shown again: the folder may hold new files.
    void refreshFiles();

Q_SIGNALS:
    void inputChanged(const QString& text);
    void wordDisplayChanged(const QString& text);
    void warningShownChanged(bool shown);
    void fileListShownChanged(bool shown);

private:
    void updateCountDisplay();
    // Tells and returns true when the input line is longer than a sentence may be.
    bool refuseTooLong();
    void setWarningShown(bool shown);
    void setFileListShown(bool shown);

    AppState& app_;
    SentenceFileList files_;
    QString input_;
    QString wordDisplay_;
    bool warningShown_ = false;
    bool fileListShown_ = false;
};

} // namespace tivoral
