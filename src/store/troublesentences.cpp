#include "store/troublesentences.h"

#include <algorithm>
#include <numeric>

namespace tivoral {

TroubleHistory TroubleHistory::of(const PracticeRecordContents& record, const QString& user,
                                  const QString& file) {
    TroubleHistory history;
    const std::optional<RecordedEntry::Text> userText = record.find(user);
    if (!userText)
        return history;
    // File names match in any case; each name of the record is compared once.
    QHash<RecordedEntry::Text, bool> isTheFile;
    for (const RecordedEntry& entry : record.entries) {
        if (entry.event != PracticeEntry::Event::SentenceFinished || entry.user != *userText)
            continue;
        auto known = isTheFile.constFind(entry.file);
        if (known == isTheFile.cend())
            known = isTheFile.insert(
                entry.file, record.text(entry.file).compare(file, Qt::CaseInsensitive) == 0);
        if (*known)
            history.add(record.text(entry.sentence), entry.redAnswers, entry.helps);
    }
    return history;
}

bool TroubleHistory::isAttemptOf(const PracticeEntry& entry, const QString& user,
                                 const QString& file) {
    return entry.event == PracticeEntry::Event::SentenceFinished && entry.user == user &&
           entry.file.compare(file, Qt::CaseInsensitive) == 0;
}

void TroubleHistory::add(const PracticeEntry& attempt) {
    add(attempt.sentence, attempt.redAnswers, attempt.helps);
}

void TroubleHistory::add(const QString& sentence, int redAnswers, int helps) {
    QList<int>& attempts = lastAttempts_[sentence];
    attempts.append(std::max(0, redAnswers) + std::max(0, helps));
    if (attempts.size() > AttemptsCounted)
        attempts.removeFirst();
}

int TroubleHistory::troubleOf(const QString& sentence) const {
    const auto found = lastAttempts_.constFind(sentence);
    if (found == lastAttempts_.cend())
        return 0;
    return std::accumulate(found->cbegin(), found->cend(), 0);
}

std::optional<int> TroubleHistory::worst(const QStringList& sentences,
                                         const QStringList& leftOut) const {
    std::optional<int> worst;
    int mostTrouble = 0;
    for (int position = 0; position < sentences.size(); ++position) {
        const QString& sentence = sentences.at(position);
        const int trouble = troubleOf(sentence);
        if (trouble > mostTrouble && !leftOut.contains(sentence)) {
            mostTrouble = trouble;
            worst = position;
        }
    }
    return worst;
}

const TroubleHistory& TroubleSentences::historyFor(const QString& user, const QString& file) {
    const bool sameOwner = readFor_ && readFor_->user == user &&
                           readFor_->file.compare(file, Qt::CaseInsensitive) == 0;
    if (!sameOwner) {
        history_ = TroubleHistory::of(read_(), user, file);
        readFor_ = Owner{user, file};
    }
    return history_;
}

void TroubleSentences::noteFinished(const PracticeEntry& entry) {
    // Attempts of a child or file not read yet are in the record when it is read.
    if (readFor_ && TroubleHistory::isAttemptOf(entry, readFor_->user, readFor_->file))
        history_.add(entry);
}

} // namespace tivoral
