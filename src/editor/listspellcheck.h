#pragma once

#include "editor/spellingrules.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <atomic>
#include <memory>
#include <optional>

class QThread;

namespace tivoral {

class SentenceStore;

// The spell check of the whole sentence list, run on threads of their own so that the list can
// be used at once however long it is; the marks come in as they are ready. Each sentence text is
// checked once: an edit checks only the sentences that are new.
class ListSpellCheck final : public QObject {
    Q_OBJECT
public:
    explicit ListSpellCheck(const SentenceStore& store, QObject* parent = nullptr);
    ~ListSpellCheck() override;

    // From now on every sentence is checked with this, the earlier marks dropped; none: nothing
    // is checked.
    void setSpelling(std::optional<SentenceSpelling> spelling);

    // The unknown words of a line, empty too while it is not checked yet.
    QStringList unknownWordsIn(int row) const;
    bool isDone() const { return running_.isEmpty() && !checkDue_; }
    // Waits for the running check, the windows painting meanwhile but taking no input.
    void waitUntilDone();
    // Every unknown word once, in list order.
    QStringList allUnknownWords() const;
    // The first line holding an unknown word, or -1.
    int firstFlaggedRow() const;

Q_SIGNALS:
    // New marks came in, or the old ones went.
    void marksChanged();
    void runFinished();

private:
    struct Checked {
        QString sentence;
        QStringList unknown;
    };
    void scheduleCheck();
    void checkNewSentences();
    void deliver(int generation, const QList<Checked>& batch);
    void stopRunning();

    const SentenceStore& store_;
    std::optional<SentenceSpelling> spelling_;
    QHash<QString, QStringList> unknownBySentence_;
    QSet<QString> pending_;
    QList<QThread*> running_;
    std::shared_ptr<std::atomic_bool> cancelled_;
    int generation_ = 0;
    bool checkDue_ = false;
};

} // namespace tivoral
