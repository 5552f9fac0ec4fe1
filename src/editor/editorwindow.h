#pragma once

#include "editor/editorspelling.h"
#include "editor/listclipboard.h"
#include "editor/listprinter.h"
#include "editor/listsaver.h"
#include "editor/sentenceeditor.h"
#include "editor/sentencelistmodel.h"
#include "editor/sessionrecovery.h"
#include "editor/unsavededits.h"
#include "platform/systemclipboard.h"
#include "platform/systemprinting.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;
class QSessionManager;
class QToolButton;

namespace tivoral {

class AppState;
class SampleListDialog;

// The sentence editor: the teacher edits the shared sentence list, loads, saves,
// prints, copies and pastes it. Every control forwards its event to the editor's logic.
class EditorWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int WidthTwips = 9675;
    static constexpr int HeightTwips = 8055;

    explicit EditorWindow(AppState& app, QWidget* parent = nullptr);

    // Shows the window, ready for typing, with the folder's files listed anew.
    void activate();
    // The rows the teacher marked in the list, for a worksheet of just those.
    QList<int> markedRows() const;

Q_SIGNALS:
    // The teacher left the editor, by its button or through the window frame.
    void returnedToMainWindow();
    // The teacher asked for worksheets of the current list.
    void worksheetsRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectLogic();
    void addInput();
    void paste();
    void showRowsFrom(int firstNewRow);
    void fetchRow(const QModelIndex& index);
    void markSelectedRow();
    void returnToMainWindow();
    void showFileStatus();
    void showFiles();
    void showSelectedSentence();
    void showWarning(bool shown);
    void offerSampleLists();
    // The desktop session ends while the list may hold unsaved edits.
    void answerSessionEnd(QSessionManager& manager);
    void buildSpellingControls();

    AppState& app_;
    SystemClipboard clipboard_;
    SystemPrinting printing_;
    SentenceEditor editor_;
    ListSaver saver_;
    ListPrinter printer_;
    ListClipboard transfer_;
    UnsavedEditsQuestion unsavedEdits_;
    SessionRecovery recovery_;
    SentenceListModel model_;
    EditorSpelling spelling_;

    QListView* sentences_ = nullptr;
    QListWidget* files_ = nullptr;
    QLabel* fileLabel_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QLabel* wordLabel_ = nullptr;
    QLineEdit* input_ = nullptr;
    QPushButton* warning_ = nullptr;
    SampleListDialog* sampleLists_ = nullptr;
    QStringList shownFileNames_;
};

} // namespace tivoral
