#include "editor/sessionrecovery.h"

#include "editor/unsavededits.h"
#include "platform/countwording.h"
#include "platform/dialogs.h"
#include "platform/textfile.h"
#include "store/appstate.h"
#include "store/ownfiles.h"
#include "store/sentencefiles.h"

#include <QFile>

namespace tivoral {

SessionRecovery::SessionRecovery(AppState& app, UnsavedEditsQuestion& unsavedEdits)
    : app_(app), unsavedEdits_(unsavedEdits),
      path_(app.workFolder.filePath(QString::fromLatin1(ownfiles::RecoveryFileName))) {}

bool SessionRecovery::sessionEnds(bool mayAsk) {
    if (!app_.store.hasUnsavedEdits())
        return true;
    if (mayAsk)
        return unsavedEdits_.mayGoOn();
    // Nobody can be asked now; a list emptied by hand is nothing to give back.
    if (!app_.store.isEmpty())
        textfile::writeLinesAtomic(path_, app_.store.entries());
    return true;
}

void SessionRecovery::offerKeptEdits() {
    if (!QFile::exists(path_))
        return;
    QStringList kept = textfile::readLines(path_).lines;
    normaliseSentences(kept);
    // Kept while the session went on after all: the list still holds them.
    if (kept.isEmpty() || kept == app_.store.entries()) {
        QFile::remove(path_);
        return;
    }
    const Answer answer =
        app_.dialogs.message(offerPrompt(int(kept.size())), QStringLiteral("Satzeditor"),
                             Buttons::YesNo, Icon::Question, Answer::Yes);
    if (answer == Answer::Yes) {
        // The list they replace may hold edits of its own; those are asked about first.
        if (!unsavedEdits_.mayGoOn())
            return;
        app_.store.setEntries(kept);
        app_.store.setSelected(0);
        app_.fileStatus.setEditorCount(app_.store.count());
    }
    QFile::remove(path_);
}

QString SessionRecovery::offerPrompt(int count) {
    return QStringLiteral("Beim letzten Abmelden waren Änderungen an der Satzliste noch nicht "
                          "gespeichert.\r") +
           countWording(count, QStringLiteral("1 Satz wurde aufbewahrt."),
                        QStringLiteral("%1 Sätze wurden aufbewahrt.")) +
           QStringLiteral("\rSollen sie jetzt wieder in den Satzeditor geladen werden?\r");
}

} // namespace tivoral
