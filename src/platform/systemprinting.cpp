#include "platform/systemprinting.h"

#include "platform/safefile.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

namespace tivoral {

namespace {

constexpr qreal PageMarginMillimetres = 20.0;
constexpr int PdfResolutionDpi = 300;
const QString DocumentName = QStringLiteral("Tivoral: Satzliste");

void setMargins(QPagedPaintDevice& device) {
    device.setPageMargins(QMarginsF(PageMarginMillimetres, PageMarginMillimetres,
                                    PageMarginMillimetres, PageMarginMillimetres),
                          QPageLayout::Millimeter);
}

// Draws the lines from the top left of the printable area down; a line longer than the page
// is wide wraps at word boundaries instead of running off the paper.
bool paintLines(QPagedPaintDevice& device, const QStringList& lines, const PrintFont& font,
                QString* error) {
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = QStringLiteral("Der Druck konnte nicht beginnen.");
        return false;
    }
    QFont printed(font.family, font.pointSize);
    // Every letter on its own for readers who are learning: no ligatures such as fl.
    printed.setStyleStrategy(QFont::PreferNoShaping);
    painter.setFont(printed);
    const int pageWidth = painter.viewport().width();
    const int pageHeight = painter.viewport().height();
    const int lineHeight = painter.fontMetrics().lineSpacing();
    constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

    int y = 0;
    for (const QString& line : lines) {
        const QRect needed = painter.boundingRect(QRect(0, 0, pageWidth, pageHeight), flags, line);
        const int height = qMax(needed.height(), lineHeight);
        if (y > 0 && y + height > pageHeight) {
            if (!device.newPage()) {
                if (error)
                    *error = QStringLiteral("Eine neue Seite konnte nicht beginnen.");
                return false;
            }
            y = 0;
        }
        painter.drawText(QRect(0, y, pageWidth, height), flags, line);
        y += height;
    }
    return painter.end();
}

} // namespace

bool SystemPrinting::hasPrinter() const {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

QPrinterInfo printerToUse(QString* error) {
    QPrinterInfo target = QPrinterInfo::defaultPrinter();
    if (target.isNull() && !QPrinterInfo::availablePrinters().isEmpty())
        target = QPrinterInfo::availablePrinters().constFirst();
    if (target.isNull() && error)
        *error = QStringLiteral("Es ist kein Drucker eingerichtet.");
    return target;
}

bool SystemPrinting::print(const QStringList& lines, const PrintFont& font, QString* error) {
    const QPrinterInfo target = printerToUse(error);
    if (target.isNull())
        return false;
    QPrinter printer(target, QPrinter::HighResolution);
    printer.setDocName(DocumentName);
    setMargins(printer);
    return paintLines(printer, lines, font, error);
}

bool SystemPrinting::writePdf(const QString& path, const QStringList& lines, const PrintFont& font,
                              QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = safefile::openFailureText(path);
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(DocumentName);
        writer.setCreator(QStringLiteral("Tivoral"));
        writer.setResolution(PdfResolutionDpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        setMargins(writer);
        if (!paintLines(writer, lines, font, error)) {
            file.cancelWriting();
            return false;
        }
    }
    // A failed flush is not seen by commit(); the file would be renamed cut short.
    if (!file.flush() || !file.commit()) {
        if (error)
            *error = safefile::writeFailureText();
        return false;
    }
    return true;
}

} // namespace tivoral
