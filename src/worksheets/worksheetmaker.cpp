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

QString WorksheetMaker::classFontFamily() const {
    const auto& font = app_.settings.exerciseFont();
    return font ? font->family : QString::fromLatin1(Settings::DefaultFontName);
}

void WorksheetMaker::make(const WorksheetOptions& options, const QList<int>& marked) {
    const QStringList sentences = chosenSentences(app_.store.entries(), marked, options);
    if (sentences.isEmpty()) {
        app_.dialogs.message(
            QStringLiteral("Die Liste ist leer, es gibt kein Arbeitsblatt zu machen.") + CR, Title,
            Buttons::Ok, Icon::Information);
        return;
    }
    const QString listName = QFileInfo(app_.fileStatus.editorPath()).fileName();
    const WorksheetContent content =
        composeWorksheet(listName.isEmpty() ? QStringLiteral("Satzliste") : listName, sentences,
                         app_.random, app_.textCase, options);
    const QString family = options.fontFamily.isEmpty() ? classFontFamily() : options.fontFamily;

    const numberedfile::NewFile pdf = numberedfile::writeNew(
        app_.workFolder, QString::fromLatin1(FileStem), QStringLiteral("PDF"), MaxFileNumber,
        [&](QIODevice& device, QString* error) {
            return writeWorksheetPdf(device, content, family, error);
        });
    QString prompt = pdf.report(QStringLiteral("Das Arbeitsblatt"), QStringLiteral("PDF"));
    bool allWell = pdf.written();

    if (printer_.hasPrinter()) {
        QString error;
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
                      .arg(sentences.size()) +
                  CR;
    app_.dialogs.message(prompt, Title, Buttons::Ok, allWell ? Icon::Information : Icon::Warning);
}

} // namespace tivoral
