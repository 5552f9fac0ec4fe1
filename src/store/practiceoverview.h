#pragma once

#include "store/practicerecordreader.h"

#include <QDate>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace tivoral {

// One child's figures over the whole record.
struct ChildFigures {
    QString user;
    int daysPractised = 0;
    QMap<QString, int> finishedPerExercise; // exercise name → sentences finished
    int finished = 0;
    double averageSeconds = 0; // per finished sentence
    double redPerSentence = 0;
    int skipped = 0; // sentences given up, with or without the life ring
    int helps = 0;   // magnifier and life ring used
    QDateTime lastPractice;
};

// One day of a child's chart.
struct PracticeDay {
    QDate date;
    int finished = 0;
    double redPerSentence = 0;
};

// A sentence the child found hard: red answers and help points over all its finished attempts,
// and how often the child gave it up.
struct TroubleSentence {
    QString sentence;
    int attempts = 0;
    int redAnswers = 0;
    int helpPoints = 0;
    int skipped = 0;
};

// "3-mal geübt, 2 rot, 1 Hilfepunkt, 1-mal übersprungen", as the window and the report show it.
QString troubleWording(const TroubleSentence& trouble);

// The stretch of time the teacher looks at, ending today.
enum class OverviewPeriod { LastWeek, LastFourWeeks, SchoolYear, All };
inline constexpr std::array OverviewPeriods{OverviewPeriod::LastWeek, OverviewPeriod::LastFourWeeks,
                                            OverviewPeriod::SchoolYear, OverviewPeriod::All};
// "Letzte 7 Tage", "Letzte 4 Wochen", "Dieses Schuljahr", "Alles".
QString periodText(OverviewPeriod period);
// The period's first day; none for the whole record. A school year begins on 1 August.
std::optional<QDate> firstDayOf(OverviewPeriod period, QDate today);

// The table as the window shows it and the export writes it: the same texts in both.
struct OverviewTable {
    QStringList header;
    std::vector<QStringList> rows;
};

// What the teacher's overview shows, worked out from the practice record.
class PracticeOverview {
public:
    static constexpr int MaxChartDays = 366;
    static constexpr int MaxTroubleSentences = 10;
    // A sentence given up weighs as much as this many red answers.
    static constexpr int SkipWeight = 3;

    // Only the lines from firstDay on count; none: the whole record.
    explicit PracticeOverview(const PracticeRecordContents& record,
                              std::optional<QDate> firstDay = std::nullopt);

    // Every child of the record, in alphabetical order.
    const std::vector<ChildFigures>& children() const { return children_; }
    // The exercises sentences were finished in, in alphabetical order.
    const QStringList& exercises() const { return exercises_; }

    // The child's days from the period's first day (for the whole record, the child's first day
    // of practice) up to and including `lastDay`, one per day, empty days too; at most
    // MaxChartDays, the latest.
    std::vector<PracticeDay> days(const QString& user, QDate lastDay) const;
    // The child's hardest sentences, hardest first; sentences without red answers or helps never.
    std::vector<TroubleSentence> troubleSentences(const QString& user) const;

    OverviewTable table() const;

private:
    bool counts(const RecordedEntry& entry) const { return entry.day >= firstDay_; }

    const PracticeRecordContents& record_;
    qint64 firstDay_; // Julian day
    std::vector<ChildFigures> children_;
    QStringList exercises_;
};

// The table as a CSV file for a German spreadsheet: UTF-8 with BOM, ";", CR LF.
QByteArray overviewCsv(const OverviewTable& table);

} // namespace tivoral
