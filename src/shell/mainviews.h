#pragma once

#include "exercises/exercisecatalog.h"
#include "store/textcaseoption.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace tivoral {

class AppState;

// The pop-up views of the main window and what they show: which one is open, the preview of
// the sentence file, the reading text, the hint. The window draws itself from this state after
// every changed() and forwards each click to one operation here.
class MainViews final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* FileViewHint =
        " Zum Laden das Datei-Icon anklicken oder einen Doppelklick auf Dateinamen ausführen ...";

    explicit MainViews(AppState& app, QObject* parent = nullptr);

    bool fileViewOpen() const { return fileViewOpen_; }
    bool readingViewOpen() const { return readingViewOpen_; }
    bool userPanelOpen() const { return userPanelOpen_; }
    bool textCaseFrameOpen() const { return textCaseFrameOpen_; }
    const QStringList& previewLines() const { return previewLines_; }
    const QStringList& readingLines() const { return readingLines_; }
    const QString& fileViewHint() const { return fileViewHint_; }

    // Settings and users, the sentence file, then the file view with its preview.
    void startUp();

    void toggleSentenceFileView();
    void previewFile(int index);
    void loadAndCloseFileView(int index);

    void toggleReadingView();
    void hideReadingView();

    void toggleTextCaseFrame();
    void selectTextCase(TextCase value);

    void toggleUserPanel();
    void closeUserPanel();
    void selectUser(int index);
    void addUser();

    // Closes what an exercise start closes.
    void prepareExerciseStart(StartKind kind);
    // Asks the teacher's password; true when the teacher window may open.
    bool askTeacher();
    // Asks whether the program shall end.
    bool askExit();

Q_SIGNALS:
    void changed();

private:
    void parkFileView();
    void parkReadingView();
    void loadPreview();
    // loadedLines: the selected list's sentences when it has just been loaded; otherwise it is
    // read.
    void openSentenceFileView(std::optional<QStringList> loadedLines = std::nullopt);

    AppState& app_;
    bool fileViewOpen_ = false;
    bool readingViewOpen_ = false;
    bool userPanelOpen_ = false;
    bool textCaseFrameOpen_ = false;
    QStringList previewLines_;
    QStringList readingLines_;
    QString fileViewHint_;
};

} // namespace tivoral
