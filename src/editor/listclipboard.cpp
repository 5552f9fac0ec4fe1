#include "editor/listclipboard.h"

#include "editor/listrules.h"
#include "platform/clipboard.h"
#include "platform/countwording.h"
#include "platform/dialogs.h"
#include "platform/textmarks.h"
#include "store/appstate.h"

namespace tivoral {

ListClipboard::ListClipboard(AppState& app, Clipboard& clipboard)
    : app_(app), clipboard_(clipboard) {}

void ListClipboard::copy() {
    clipboard_.clear();
    clipboard_.setText(listrules::clipboardText(app_.store.entries()));
    app_.dialogs.message(QStringLiteral("Die Liste wurde kopiert.") + CR, QStringLiteral("Ablage"),
                         Buttons::Ok, Icon::Information);
}

int ListClipboard::paste() {
    QStringList added = listrules::linesToPaste(app_.store.entries(), clipboard_.text());
    const qsizetype tooLong = added.removeIf(listrules::isTooLong);
    if (tooLong > 0) {
        app_.dialogs.message(
            listrules::tooLongText() + CR +
                countWording(
                    tooLong,
                    QStringLiteral("1 zu lange Zeile aus der Ablage wurde nicht übernommen."),
                    QStringLiteral("%1 zu lange Zeilen aus der Ablage wurden nicht übernommen.")) +
                CR,
            QStringLiteral("Ablage"), Buttons::Ok, Icon::Warning);
    }
    if (added.isEmpty())
        return 0;

    const qsizetype room = SentenceStore::MaxEntries - app_.store.count();
    const qsizetype left = added.size() - room;
    if (left > 0)
        added.resize(room);

    // One change for the whole paste, so the list view redraws once.
    const int selected = app_.store.selected();
    app_.store.setEntries(app_.store.entries() + added);
    app_.store.setSelected(selected);

    if (left > 0) {
        app_.dialogs.message(
            listrules::listFullText() + CR +
                countWording(left, QStringLiteral("1 Zeile aus der Ablage wurde nicht übernommen."),
                             QStringLiteral("%1 Zeilen aus der Ablage wurden nicht übernommen.")) +
                CR,
            QStringLiteral("Ablage"), Buttons::Ok, Icon::Warning);
    }
    return int(added.size());
}

} // namespace tivoral
