#include "shell/childreport.h"

#include "platform/dialogs.h"
#include "platform/numberedfile.h"
#include "platform/systemprinting.h"
#include "platform/textmarks.h"
#include "shell/practicechart.h"
#include "store/appstate.h"
#include "store/learningoverview.h"

#include <QBuffer>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <optional>

namespace tivoral {

namespace {

const QString ReportTitle = QStringLiteral("Bericht drucken");
const QString ReportDocumentName = QStringLiteral("Tivoral: Bericht");
constexpr int ReportPdfResolutionDpi = 300;
constexpr int ReportMaxFileNumber = 999;
constexpr double ReportMarginMm = 18.0;
constexpr double ReportMillimetresPerInch = 25.4;
constexpr double ReportGapMm = 5.0;
// The chart with its legend and days takes what the bars and the line of text about them took.
constexpr double ReportChartHeightMm = 68.0;
constexpr double ReportChartSpacingMm = 1.5;
constexpr int ReportTitlePoints = 20;
constexpr int ReportTextPoints = 11;
constexpr int ReportSmallPoints = 9;
constexpr double ReportPenMm = 0.5;
constexpr double ReportDotMm = 1.2;
const QColor ReportInk(20, 20, 40);
const QColor ReportLineGrey(150, 150, 150);
const QColor ReportGridGrey(215, 215, 215);

QFont reportFont(int points, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"), points, bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Letters, digits, blanks, "-" and "_" stay; anything a file name must not hold becomes "_".
QString fileStem(const QString& user) {
    QString stem = user;
    for (QChar& c : stem) {
        if (!c.isLetterOrNumber() && c != Blank && c != QLatin1Char('-'))
            c = QLatin1Char('_');
    }
    return QStringLiteral("BERICHT-") + stem;
}

class ReportPage {
public:
    ReportPage(QPainter& painter, const QPaintDevice& device)
        : painter_(painter), dotsPerMm_(device.logicalDpiY() / ReportMillimetresPerInch),
          width_(painter.viewport().width()) {}

    double mm(double millimetres) const { return millimetres * dotsPerMm_; }

    // Text at the next line, wrapped at the page's width; returns nothing, moves down.
    void text(const QString& text, const QFont& font, const QColor& colour = ReportInk,
              double indent = 0) {
        painter_.setFont(font);
        painter_.setPen(colour);
        const QRectF room(indent, top_, width_ - indent, painter_.viewport().height() - top_);
        QRectF used;
        painter_.drawText(room, Qt::AlignLeft | Qt::TextWordWrap, text, &used);
        top_ += used.height();
    }
    // One figure to a line, "Tage geübt: 13", so it reads the same wherever it is copied.
    void pair(const QString& heading, const QString& value, const QFont& font) {
        text(heading + QStringLiteral(": ") + value, font);
    }
    void gap() { top_ += mm(ReportGapMm); }

    void chart(const std::vector<PracticeDay>& days) {
        const QRectF frame(0, top_, width_, mm(ReportChartHeightMm));
        const PracticeChartStyle style{reportFont(ReportSmallPoints),
                                       reportFont(ReportTextPoints, true),
                                       ReportInk,
                                       ReportGridGrey,
                                       mm(ReportChartSpacingMm),
                                       mm(ReportPenMm),
                                       mm(ReportDotMm)};
        PracticeChart(painter_, style).paint(frame, days);
        top_ += frame.height();
    }

private:
    QPainter& painter_;
    double dotsPerMm_;
    double width_;
    double top_ = 0;
};

} // namespace

std::optional<ChildReport> ChildReport::of(const LearningOverview& overview, const QString& user) {
    const PracticeOverview& figures = overview.figures();
    const OverviewTable table = figures.table();
    for (const QStringList& row : table.rows) {
        if (row.constFirst() != user)
            continue;
        return ChildReport{user,
                           overview.periodWording(),
                           table.header.mid(1),
                           row.mid(1),
                           figures.days(user, overview.lastChartDay()),
                           figures.troubleSentences(user)};
    }
    return std::nullopt;
}

bool paintChildReport(QPagedPaintDevice& device, const ChildReport& report, QString* error) {
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageMargins(QMarginsF(ReportMarginMm, ReportMarginMm, ReportMarginMm, ReportMarginMm),
                          QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = QStringLiteral("Der Druck konnte nicht beginnen.");
        return false;
    }
    ReportPage page(painter, device);
    page.text(QStringLiteral("Lernstand von ") + report.user, reportFont(ReportTitlePoints, true));
    page.text(QStringLiteral("Zeitraum: ") + report.period, reportFont(ReportTextPoints));
    page.gap();
    for (qsizetype k = 0; k < report.headings.size() && k < report.figures.size(); ++k)
        page.pair(report.headings.at(k), report.figures.at(k), reportFont(ReportTextPoints));
    page.gap();
    page.chart(report.days);
    page.gap();
    page.text(QStringLiteral("Schwierige Sätze"), reportFont(ReportTextPoints, true));
    if (report.troubles.empty())
        page.text(QStringLiteral("Keine."), reportFont(ReportTextPoints));
    for (const TroubleSentence& trouble : report.troubles) {
        page.text(trouble.sentence, reportFont(ReportTextPoints));
        page.text(troubleWording(trouble), reportFont(ReportSmallPoints), ReportLineGrey,
                  page.mm(ReportGapMm));
    }
    return painter.end();
}

void makeChildReport(AppState& app, const ChildReport& report) {
    // Painted into memory first, so the file is written whole or not at all.
    QByteArray pdf;
    QString error;
    bool painted = false;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(ReportDocumentName);
        writer.setCreator(QStringLiteral("Tivoral"));
        writer.setResolution(ReportPdfResolutionDpi);
        painted = paintChildReport(writer, report, &error);
    }
    QString prompt;
    bool allWell = painted;
    if (!painted) {
        prompt = QStringLiteral("Der Bericht konnte nicht erstellt werden.") + CR + error + CR;
    } else {
        const numberedfile::NewFile written = numberedfile::writeNew(
            app.workFolder, fileStem(report.user), QStringLiteral("PDF"), ReportMaxFileNumber,
            [&pdf](QIODevice& device, QString*) { return device.write(pdf) == pdf.size(); });
        prompt = written.report(QStringLiteral("Der Bericht"), QStringLiteral("PDF"));
        allWell = written.written();
    }
    if (painted && !QPrinterInfo::availablePrinters().isEmpty()) {
        error.clear();
        const QPrinterInfo target = printerToUse(&error);
        QPrinter printer(target, QPrinter::HighResolution);
        printer.setDocName(ReportDocumentName);
        if (!target.isNull() && paintChildReport(printer, report, &error)) {
            prompt += QStringLiteral("Er wird ausgedruckt ...") + CR;
        } else {
            allWell = false;
            prompt += QStringLiteral("Er konnte nicht gedruckt werden.") + CR + error + CR;
        }
    }
    app.dialogs.message(prompt, ReportTitle, Buttons::Ok,
                        allWell ? Icon::Information : Icon::Warning);
}

} // namespace tivoral
