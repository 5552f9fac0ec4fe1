#include "editor/unsavededits.h"

#include "editor/listsaver.h"
#include "platform/dialogs.h"
#include "store/appstate.h"

namespace tivoral {

UnsavedEditsQuestion::UnsavedEditsQuestion(AppState& app, ListSaver& saver)
    : app_(app), saver_(saver) {}

bool UnsavedEditsQuestion::mayGoOn() {
    if (!app_.store.hasUnsavedEdits())
        return true;
    const Answer answer = app_.dialogs.message(QStringLiteral("Die Änderungen speichern?"),
                                               QStringLiteral("Satzeditor"), Buttons::YesNoCancel,
                                               Icon::Question, Answer::Yes);
    switch (answer) {
    case Answer::Yes:
        // A save given up in its name box or at the overwrite question was no save: stay.
        return saver_.save() == ListSaver::Result::Saved;
    case Answer::No:
        // The teacher threw the edits away: the list is again as last loaded or saved, for the
        // exercises too, and a later save cannot bring the edits back.
        app_.store.discardUnsavedEdits();
        app_.fileStatus.restoreLoaded();
        return true;
    case Answer::Ok:
    case Answer::Cancel:
        break;
    }
    return false;
}

} // namespace tivoral
