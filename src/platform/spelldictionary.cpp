#include "platform/spelldictionary.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMutexLocker>
#include <QThread>

#include <hunspell.hxx>

namespace tivoral {

namespace {

// Enough for every word of the largest list; past it the answers are looked up afresh.
constexpr qsizetype MaxCachedWords = 200000;

} // namespace

SpellDictionary::SpellDictionary(QObject* parent)
    : QObject(parent), folder_(QString::fromLatin1(SystemFolder)) {}

SpellDictionary::~SpellDictionary() {
    if (loader_) {
        loader_->wait();
        delete loader_;
    }
}

void SpellDictionary::setFolder(const QString& folder) {
    if (state_ == State::NotLoaded)
        folder_ = folder;
}

void SpellDictionary::load() {
    if (state_ != State::NotLoaded)
        return;
    const QDir folder(folder_);
    const QString language = QString::fromLatin1(Language);
    const QString affix = folder.filePath(language + QStringLiteral(".aff"));
    const QString words = folder.filePath(language + QStringLiteral(".dic"));
    if (!QFileInfo(affix).isFile() || !QFileInfo(words).isFile()) {
        state_ = State::Missing;
        Q_EMIT loaded(false);
        return;
    }
    state_ = State::Loading;
    loader_ =
        QThread::create([this, affix = QFile::encodeName(affix), words = QFile::encodeName(words)] {
            auto hunspell = std::make_unique<Hunspell>(affix.constData(), words.constData());
            const QString encoding = QString::fromStdString(hunspell->get_dict_encoding());
            // Debian's de_DE is UTF-8; older ones were ISO8859-1. Anything else is not read here.
            const bool utf8 = encoding.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0;
            const bool latin1 =
                encoding.compare(QLatin1String("ISO8859-1"), Qt::CaseInsensitive) == 0;
            const QMutexLocker locker(&hunspellMutex_);
            if (utf8 || latin1) {
                hunspell_ = std::move(hunspell);
                latin1_ = latin1;
            }
        });
    connect(loader_, &QThread::finished, this, &SpellDictionary::finishLoading);
    loader_->start();
}

void SpellDictionary::finishLoading() {
    loader_->wait();
    delete loader_;
    loader_ = nullptr;
    {
        const QMutexLocker locker(&hunspellMutex_);
        state_ = hunspell_ ? State::Ready : State::Missing;
    }
    Q_EMIT loaded(state_ == State::Ready);
}

bool SpellDictionary::waitUntilLoaded() {
    load();
    if (state_ == State::Loading) {
        QEventLoop loop;
        connect(this, &SpellDictionary::loaded, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return state_ == State::Ready;
}

std::optional<bool> SpellDictionary::knownFromBefore(const QString& word) const {
    const QMutexLocker locker(&cacheMutex_);
    const auto cached = known_.constFind(word);
    if (cached == known_.cend())
        return std::nullopt;
    return *cached;
}

std::string SpellDictionary::encoded(const QString& word, bool* representable) const {
    *representable = true;
    if (!latin1_)
        return word.toStdString();
    for (const QChar c : word)
        if (c.unicode() > 0xff)
            *representable = false;
    return word.toLatin1().toStdString();
}

bool SpellDictionary::isKnown(const QString& word) const {
    if (state_ != State::Ready)
        return false;
    if (const std::optional<bool> cached = knownFromBefore(word))
        return *cached;
    bool representable = false;
    const std::string bytes = encoded(word, &representable);
    bool known = false;
    if (representable) {
        const QMutexLocker locker(&hunspellMutex_);
        known = hunspell_->spell(bytes);
    }
    const QMutexLocker locker(&cacheMutex_);
    if (known_.size() >= MaxCachedWords)
        known_.clear();
    known_.insert(word, known);
    return known;
}

QStringList SpellDictionary::suggestions(const QString& word, int max) const {
    if (state_ != State::Ready)
        return {};
    bool representable = false;
    const std::string bytes = encoded(word, &representable);
    if (!representable)
        return {};
    std::vector<std::string> found;
    {
        const QMutexLocker locker(&hunspellMutex_);
        found = hunspell_->suggest(bytes);
    }
    QStringList result;
    for (const std::string& suggestion : found) {
        if (result.size() >= max)
            break;
        result.append(latin1_ ? QString::fromLatin1(suggestion.data(), qsizetype(suggestion.size()))
                              : QString::fromStdString(suggestion));
    }
    return result;
}

} // namespace tivoral
