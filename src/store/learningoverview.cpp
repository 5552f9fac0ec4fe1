#include "store/learningoverview.h"

#include "platform/countwording.h"
#include "platform/dialogs.h"
#include "platform/numberedfile.h"
#include "platform/textmarks.h"
#include "store/appstate.h"

#include <algorithm>

namespace tivoral {

namespace {
const QString Title = QStringLiteral("Lernstand");
} // namespace

LearningOverview::LearningOverview(AppState& app, int failedLines)
    : app_(app), failedLines_(failedLines),
      contents_(readPracticeRecord(app.workFolder.filePath(practicerecord::FileName))) {
    setPeriod(period_);
}

void LearningOverview::setPeriod(OverviewPeriod period) {
    period_ = period;
    figures_.emplace(contents_, firstDayOf(period, app_.practiceRecord.now().date()));
}

QString LearningOverview::periodWording() const {
    const std::optional<QDate> first = firstDayOf(period_, app_.practiceRecord.now().date());
    if (!first)
        return periodText(period_);
    return periodText(period_) +
           QStringLiteral(" (seit %1)").arg(first->toString(QStringLiteral("dd.MM.yyyy")));
}

QDate LearningOverview::lastChartDay() const {
    QDate last = app_.practiceRecord.now().date();
    for (const ChildFigures& child : figures_->children())
        last = std::max(last, child.lastPractice.date());
    return last;
}

QString LearningOverview::notice() const {
    QString text;
    if (!contents_.readable)
        text += QStringLiteral("Das Protokoll PROTOKOLL.CSV kann nicht gelesen werden.") + CR;
    if (contents_.notARecord)
        text += QStringLiteral("Die Datei PROTOKOLL.CSV ist kein Übungsprotokoll dieses "
                               "Programms; es schreibt nichts mehr hinein.") +
                CR +
                QStringLiteral("Wird sie umbenannt oder gelöscht, beginnt ein neues "
                               "Protokoll.") +
                CR;
    if (failedLines_ > 0)
        text += countWording(failedLines_,
                             QStringLiteral("Eine Übung konnte nicht ins Protokoll geschrieben "
                                            "werden."),
                             QStringLiteral("%1 Übungen konnten nicht ins Protokoll geschrieben "
                                            "werden.")) +
                CR;
    if (contents_.damagedLines > 0)
        text += countWording(contents_.damagedLines,
                             QStringLiteral("Eine beschädigte Zeile des Protokolls wurde "
                                            "übersprungen."),
                             QStringLiteral("%1 beschädigte Zeilen des Protokolls wurden "
                                            "übersprungen.")) +
                CR;
    if (contents_.olderLinesLeftOut)
        text += QStringLiteral("Das Protokoll ist sehr groß; nur seine neueren Zeilen sind "
                               "berücksichtigt.") +
                CR;
    return text;
}

void LearningOverview::showNotice() const {
    if (const QString text = notice(); !text.isEmpty())
        app_.dialogs.message(text +
                                 QStringLiteral("Die Übersicht zeigt alles, was sich lesen "
                                                "ließ.") +
                                 CR,
                             Title, Buttons::Ok, Icon::Warning);
}

void LearningOverview::exportTable() const {
    // Until the record is read there is no table to write.
    if (!figures_)
        return;
    const QByteArray bytes = overviewCsv(figures_->table());
    const numberedfile::NewFile csv = numberedfile::writeNew(
        app_.workFolder, QString::fromLatin1(ExportStem), QStringLiteral("CSV"), MaxExportNumber,
        [&bytes](QIODevice& device, QString*) { return device.write(bytes) == bytes.size(); });
    app_.dialogs.message(csv.report(QStringLiteral("Die Übersicht"), QStringLiteral("CSV")), Title,
                         Buttons::Ok, csv.written() ? Icon::Information : Icon::Warning);
}

} // namespace tivoral
