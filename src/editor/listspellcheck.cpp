#include "editor/listspellcheck.h"

#include "store/sentencestore.h"

#include <QEventLoop>
#include <QPointer>
#include <QThread>
#include <QTimer>

namespace tivoral {

namespace {

// Marks come back in batches: often enough to fill the visible lines at once, seldom enough
// that the window thread is not kept busy by them.
constexpr int BatchSize = 2048;
// Edits add texts; past this many remembered texts the marks are made afresh.
constexpr qsizetype MaxRememberedSentences = 4 * SentenceStore::MaxEntries;

} // namespace

ListSpellCheck::ListSpellCheck(const SentenceStore& store, QObject* parent)
    : QObject(parent), store_(store), cancelled_(std::make_shared<std::atomic_bool>(false)) {
    // A paste appends line by line: one check after the last of them.
    connect(&store_, &SentenceStore::changed, this, &ListSpellCheck::scheduleCheck);
}

ListSpellCheck::~ListSpellCheck() {
    stopRunning();
}

void ListSpellCheck::stopRunning() {
    cancelled_->store(true);
    for (QThread* thread : std::as_const(running_)) {
        thread->wait();
        delete thread;
    }
    running_.clear();
    cancelled_ = std::make_shared<std::atomic_bool>(false);
}

void ListSpellCheck::setSpelling(std::optional<SentenceSpelling> spelling) {
    stopRunning();
    ++generation_;
    spelling_ = std::move(spelling);
    unknownBySentence_.clear();
    pending_.clear();
    Q_EMIT marksChanged();
    checkNewSentences();
}

void ListSpellCheck::scheduleCheck() {
    if (checkDue_ || !spelling_)
        return;
    checkDue_ = true;
    QTimer::singleShot(0, this, &ListSpellCheck::checkNewSentences);
}

void ListSpellCheck::checkNewSentences() {
    checkDue_ = false;
    if (!spelling_)
        return;
    if (unknownBySentence_.size() > MaxRememberedSentences) {
        unknownBySentence_.clear();
        Q_EMIT marksChanged();
    }
    QStringList texts;
    for (const QString& sentence : store_.entries()) {
        if (unknownBySentence_.contains(sentence) || pending_.contains(sentence))
            continue;
        pending_.insert(sentence);
        texts.append(sentence);
    }
    if (texts.isEmpty())
        return;

    const int generation = generation_;
    QThread* thread = QThread::create(
        [this, texts, generation, spelling = *spelling_, cancelled = cancelled_] {
            QList<Checked> batch;
            for (const QString& sentence : texts) {
                if (cancelled->load())
                    return;
                batch.append(Checked{sentence, spelling.unknownWordTexts(sentence)});
                if (batch.size() == BatchSize || &sentence == &texts.constLast()) {
                    QMetaObject::invokeMethod(
                        this, [this, generation, batch] { deliver(generation, batch); },
                        Qt::QueuedConnection);
                    batch.clear();
                }
            }
        });
    connect(thread, &QThread::finished, this, [this, thread = QPointer<QThread>(thread)] {
        // Gone already when a new spelling stopped it.
        if (!thread || !running_.removeOne(thread.data()))
            return;
        thread->wait();
        delete thread;
        Q_EMIT runFinished();
    });
    running_.append(thread);
    thread->start();
}

void ListSpellCheck::deliver(int generation, const QList<Checked>& batch) {
    if (generation != generation_)
        return;
    for (const Checked& checked : batch) {
        pending_.remove(checked.sentence);
        unknownBySentence_.insert(checked.sentence, checked.unknown);
    }
    Q_EMIT marksChanged();
}

void ListSpellCheck::waitUntilDone() {
    while (!isDone()) {
        if (checkDue_)
            checkNewSentences();
        if (running_.isEmpty())
            continue;
        QEventLoop loop;
        connect(this, &ListSpellCheck::runFinished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
}

QStringList ListSpellCheck::unknownWordsIn(int row) const {
    if (!store_.isValidIndex(row))
        return {};
    return unknownBySentence_.value(store_.entry(row));
}

QStringList ListSpellCheck::allUnknownWords() const {
    QStringList words;
    QSet<QString> seen;
    for (const QString& sentence : store_.entries()) {
        const auto found = unknownBySentence_.constFind(sentence);
        if (found == unknownBySentence_.cend())
            continue;
        for (const QString& word : *found) {
            if (!seen.contains(word)) {
                seen.insert(word);
                words.append(word);
            }
        }
    }
    return words;
}

int ListSpellCheck::firstFlaggedRow() const {
    for (int row = 0; row < store_.count(); ++row)
        if (!unknownBySentence_.value(store_.entry(row)).isEmpty())
            return row;
    return -1;
}

} // namespace tivoral
