#include "platform/syllables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThreadPool>

#include <hyphen.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace tivoral {

namespace {

// The German patterns of the hyphen-de package; the Swiss and Austrian names are links to them.
constexpr const char* PatternFileName = "hyph_de_DE.dic";
// Longer letter runs are no word a child reads; they come back whole.
constexpr qsizetype LongestWord = 100;
// Marks a syllable ends at; libhyphen marks a break with an odd number.
constexpr char BreakMark = 1;

struct PatternsDeleter {
    void operator()(HyphenDict* dict) const { hnj_hyphen_free(dict); }
};
using Patterns = std::unique_ptr<HyphenDict, PatternsDeleter>;

// The patterns, read once under the lock. libhyphen only reads them while it splits a word, so
// any number of threads may split at the same time once they are loaded.
class PatternStore {
public:
    const HyphenDict* patterns() {
        const std::lock_guard lock(loadMutex_);
        if (!tried_) {
            tried_ = true;
            patterns_.reset(hnj_hyphen_load(QFile::encodeName(path()).constData()));
            ready_ = true;
        }
        return patterns_.get();
    }

    bool ready() const { return ready_; }

    // Asked while the patterns load, so it must not wait for them.
    QString path() const {
        const std::lock_guard lock(folderMutex_);
        return QDir(folder_).filePath(QString::fromLatin1(PatternFileName));
    }

    bool startPreload() { return !preloadStarted_.exchange(true); }

    void setFolder(const QString& folder) {
        const std::lock_guard lock(loadMutex_);
        {
            const std::lock_guard folderLock(folderMutex_);
            folder_ = folder;
        }
        tried_ = false;
        ready_ = false;
        preloadStarted_ = false;
        patterns_.reset();
    }

private:
    std::mutex loadMutex_;
    mutable std::mutex folderMutex_;
    QString folder_ = QString::fromLatin1(SystemHyphenationFolder);
    bool tried_ = false;
    std::atomic<bool> ready_ = false;
    std::atomic<bool> preloadStarted_ = false;
    Patterns patterns_;
};

PatternStore& patternStore() {
    static PatternStore store;
    return store;
}

bool isVowel(QChar c) {
    static const QString Vowels = QStringLiteral("aeiouyäöüáàâéèêíìîóòôúùû");
    return Vowels.contains(c.toLower());
}

bool holdsVowel(const QString& piece) {
    return std::any_of(piece.cbegin(), piece.cend(), isVowel);
}

// How many letters at position i sound as one consonant ("sch", "ch", "ck", "ph"), 0 for a vowel
// or the end of the word.
qsizetype consonantLength(const QString& lower, qsizetype i) {
    if (i >= lower.size() || isVowel(lower.at(i)))
        return 0;
    for (const QLatin1StringView group : {QLatin1StringView("sch"), QLatin1StringView("ch"),
                                          QLatin1StringView("ck"), QLatin1StringView("ph")})
        if (QStringView(lower).mid(i).startsWith(group))
            return group.size();
    return 1;
}

// The break marks of one lower-case word (breaks[i]: a syllable ends after letter i), from the
// patterns; none when the patterns cannot take the word.
std::vector<bool> patternBreaks(const HyphenDict* patterns, const QString& lower) {
    std::vector<bool> breaks(size_t(lower.size()), false);
    const QByteArray latin1 = lower.toLatin1();
    if (latin1.size() != lower.size())
        return breaks;
    std::vector<char> marks(size_t(latin1.size()) + 5, 0);
    char** rep = nullptr;
    int* pos = nullptr;
    int* cut = nullptr;
    // libhyphen's signature is not const-correct; it only reads the patterns.
    const int failed = hnj_hyphen_hyphenate3(const_cast<HyphenDict*>(patterns), latin1.constData(),
                                             int(latin1.size()), marks.data(), nullptr, &rep, &pos,
                                             &cut, 1, 1, 1, 1);
    const bool changesLetters = rep != nullptr;
    if (rep) {
        for (qsizetype i = 0; i < latin1.size(); ++i)
            free(rep[i]);
        free(rep);
    }
    free(pos);
    free(cut);
    // A break that changes the letters (old spellings such as "k-k" for "ck") is no break here:
    // the pieces must give the word back.
    if (failed != 0 || changesLetters)
        return breaks;
    for (qsizetype i = 0; i + 1 < lower.size(); ++i)
        breaks[size_t(i)] = (marks[size_t(i)] & BreakMark) != 0;
    return breaks;
}

// The adjustments reading teachers expect beyond the printer's hyphenation.
void adjustForReading(const QString& lower, std::vector<bool>& breaks) {
    const qsizetype size = lower.size();
    // "ck" stays together and goes to the next syllable: "Zu-cker", "E-cke".
    for (qsizetype i = 0; i + 1 < size; ++i) {
        if (breaks[size_t(i)] && lower.at(i) == QLatin1Char('c') &&
            lower.at(i + 1) == QLatin1Char('k')) {
            breaks[size_t(i)] = false;
            if (i > 0)
                breaks[size_t(i - 1)] = true;
        }
    }
    // A single vowel before one consonant sound and a vowel is a syllable of its own, at the
    // start of the word and of each part of a compound: "A-bend", "E-cke", "tags-ü-ber". The
    // printer never leaves one letter alone at a line's end, so its patterns do not mark these.
    for (qsizetype start = 0; start + 2 < size; ++start) {
        if ((start > 0 && !breaks[size_t(start - 1)]) || !isVowel(lower.at(start)))
            continue;
        const qsizetype next = start + 1 + consonantLength(lower, start + 1);
        bool brokenInside = false;
        for (qsizetype i = start; i < next && i < size; ++i)
            brokenInside = brokenInside || breaks[size_t(i)];
        if (next > start + 1 && next < size && isVowel(lower.at(next)) && !brokenInside)
            breaks[size_t(start)] = true;
    }
    // A lone vowel at the end takes the consonant before it, as every syllable after the first
    // starts with one: "Bro-te", not the compound-like "Brot-e".
    if (size > 3 && breaks[size_t(size - 2)] && isVowel(lower.at(size - 1)) &&
        !isVowel(lower.at(size - 2)) && isVowel(lower.at(size - 3))) {
        breaks[size_t(size - 2)] = false;
        breaks[size_t(size - 3)] = true;
    }
}

QStringList splitLetters(const HyphenDict* patterns, const QString& letters) {
    if (letters.size() > LongestWord)
        return {letters};
    QString lower = letters;
    for (QChar& c : lower)
        c = c.toLower();
    std::vector<bool> breaks = patternBreaks(patterns, lower);
    adjustForReading(lower, breaks);
    QStringList pieces{QString()};
    for (qsizetype i = 0; i < letters.size(); ++i) {
        pieces.last().append(letters.at(i));
        if (i + 1 < letters.size() && breaks[size_t(i)])
            pieces.append(QString());
    }
    return pieces;
}

// Every syllable holds a vowel: a piece without one joins the piece before it (the first piece
// joins the next), so "Hund" never becomes "Hun-d" and "geht's" stays whole.
QStringList joinVowelless(const QStringList& pieces) {
    QStringList joined;
    QString pending;
    for (const QString& piece : pieces) {
        if (holdsVowel(piece)) {
            joined.append(pending + piece);
            pending.clear();
        } else if (!joined.isEmpty()) {
            joined.last().append(piece);
        } else {
            pending.append(piece);
        }
    }
    if (!pending.isEmpty())
        joined.append(pending);
    return joined;
}

} // namespace

QStringList syllables(const QString& word) {
    const HyphenDict* patterns = patternStore().patterns();
    if (!patterns || word.isEmpty())
        return {word};
    // Runs of letters are split; a mark between two runs ("E-Mail") stays on the piece before it,
    // marks before the first letter on the first piece.
    QStringList pieces;
    QString marks;
    qsizetype i = 0;
    while (i < word.size()) {
        if (!word.at(i).isLetter()) {
            marks.append(word.at(i++));
            continue;
        }
        const qsizetype start = i;
        while (i < word.size() && word.at(i).isLetter())
            ++i;
        QStringList run = splitLetters(patterns, word.mid(start, i - start));
        if (pieces.isEmpty())
            run.first().prepend(marks);
        else
            pieces.last().append(marks);
        marks.clear();
        pieces.append(run);
    }
    if (pieces.isEmpty())
        return {word};
    pieces.last().append(marks);
    return joinVowelless(pieces);
}

QList<SyllableSpan> syllableSpans(const QString& text) {
    QList<SyllableSpan> spans;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text.at(i).isSpace()) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && !text.at(i).isSpace())
            ++i;
        qsizetype at = start;
        int colour = 0;
        for (const QString& piece : syllables(text.mid(start, i - start))) {
            spans.append(SyllableSpan{at, piece.size(), colour});
            at += piece.size();
            colour = 1 - colour;
        }
    }
    return spans;
}

bool syllablesAvailable() {
    const QFileInfo file(patternStore().path());
    return file.isFile() && file.isReadable();
}

bool syllablePatternsReady() {
    return patternStore().ready();
}

void preloadSyllablePatternsInBackground() {
    if (patternStore().startPreload())
        QThreadPool::globalInstance()->start([] { patternStore().patterns(); });
}

void setHyphenationFolder(const QString& folder) {
    patternStore().setFolder(folder);
}

} // namespace tivoral
