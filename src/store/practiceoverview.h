#pragma once

#include "store/practicerecordreader.h"

#include <QDate>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>

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
    int helps = 0; // magnifier and life ring used
    QDateTime lastPractice;
};

// One day of a child's chart.
struct PracticeDay {
    QDate date;
    int finished = 0;
    double redPerSentence = 0;
};

// A sentence the child found hard: red answers and help points over all its finished attempts.
struct TroubleSentence {
    QString sentence;
    int attempts = 0;
    int redAnswers = 0;
    int helps = 0;
};

// The table as the window shows it and the export writes it: the same texts in both.
struct OverviewTable {
    QStringList header;
    std::vector<QStringList> rows;
};

// What the teacher's overview shows, worked out from the practice record.
class PracticeOverview {
public:
    static constexpr int ChartDays = 28;
    static constexpr int MaxTroubleSentences = 10;

    explicit PracticeOverview(const PracticeRecordContents& record);

    // Every child of the record, in alphabetical order.
    const std::vector<ChildFigures>& children() const { return children_; }
    // The exercises sentences were finished in, in alphabetical order.
    const QStringList& exercises() const { return exercises_; }

    // The child's last ChartDays days up to and including `lastDay`, one per day, empty days too.
    std::vector<PracticeDay> days(const QString& user, QDate lastDay) const;
    // The child's hardest sentences, hardest first; sentences without red answers or helps never.
    std::vector<TroubleSentence> troubleSentences(const QString& user) const;

    OverviewTable table() const;

private:
    const PracticeRecordContents& record_;
    std::vector<ChildFigures> children_;
    QStringList exercises_;
};

// The table as a CSV file for a German spreadsheet: UTF-8 with BOM, ";", CR LF.
QByteArray overviewCsv(const OverviewTable& table);

} // namespace tivoral
