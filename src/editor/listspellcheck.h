#pragma once

#include "editor/spellingrules.h"

#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QStringList>

#include <atomic>
#include <memory>
#include <optional>

class QThread;

namespace tivoral {

class SentenceStore;

// The spell check of the whole sentence list, run on a thread of its own so that the list can
// be used at once however long it is; the marks come in as they are ready. Each sentence text is
// checked once: after an edit only the new sentences are.
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
    bool isDone() const { return !current_ && !checkDue_; }
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
    // The marks, shared with the thread that makes them.
    struct Marks {
        mutable QMutex mutex;
        QHash<QString, QStringList> bySentence;
    };
    void scheduleCheck();
    void checkSentences();
    void stopRunning();
    std::optional<QStringList> marksOf(const QString& sentence) const;

    const SentenceStore& store_;
    std::optional<SentenceSpelling> spelling_;
    std::shared_ptr<Marks> marks_;
    QThread* current_ = nullptr;
    std::shared_ptr<std::atomic_bool> stopCurrent_;
    QList<QThread*> threads_;
    bool checkDue_ = false;
};

} // namespace tivoral
