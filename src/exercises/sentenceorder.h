#pragma once

#include "store/troublesentences.h"

#include <QStringList>

#include <optional>

namespace tivoral {

class AppState;

// Which sentence follows a finished one: the next in the list, except that after every third
// finished sentence a child who practises hard sentences more often meets the hardest one of
// the loaded file that was not shown lately. The list order then goes on where it left off.
class SentenceOrder {
public:
    static constexpr int FinishedPerTroubleSentence = 3;
    static constexpr int RecentlyShownKept = 10;

    explicit SentenceOrder(AppState& app);

    // An exercise starts: the count of finished sentences begins again.
    void restart();
    void noteShown(const QString& sentence);
    void noteFinished(const PracticeEntry& entry);
    // Where the list order goes on after a sentence shown out of turn, once.
    std::optional<int> takeListPosition();
    // The position to show after a finished sentence whose list successor is listNext.
    int afterFinished(int listNext);

private:
    bool troubleMoreOften() const;
    // The trouble history of the chosen child in the loaded file.
    const TroubleHistory& history();

    AppState& app_;
    TroubleSentences trouble_;
    QStringList recentlyShown_; // oldest first
    int finished_ = 0;
    std::optional<int> listPosition_;
};

} // namespace tivoral
