#include "exercises/practicelog.h"

#include "exercises/exercise.h"
#include "store/appstate.h"

#include <algorithm>

namespace tivoral {

void PracticeLog::sentenceSetUp(const QString& sentence) {
    sentence_ = sentence;
    setUpAt_ = app_.practiceRecord.now();
    redAnswers_ = 0;
    helps_ = 0;
}

void PracticeLog::helpUsed(const Exercise& exercise, PracticeEntry::Event event, int cost) {
    helps_ += cost;
    append(exercise, event, cost, 0);
}

PracticeEntry PracticeLog::sentenceFinished(const Exercise& exercise, int points) {
    return append(exercise, PracticeEntry::Event::SentenceFinished, helps_, points);
}

void PracticeLog::sentenceSkipped(const Exercise& exercise) {
    append(exercise, PracticeEntry::Event::SentenceSkipped, helps_, 0);
}

PracticeEntry PracticeLog::append(const Exercise& exercise, PracticeEntry::Event event, int helps,
                                  int points) {
    PracticeEntry entry = newPracticeEntry(app_, event);
    entry.exercise = exercise.profile().name;
    entry.sentence = sentence_;
    // A clock set back meanwhile must not make a sentence take negative time.
    entry.seconds = int(std::max<qint64>(0, setUpAt_.secsTo(entry.when)));
    entry.redAnswers = redAnswers_;
    entry.helps = helps;
    entry.points = points;
    app_.practiceRecord.append(entry);
    return entry;
}

} // namespace tivoral
