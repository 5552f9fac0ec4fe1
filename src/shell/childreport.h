#pragma once

#include "store/practiceoverview.h"

#include <QString>
#include <QStringList>

#include <vector>

class QPagedPaintDevice;

namespace tivoral {

class AppState;
class LearningOverview;

// One child's page for a parents' evening: the name, the period, the figures of the overview's
// table, the chart of the period and the hardest sentences.
struct ChildReport {
    QString user;
    QString period;
    QStringList headings; // the table's, without the name column
    QStringList figures;  // the child's row, likewise
    std::vector<PracticeDay> days;
    std::vector<TroubleSentence> troubles;

    // The child's report as the overview shows it now; none when the child has no row.
    static std::optional<ChildReport> of(const LearningOverview& overview, const QString& user);
};

// Draws the report on one A4 page. On failure, error says why in German.
bool paintChildReport(QPagedPaintDevice& device, const ChildReport& report, QString* error);

// "Bericht drucken": writes BERICHT-<Name>.PDF (then BERICHT-<Name>-2.PDF …, never replacing a
// file, and whole or not at all) into the working folder, prints it where a printer exists, and
// says where it went.
void makeChildReport(AppState& app, const ChildReport& report);

} // namespace tivoral
