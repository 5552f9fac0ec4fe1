#pragma once

#include "store/practiceentry.h"

#include <QDateTime>
#include <QString>

namespace tivoral {

class AppState;
class Exercise;

// Tells the practice record what the child does with the current sentence: its time, its red
// answers and its helps are counted from the moment it was set up.
class PracticeLog {
public:
    explicit PracticeLog(AppState& app) : app_(app) {}

    // A new sentence starts a new count.
    void sentenceSetUp(const QString& sentence);
    void answerTurnedRed() { ++redAnswers_; }
    // A help tool with a line of its own (Lupe, Rettungsring), costing this many points.
    void helpUsed(const Exercise& exercise, PracticeEntry::Event event, int cost);
    // A help without a line of its own; its cost still counts for the sentence.
    void addHelpCost(int cost) { helps_ += cost; }
    // The finished attempt as the record holds it.
    PracticeEntry sentenceFinished(const Exercise& exercise, int points);
    void sentenceSkipped(const Exercise& exercise);

private:
    PracticeEntry append(const Exercise& exercise, PracticeEntry::Event event, int helps,
                         int points);

    AppState& app_;
    QString sentence_;
    QDateTime setUpAt_;
    int redAnswers_ = 0;
    int helps_ = 0;
};

} // namespace tivoral
