#include "editor/sentenceeditor.h"

#include "editor/listrules.h"
#include "editor/unsavededits.h"
#include "platform/dialogs.h"
#include "platform/textmarks.h"
#include "store/appstate.h"
#include "store/sentencefiles.h"

namespace tivoral {

SentenceEditor::SentenceEditor(AppState& app, QObject* parent)
    : QObject(parent), app_(app), files_(app.workFolder) {}

void SentenceEditor::setInput(const QString& typed) {
    // A pasted line end or tab would be stored as an invisible part of the sentence, a
    // non-breaking space as a gap no keyboard can type.
    QString text = typed;
    cleanTypedText(text);
    const bool changed = text != input_ || text != typed;
    input_ = text;
    if (changed)
        Q_EMIT inputChanged(input_);
    // The count runs on every change, also the first one to an empty line.
    const int count = listrules::countInputWords(input_);
    const QString display = listrules::wordCountText(count);
    if (display != wordDisplay_) {
        wordDisplay_ = display;
        Q_EMIT wordDisplayChanged(wordDisplay_);
    }
    // A shorter line later does not take the warning away; only its own click does.
    if (listrules::exceedsWordLimit(count))
        setWarningShown(true);
}

bool SentenceEditor::add() {
    if (input_.isEmpty()) {
        app_.dialogs.message(QStringLiteral("Es wurde kein Text eingegeben!") + CR,
                             QStringLiteral("Listeneingabe"), Buttons::Ok, Icon::None);
        return false;
    }
    if (refuseTooLong())
        return false;
    if (listrules::containsExactly(app_.store.entries(), input_)) {
        app_.dialogs.message(QStringLiteral("Der Satz ist schon vorhanden!") + CR,
                             QStringLiteral("Satzeingabe"), Buttons::Ok, Icon::None);
        return false;
    }
    if (!app_.store.append(input_)) {
        app_.dialogs.message(listrules::listFullText() + CR, QStringLiteral("Listeneingabe"),
                             Buttons::Ok, Icon::Warning);
        return false;
    }
    updateCountDisplay();
    return true;
}

void SentenceEditor::replace() {
    const int selected = app_.store.selected();
    if (app_.store.isValidIndex(selected) && !refuseTooLong())
        app_.store.replace(selected, input_);
}

bool SentenceEditor::refuseTooLong() {
    if (!listrules::isTooLong(input_))
        return false;
    app_.dialogs.message(listrules::tooLongText() + CR, QStringLiteral("Satzeingabe"), Buttons::Ok,
                         Icon::Warning);
    return true;
}

void SentenceEditor::fetch() {
    const int selected = app_.store.selected();
    if (app_.store.isValidIndex(selected))
        setInput(app_.store.entry(selected));
}

bool SentenceEditor::deleteSelected() {
    const int selected = app_.store.selected();
    if (!app_.store.isValidIndex(selected))
        return false;
    const QString lineNumber = SentenceStore::countText(selected + 1);
    const Answer answer =
        app_.dialogs.message(listrules::deleteQuestionText(app_.store.entry(selected)) + CR,
                             QStringLiteral("Zeile") + lineNumber + QStringLiteral(" löschen?"),
                             Buttons::YesNo, Icon::Question, Answer::No);
    if (answer != Answer::Yes)
        return false;

    app_.store.remove(selected);
    app_.dialogs.message(QStringLiteral("Die Zeile") + lineNumber +
                             QStringLiteral(" wurde gelöscht!") + CR,
                         QStringLiteral("Zeile löschen"), Buttons::Ok, Icon::None);
    app_.store.setSelected(app_.store.isEmpty() ? SentenceStore::NoSelection : 0);
    updateCountDisplay();
    return true;
}

void SentenceEditor::hideWarning() {
    setWarningShown(false);
}

void SentenceEditor::toggleFileList() {
    setFileListShown(!fileListShown_);
}

void SentenceEditor::selectFile(int index) {
    files_.setSelected(index);
}

void SentenceEditor::loadSelectedFile(UnsavedEditsQuestion& unsavedEdits) {
    setFileListShown(false);
    if (files_.selected() < 0) {
        app_.dialogs.message(QStringLiteral("Keine Dateien vorhanden!") + CR,
                             QStringLiteral("Dosensätze laden"), Buttons::Ok, Icon::None);
        return;
    }
    if (!unsavedEdits.mayGoOn())
        return;
    app_.loader.loadEditorSentenceFile(files_);
}

void SentenceEditor::refreshFiles() {
    files_.refresh();
}

void SentenceEditor::updateCountDisplay() {
    app_.fileStatus.setEditorCount(app_.store.count());
}

void SentenceEditor::setWarningShown(bool shown) {
    if (shown == warningShown_)
        return;
    warningShown_ = shown;
    Q_EMIT warningShownChanged(warningShown_);
}

void SentenceEditor::setFileListShown(bool shown) {
    if (shown == fileListShown_)
        return;
    fileListShown_ = shown;
    Q_EMIT fileListShownChanged(fileListShown_);
}

} // namespace tivoral
