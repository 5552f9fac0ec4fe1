#pragma once

#include "store/practiceoverview.h"
#include "store/practicerecordreader.h"

namespace tivoral {

class AppState;

// The teacher's "Lernstand": the practice record of the working folder read once, its figures,
// what went wrong with the record, and the table's export as a CSV file.
class LearningOverview {
public:
    static constexpr const char* ExportStem = "LERNSTAND";
    // LERNSTAND.CSV, LERNSTAND-2.CSV … up to this number.
    static constexpr int MaxExportNumber = 999;

    // failedLines: lines of this run that could not be added to the record.
    LearningOverview(AppState& app, int failedLines);
    LearningOverview(const LearningOverview&) = delete;
    LearningOverview& operator=(const LearningOverview&) = delete;

    const PracticeOverview& figures() const { return *figures_; }
    // The stretch of time the figures look at; the last four weeks at first.
    OverviewPeriod period() const { return period_; }
    void setPeriod(OverviewPeriod period);
    // The period's first day, or the record's, in words: "seit 01.08.2026".
    QString periodWording() const;
    // The day the charts end on: today, or the last day in the record when that lies ahead.
    QDate lastChartDay() const;

    // What the teacher should know about the record before she trusts the figures, in German;
    // empty when all went well.
    QString notice() const;
    // Shows the notice, when there is one.
    void showNotice() const;
    // Writes the table under a new name in the working folder and says where.
    void exportTable() const;

private:
    AppState& app_;
    int failedLines_;
    PracticeRecordContents contents_;
    OverviewPeriod period_ = OverviewPeriod::LastFourWeeks;
    std::optional<PracticeOverview> figures_;
};

} // namespace tivoral
