#include "shell/mainviews.h"

#include "platform/dialogs.h"
#include "store/appstate.h"

namespace tivoral {

MainViews::MainViews(AppState& app, QObject* parent) : QObject(parent), app_(app) {}

void MainViews::startUp() {
    if (app_.mainFiles.count() > 0)
        app_.mainFiles.setSelected(0);
    loadSettingsAndUsers(app_);
    app_.loader.loadSentenceFile(app_.mainFiles);
    // The list was read with the folder a moment ago: a large folder is not listed twice, and
    // the list just loaded is not read a second time for its preview.
    const SentenceFileStatus& status = app_.fileStatus;
    const bool selectedLoaded = status.loadError() == SentenceFileStatus::LoadError::None &&
                                status.loadedCount() > 0 &&
                                status.loadedName() == app_.mainFiles.selectedName();
    openSentenceFileView(selectedLoaded ? std::optional(app_.store.entries()) : std::nullopt);
    Q_EMIT changed();
}

void MainViews::parkFileView() {
    fileViewOpen_ = false;
}

void MainViews::parkReadingView() {
    readingViewOpen_ = false;
}

void MainViews::loadPreview() {
    if (const std::optional<QStringList> lines = app_.loader.previewSentenceFile(app_.mainFiles))
        previewLines_ = *lines;
}

void MainViews::toggleSentenceFileView() {
    if (!fileViewOpen_) {
        // Files saved by the editor since the list was read show up as well.
        app_.mainFiles.refresh();
        openSentenceFileView();
    } else {
        parkReadingView();
        fileViewOpen_ = false;
        previewLines_.clear();
    }
    Q_EMIT changed();
}

void MainViews::openSentenceFileView(std::optional<QStringList> loadedLines) {
    parkReadingView();
    textCaseFrameOpen_ = false;
    userPanelOpen_ = false;
    fileViewOpen_ = true;
    if (loadedLines)
        previewLines_ = std::move(*loadedLines);
    else
        loadPreview();
    fileViewHint_ = QString::fromUtf8(FileViewHint);
}

void MainViews::previewFile(int index) {
    app_.mainFiles.setSelected(index);
    loadPreview();
    Q_EMIT changed();
}

void MainViews::loadAndCloseFileView(int index) {
    app_.mainFiles.setSelected(index);
    parkFileView();
    Q_EMIT changed();
    app_.loader.loadAndCloseFileView(app_.mainFiles);
}

void MainViews::toggleReadingView() {
    parkFileView();
    if (readingViewOpen_) {
        hideReadingView();
        return;
    }
    readingLines_ = app_.store.entries();
    readingViewOpen_ = true;
    textCaseFrameOpen_ = false;
    Q_EMIT changed();
}

void MainViews::hideReadingView() {
    textCaseFrameOpen_ = false;
    readingViewOpen_ = false;
    readingLines_.clear();
    Q_EMIT changed();
}

void MainViews::toggleTextCaseFrame() {
    parkFileView();
    parkReadingView();
    if (!textCaseFrameOpen_) {
        userPanelOpen_ = false;
        textCaseFrameOpen_ = true;
    } else {
        textCaseFrameOpen_ = false;
    }
    Q_EMIT changed();
}

void MainViews::selectTextCase(TextCase value) {
    app_.textCase.set(value);
    textCaseFrameOpen_ = false;
    Q_EMIT changed();
}

void MainViews::toggleUserPanel() {
    parkFileView();
    parkReadingView();
    if (!userPanelOpen_) {
        textCaseFrameOpen_ = false;
        userPanelOpen_ = true;
    } else {
        userPanelOpen_ = false;
    }
    Q_EMIT changed();
}

void MainViews::closeUserPanel() {
    userPanelOpen_ = false;
    Q_EMIT changed();
}

void MainViews::selectUser(int index) {
    app_.users.selectUser(index);
    closeUserPanel();
}

void MainViews::addUser() {
    app_.users.addUser(app_.dialogs);
}

void MainViews::prepareExerciseStart(StartKind kind) {
    if (kind == StartKind::ClearReadingView) {
        hideReadingView();
        return;
    }
    parkFileView();
    parkReadingView();
    Q_EMIT changed();
}

bool MainViews::askTeacher() {
    parkReadingView();
    Q_EMIT changed();
    return askTeacherPassword(app_);
}

bool MainViews::askExit() {
    parkReadingView();
    Q_EMIT changed();
    return app_.dialogs.message(QStringLiteral("Das Programm jetzt beenden?\r"),
                                QStringLiteral("Tivoral"), Buttons::YesNo, Icon::Question,
                                Answer::No) == Answer::Yes;
}

} // namespace tivoral
