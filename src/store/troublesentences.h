#pragma once

#include "store/practicerecordreader.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace tivoral {

// How hard each sentence was for one child in one sentence file: the red answers and helps of
// its last few finished attempts.
class TroubleHistory {
public:
    static constexpr int AttemptsCounted = 3;

    // The history of this child in this file, from a practice record in file order.
    static TroubleHistory of(const PracticeRecordContents& record, const QString& user,
                             const QString& file);
    // A finished attempt of this child in this file (file names match without regard to case).
    static bool isAttemptOf(const PracticeEntry& entry, const QString& user, const QString& file);

    void add(const PracticeEntry& attempt);
    void add(const QString& sentence, int redAnswers, int helps);
    int troubleOf(const QString& sentence) const;
    // The position in the list of the hardest sentence not among those left out; of equals the
    // earlier. None when no sentence gave any trouble.
    std::optional<int> worst(const QStringList& sentences, const QStringList& leftOut) const;

private:
    QHash<QString, QList<int>> lastAttempts_; // per sentence, oldest first
};

// The trouble history of the child and file in use: the practice record is read once for each
// child and file, later attempts are added as they are finished.
class TroubleSentences {
public:
    using RecordReader = std::function<PracticeRecordContents()>;

    explicit TroubleSentences(RecordReader read) : read_(std::move(read)) {}

    const TroubleHistory& historyFor(const QString& user, const QString& file);
    void noteFinished(const PracticeEntry& entry);

private:
    struct Owner {
        QString user;
        QString file;
    };

    RecordReader read_;
    std::optional<Owner> readFor_;
    TroubleHistory history_;
};

} // namespace tivoral
