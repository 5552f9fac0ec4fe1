#include "editor/listprinter.h"

#include "platform/dialogs.h"
#include "platform/numberedfile.h"
#include "platform/printing.h"
#include "platform/safefile.h"
#include "platform/textcase.h"
#include "platform/textmarks.h"
#include "store/appstate.h"

#include <QFileInfo>

namespace tivoral {

namespace {
const QString Title = QStringLiteral("Tivoral");

PrintFont listFont() {
    return PrintFont{QString::fromLatin1(ListPrinter::FontFamily), ListPrinter::FontSize};
}
} // namespace

ListPrinter::ListPrinter(AppState& app, Printing& printing) : app_(app), printing_(printing) {}

void ListPrinter::print() {
    if (app_.store.isEmpty()) {
        app_.dialogs.message(QStringLiteral("Die Liste ist leer, es gibt nichts zu drucken.") + CR,
                             Title, Buttons::Ok, Icon::Information);
        return;
    }
    if (!printing_.hasPrinter()) {
        offerPdf();
        return;
    }
    QString error;
    if (!printing_.print(app_.store.entries(), listFont(), &error)) {
        app_.dialogs.message(QStringLiteral("Die Liste konnte nicht gedruckt werden.") + CR +
                                 error + CR,
                             Title, Buttons::Ok, Icon::Warning);
        return;
    }
    app_.dialogs.message(QStringLiteral("Die Liste wird ausgedruckt ...") + CR, Title, Buttons::Ok,
                         Icon::Information);
}

QString ListPrinter::pdfFileName() const {
    const QString loaded = QFileInfo(app_.fileStatus.editorPath()).completeBaseName();
    const QString base = loaded.isEmpty()
                             ? QFileInfo(QString::fromLatin1(FallbackPdfName)).baseName()
                             : toUpperFileName(loaded);
    for (int number = 1; number <= MaxPdfNumber; ++number) {
        const QString name = numberedfile::name(base, QStringLiteral("PDF"), number);
        if (!safefile::entryExists(app_.workFolder.filePath(name)))
            return name;
    }
    return {};
}

void ListPrinter::offerPdf() {
    const Answer answer = app_.dialogs.message(
        QStringLiteral("Es ist kein Drucker eingerichtet.") + CR +
            QStringLiteral("Soll die Liste stattdessen als PDF-Datei im Arbeitsordner "
                           "gespeichert werden?") +
            CR,
        QStringLiteral("Liste drucken"), Buttons::YesNo, Icon::Question, Answer::Yes);
    if (answer != Answer::Yes)
        return;

    const QString name = pdfFileName();
    const QString path = app_.workFolder.filePath(name);
    const QString shownPath = QDir::toNativeSeparators(path);
    QString error = QStringLiteral("Alle Namen für die PDF-Datei sind schon vergeben.");
    if (name.isEmpty() || !printing_.writePdf(path, app_.store.entries(), listFont(), &error)) {
        app_.dialogs.message(QStringLiteral("Die PDF-Datei konnte nicht geschrieben werden.") + CR +
                                 shownPath + CR + error + CR,
                             Title, Buttons::Ok, Icon::Warning);
        return;
    }
    app_.dialogs.message(QStringLiteral("Die Liste wurde als PDF-Datei gespeichert:") + CR +
                             shownPath + CR,
                         Title, Buttons::Ok, Icon::Information);
}

} // namespace tivoral
