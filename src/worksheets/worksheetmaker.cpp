#include "worksheets/worksheetmaker.h"

#include "platform/dialogs.h"
#include "platform/numberedfile.h"
#include "platform/systemprinting.h"
#include "platform/textmarks.h"
#include "store/appstate.h"
#include "worksheets/worksheetpainter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace tivoral {

namespace {

const QString Title = QStringLiteral("Arbeitsblätter");
const QString DocumentName = QStringLiteral("Tivoral: Arbeitsblatt");
constexpr int PdfResolutionDpi = 300;

} // namespace

bool SystemSheetPrinter::hasPrinter() const {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

bool SystemSheetPrinter::print(const WorksheetContent& content, const QString& fontFamily,
                               QString* error) {
    const QPrinterInfo target = printerToUse(error);
    if (target.isNull())
        return false;
    QPrinter printer(target, QPrinter::HighResolution);
    printer.setDocName(DocumentName);
    return WorksheetPainter(content, fontFamily).paint(printer, error);
}

bool writeWorksheetPdf(QIODevice& device, const WorksheetContent& content,
                       const QString& fontFamily, QString* error) {
    {
        QPdfWriter writer(&device);
        writer.setTitle(DocumentName);
        writer.setCreator(QStringLiteral("Tivoral"));
        writer.setResolution(PdfResolutionDpi);
        if (!WorksheetPainter(content, fontFamily).paint(writer, error))
            return false;
    }
    auto* file = qobject_cast<QFileDevice*>(&device);
    if (file && (!file->flush() || file->error() != QFileDevice::NoError)) {
        if (error)
            *error = QStringLiteral("Die Datei ließ sich nicht vollständig schreiben.");
        return false;
    }
    return true;
}

WorksheetMaker::WorksheetMaker(AppState& app, SheetPrinter& printer)
    : app_(app), printer_(printer) {}

QString WorksheetMaker::fontFamily() const {
    const auto& font = app_.settings.exerciseFont();
    return font ? font->family : QString::fromLatin1(Settings::DefaultFontName);
}

void WorksheetMaker::make() {
    if (app_.store.isEmpty()) {
        app_.dialogs.message(
            QStringLiteral("Die Liste ist leer, es gibt kein Arbeitsblatt zu machen.") + CR, Title,
            Buttons::Ok, Icon::Information);
        return;
    }
    const QString listName = QFileInfo(app_.fileStatus.editorPath()).fileName();
    WorksheetContent content =
        composeWorksheet(listName.isEmpty() ? QStringLiteral("Satzliste") : listName,
                         app_.store.entries(), app_.random, app_.textCase);
    content.options = worksheetOptionsFor(app_.readingAids.current());
    const QString family = fontFamily();

    QString prompt;
    bool allWell = true;
    QFile file;
    QString error;
    if (!numberedfile::create(app_.workFolder, QString::fromLatin1(FileStem), QStringLiteral("PDF"),
                              MaxFileNumber, file)) {
        allWell = false;
        prompt = QStringLiteral("Im Arbeitsordner ließ sich keine neue PDF-Datei anlegen.") + CR;
    } else if (const QString shownPath = QDir::toNativeSeparators(file.fileName());
               !writeWorksheetPdf(file, content, family, &error)) {
        allWell = false;
        file.remove();
        prompt = QStringLiteral("Das Arbeitsblatt konnte nicht gespeichert werden.") + CR +
                 shownPath + CR + error + CR;
    } else {
        file.close();
        prompt =
            QStringLiteral("Das Arbeitsblatt ist als PDF-Datei gespeichert:") + CR + shownPath + CR;
    }

    if (printer_.hasPrinter()) {
        error.clear();
        if (printer_.print(content, family, &error)) {
            prompt += QStringLiteral("Es wird ausgedruckt ...") + CR;
        } else {
            allWell = false;
            prompt += QStringLiteral("Es konnte nicht gedruckt werden.") + CR + error + CR;
        }
    }
    if (content.leftOut > 0)
        prompt += QStringLiteral("Darauf stehen die ersten %1 von %2 Sätzen der Liste.")
                      .arg(content.answers.size())
                      .arg(app_.store.count()) +
                  CR;
    app_.dialogs.message(prompt, Title, Buttons::Ok, allWell ? Icon::Information : Icon::Warning);
}

} // namespace tivoral
