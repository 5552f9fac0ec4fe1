#include "exercises/sentenceorder.h"

#include "store/appstate.h"
#include "store/practicerecordreader.h"

#include <utility>

namespace tivoral {

SentenceOrder::SentenceOrder(AppState& app)
    : app_(app), trouble_([&app] {
          return readPracticeRecord(
              app.workFolder.filePath(QString::fromLatin1(practicerecord::FileName)));
      }) {}

void SentenceOrder::restart() {
    finished_ = 0;
    listPosition_.reset();
    // A long record is read now, when the exercise opens, rather than in the middle of it.
    if (troubleMoreOften())
        history();
}

void SentenceOrder::noteShown(const QString& sentence) {
    // Building the same sentence again shows nothing new.
    if (!recentlyShown_.isEmpty() && recentlyShown_.constLast() == sentence)
        return;
    recentlyShown_.append(sentence);
    if (recentlyShown_.size() > RecentlyShownKept)
        recentlyShown_.removeFirst();
}

void SentenceOrder::noteFinished(const PracticeEntry& entry) {
    trouble_.noteFinished(entry);
}

std::optional<int> SentenceOrder::takeListPosition() {
    return std::exchange(listPosition_, std::nullopt);
}

int SentenceOrder::afterFinished(int listNext) {
    ++finished_;
    if (finished_ % FinishedPerTroubleSentence != 0 || !troubleMoreOften())
        return listNext;
    const std::optional<int> trouble = history().worst(app_.store.entries(), recentlyShown_);
    if (!trouble || *trouble == listNext)
        return listNext;
    listPosition_ = listNext;
    return *trouble;
}

bool SentenceOrder::troubleMoreOften() const {
    return app_.readingAids.current().troubleMoreOften;
}

const TroubleHistory& SentenceOrder::history() {
    return trouble_.historyFor(app_.users.current(), app_.fileStatus.loadedName());
}

} // namespace tivoral
