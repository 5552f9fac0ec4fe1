#pragma once

#include <QHash>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class Hunspell;
class QThread;

namespace tivoral {

// Debian's German hunspell dictionary (package hunspell-de-de). It is loaded once, at first use,
// on a thread of its own, since reading it takes a noticeable moment. Once loaded it answers from
// any thread.
class SpellDictionary final : public QObject {
    Q_OBJECT
public:
    enum class State { NotLoaded, Loading, Ready, Missing };

    static constexpr const char* SystemFolder = "/usr/share/hunspell";
    static constexpr const char* Language = "de_DE";

    explicit SpellDictionary(QObject* parent = nullptr);
    ~SpellDictionary() override;

    // Where the dictionary files are looked for; takes effect only before the first load.
    void setFolder(const QString& folder);

    State state() const { return state_; }
    // Starts loading unless it has started already; loaded() follows on this thread.
    void load();
    // Loads if needed and waits for it, the windows painting meanwhile but taking no input.
    // True when the dictionary is ready.
    bool waitUntilLoaded();

    // Whether the dictionary knows the word exactly as written (a capital at the start of a word
    // written small is accepted, as at the start of a sentence). False while not ready.
    bool isKnown(const QString& word) const;
    // The answer if the word was looked up before; never waits for hunspell.
    std::optional<bool> knownFromBefore(const QString& word) const;
    // Its suggestions for a word, best first, at most max; can take a second for long words.
    QStringList suggestions(const QString& word, int max) const;

Q_SIGNALS:
    void loaded(bool ready);

private:
    void finishLoading();
    std::string encoded(const QString& word, bool* representable) const;

    QString folder_;
    State state_ = State::NotLoaded;
    QThread* loader_ = nullptr;
    std::unique_ptr<Hunspell> hunspell_;
    bool latin1_ = false;
    // hunspell itself is not safe to call from two threads at once.
    mutable QMutex hunspellMutex_;
    // Most words recur across a list: each is looked up once.
    mutable QMutex cacheMutex_;
    mutable QHash<QString, bool> known_;
};

} // namespace tivoral
