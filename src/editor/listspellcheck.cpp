#include "editor/listspellcheck.h"

#include "store/sentencestore.h"

#include <QEventLoop>
#include <QMutexLocker>
#include <QThread>
#include <QTimer>

namespace tivoral {

namespace {

// The marks are shown in steps: often enough to fill the visible lines at once, seldom enough
// that repainting does not keep the window thread busy.
constexpr int SentencesPerStep = 2048;
// Edits add texts; past this many remembered texts the marks are made afresh.
constexpr qsizetype MaxRememberedSentences = 4 * SentenceStore::MaxEntries;

} // namespace

ListSpellCheck::ListSpellCheck(const SentenceStore& store, QObject* parent)
    : QObject(parent), store_(store), marks_(std::make_shared<Marks>()) {
    // A paste appends line by line: one check after the last of them.
    connect(&store_, &SentenceStore::changed, this, &ListSpellCheck::scheduleCheck);
}

ListSpellCheck::~ListSpellCheck() {
    stopRunning();
    for (QThread* thread : std::as_const(threads_)) {
        thread->wait();
        delete thread;
    }
}

void ListSpellCheck::stopRunning() {
    if (stopCurrent_)
        stopCurrent_->store(true);
    current_ = nullptr;
}

void ListSpellCheck::setSpelling(std::optional<SentenceSpelling> spelling) {
    stopRunning();
    spelling_ = std::move(spelling);
    // A thread still stopping writes into the marks it was given, not into these.
    marks_ = std::make_shared<Marks>();
    Q_EMIT marksChanged();
    checkSentences();
}

void ListSpellCheck::scheduleCheck() {
    if (checkDue_ || !spelling_)
        return;
    checkDue_ = true;
    QTimer::singleShot(0, this, &ListSpellCheck::checkSentences);
}

void ListSpellCheck::checkSentences() {
    checkDue_ = false;
    if (!spelling_)
        return;
    // The store's list is shared, not copied; the thread skips what is marked already.
    stopRunning();
    stopCurrent_ = std::make_shared<std::atomic_bool>(false);
    QThread* thread = QThread::create([this, sentences = store_.entries(), spelling = *spelling_,
                                       marks = marks_, stop = stopCurrent_] {
        int sinceShown = 0;
        for (const QString& sentence : sentences) {
            if (stop->load())
                return;
            {
                const QMutexLocker locker(&marks->mutex);
                if (marks->bySentence.size() > MaxRememberedSentences)
                    marks->bySentence.clear();
                if (marks->bySentence.contains(sentence))
                    continue;
            }
            const QStringList unknown = spelling.unknownWordTexts(sentence);
            {
                const QMutexLocker locker(&marks->mutex);
                marks->bySentence.insert(sentence, unknown);
            }
            if (++sinceShown == SentencesPerStep) {
                sinceShown = 0;
                QMetaObject::invokeMethod(this, &ListSpellCheck::marksChanged,
                                          Qt::QueuedConnection);
            }
        }
    });
    connect(thread, &QThread::finished, this, [this, thread] {
        threads_.removeOne(thread);
        const bool stopped = thread != current_;
        thread->wait();
        delete thread;
        if (stopped)
            return;
        current_ = nullptr;
        Q_EMIT marksChanged();
        Q_EMIT runFinished();
    });
    threads_.append(thread);
    current_ = thread;
    thread->start();
}

void ListSpellCheck::waitUntilDone() {
    if (checkDue_)
        checkSentences();
    while (current_) {
        QEventLoop loop;
        connect(this, &ListSpellCheck::runFinished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
}

std::optional<QStringList> ListSpellCheck::marksOf(const QString& sentence) const {
    const QMutexLocker locker(&marks_->mutex);
    const auto found = marks_->bySentence.constFind(sentence);
    if (found == marks_->bySentence.cend())
        return std::nullopt;
    return *found;
}

QStringList ListSpellCheck::unknownWordsIn(int row) const {
    if (!store_.isValidIndex(row))
        return {};
    return marksOf(store_.entry(row)).value_or(QStringList());
}

QStringList ListSpellCheck::allUnknownWords() const {
    QStringList words;
    QSet<QString> seen;
    const QMutexLocker locker(&marks_->mutex);
    for (const QString& sentence : store_.entries()) {
        const auto found = marks_->bySentence.constFind(sentence);
        if (found == marks_->bySentence.cend())
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
        if (!unknownWordsIn(row).isEmpty())
            return row;
    return -1;
}

} // namespace tivoral
