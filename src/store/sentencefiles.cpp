#include "store/sentencefiles.h"

#include "platform/countwording.h"
#include "platform/dialogs.h"
#include "platform/textfile.h"
#include "platform/textmarks.h"
#include "store/sentencefilelist.h"
#include "store/sentencefilestatus.h"
#include "store/sentencestore.h"
#include "store/startprefetch.h"
#include "store/typedtext.h"

#include <QBuffer>
#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace tivoral {

namespace {

bool isBlankOnly(const QByteArray& line) {
    for (char c : line)
        if (c != ' ')
            return false;
    return true;
}

// Printable Latin-1, which holds every letter of a German sentence, has no control character
// and no blank but the plain one, apart from the no-break space and the soft hyphen. Tested
// without an early way out, so that the compiler can look at many characters at a time.
bool isPlainLatin1(QStringView text) {
    constexpr char16_t AsciiFirst = u' ';
    constexpr char16_t AsciiEnd = 0x7F;
    constexpr char16_t LatinFirst = 0xA1; // after the no-break space
    constexpr char16_t LatinEnd = 0x100;
    constexpr char16_t SoftHyphen = 0xAD;
    bool outside = false;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        const bool ascii = char16_t(u - AsciiFirst) < char16_t(AsciiEnd - AsciiFirst);
        const bool latin = char16_t(u - LatinFirst) < char16_t(LatinEnd - LatinFirst);
        outside |= !(ascii || (latin && u != SoftHyphen));
    }
    return !outside;
}

// Makes blanks plain, removes trailing blanks and the second blank of every pair; false when
// nothing changed.
bool normaliseInPlace(QString& text) {
    const bool madePlain = cleanTypedText(text);
    const QChar* const in = text.constData();
    const qsizetype size = text.size();
    // Up to the first pair of blanks nothing changes; most sentences have none.
    qsizetype clean = 0;
    while (clean + 1 < size && !(in[clean] == u' ' && in[clean + 1] == u' '))
        ++clean;
    if (clean + 1 >= size && (size == 0 || in[size - 1] != u' '))
        return madePlain;
    QChar* const begin = text.data(); // copies only a text shared with others
    QChar* out = begin + clean;
    for (qsizetype i = clean; i < size; ++i) {
        const QChar c = begin[i];
        if (c == u' ' && out != begin && out[-1] == u' ')
            continue;
        *out++ = c;
    }
    while (out != begin && out[-1] == u' ')
        --out;
    text.truncate(out - begin);
    return true;
}

} // namespace

bool makeBlanksPlain(QString& text) {
    const auto isOtherSpace = [](QChar c) {
        return c.unicode() > 0x7F && c.category() == QChar::Separator_Space;
    };
    const QChar* const in = text.constData();
    const qsizetype first = std::find_if(in, in + text.size(), isOtherSpace) - in;
    if (first == text.size())
        return false;
    // Copies only a text shared with others, and only when it holds such a space.
    for (auto c = text.begin() + first; c != text.end(); ++c)
        if (isOtherSpace(*c))
            *c = u' ';
    return true;
}

bool cleanTypedText(QString& text) {
    if (isPlainLatin1(text))
        return false;
    const bool removed = typedtext::removeControlCharacters(text);
    return makeBlanksPlain(text) || removed;
}

QString normaliseSentence(const QString& text) {
    QString result = text;
    normaliseInPlace(result);
    return result;
}

bool normaliseSentences(QStringList& entries) {
    bool changed = false;
    for (QString& entry : entries)
        changed = normaliseInPlace(entry) || changed;
    // An entry of blanks only is gone now; an empty sentence cannot be practised.
    return entries.removeIf([](const QString& entry) { return entry.isEmpty(); }) > 0 || changed;
}

void normaliseSentences(SentenceStore& store) {
    if (store.isEmpty())
        return;
    QStringList entries = store.entries();
    if (!normaliseSentences(entries))
        return;
    const int selected = store.selected();
    store.setEntries(std::move(entries));
    store.setSelected(selected);
}

SentenceLines readSentenceLines(const QString& path) {
    SentenceLines lines;
    // The editor's loader would keep lines of blanks only, but the clean-up removes them anyway;
    // leaving them out here keeps them from counting against the line limit.
    textfile::ReadLimits limits;
    limits.maxLines = SentenceStore::MaxEntries;
    const textfile::LineFilter keep = [](const QByteArray& line) { return !isBlankOnly(line); };
    // Read once for its version and its lines, so that the two agree also while another
    // computer writes the list, and a shared folder sends it only once.
    if (std::optional<QByteArray> bytes = textfile::readWholeUpTo(path, FileVersion::HashedBytes)) {
        lines.version = FileVersion::ofBytes(*bytes);
        QBuffer buffer(&*bytes);
        buffer.open(QIODevice::ReadOnly);
        lines.read = textfile::readLines(buffer, limits, keep);
    } else {
        lines.version = FileVersion::of(path);
        lines.read = textfile::readLines(path, limits, keep);
    }
    normaliseSentences(lines.read.lines);
    return lines;
}

const QStringList& SentenceFileLoader::defaultSentences() {
    static const QStringList sentences = {
        QStringLiteral("Nach dem Essen mache ich meine Hausaufgaben."),
        QStringLiteral("Die Schule macht mir heute gar keinen Spaß."),
        QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld."),
        QStringLiteral("Vater bringt das Auto in die Werkstatt."),
        QStringLiteral("Auf der Autobahn ist ein Stau entstanden."),
    };
    return sentences;
}

SentenceFileLoader::SentenceFileLoader(const QDir& folder, SentenceStore& store,
                                       SentenceFileStatus& status, Dialogs& dialogs)
    : folder_(folder), store_(store), status_(status), dialogs_(dialogs) {}

QString SentenceFileLoader::pathOf(const QString& name) const {
    return folder_.filePath(name);
}

bool SentenceFileLoader::createDefaultSentenceFile() {
    const QString path = pathOf(QString::fromLatin1(DefaultFileName));
    textfile::clearReadOnly(path);
    return textfile::writeLinesAtomic(path, defaultSentences());
}

void SentenceFileLoader::loadSentenceFile(SentenceFileList& mainList) {
    if (mainList.count() < 1) {
        dialogs_.message(QStringLiteral("Es wurden keine Dosensätze gefunden,") + CR +
                             QStringLiteral("darum wird eine Standarddatei erzeugt.") + CR,
                         QStringLiteral("Dosensätze"), Buttons::Ok, Icon::Warning);
        if (!createDefaultSentenceFile()) {
            store_.clear();
            store_.markAsSaved();
            dialogs_.message(QStringLiteral("Die Standarddatei TIVORAL.TXT konnte nicht "
                                            "angelegt werden.") +
                                 CR + QStringLiteral("Bitte prüfen Sie, ob in den Ordner") + CR +
                                 QDir::toNativeSeparators(folder_.absolutePath()) + CR +
                                 QStringLiteral("geschrieben werden darf.") + CR,
                             QStringLiteral("Dosensätze"), Buttons::Ok, Icon::Warning);
            return;
        }
        mainList.refresh();
        mainList.setSelected(mainList.indexOf(QString::fromLatin1(DefaultFileName)));
    }
    load(mainList, Kind::Main);
}

void SentenceFileLoader::loadEditorSentenceFile(SentenceFileList& editorList) {
    load(editorList, Kind::Editor);
}

void SentenceFileLoader::load(SentenceFileList& list, Kind kind) {
    const QString name = list.selectedName();
    store_.clear();
    const QString path = pathOf(name);

    // The start loads the list and then previews it: a file that was just loaded the same way
    // and has not changed has had its notices already.
    const bool toldBefore = kind == lastKind_ && !name.isEmpty() && path == lastPath_ &&
                            !sourceVersions_.changedSince(path);
    lastKind_ = kind;
    lastPath_ = path;
    sourceVersions_.clear();
    textfile::ReadResult read;
    if (!name.isEmpty()) {
        std::optional<SentenceLines> lines =
            readAhead_ ? readAhead_->takeLines(path) : std::nullopt;
        if (!lines)
            lines = readSentenceLines(path);
        if (lines->version)
            sourceVersions_.remember(path, *lines->version);
        read = std::move(lines->read);
    }
    partlyLoadedPath_ = read.truncated ? QFileInfo(path).absoluteFilePath() : QString();
    store_.setEntries(std::move(read.lines));
    // Even a failed load leaves the list as the file gave it: nothing to save.
    store_.markAsSaved();

    if (!read.ok || store_.isEmpty()) {
        if (kind == Kind::Main) {
            status_.setLoadError(SentenceFileStatus::LoadError::FileError);
            dialogs_.message(QStringLiteral("Es ist ein Dateifehler aufgetreten.") + CR,
                             QStringLiteral("Tivoral"), Buttons::Ok, Icon::None);
        } else {
            status_.setLoadError(SentenceFileStatus::LoadError::NoSentences);
            dialogs_.message(QStringLiteral("Keine Dosensätze gefunden!") + CR,
                             QStringLiteral("Tivoral"), Buttons::Ok, Icon::None);
        }
        return;
    }
    store_.setSelected(0);
    status_.setLoaded(store_.count(), QDir::toNativeSeparators(path), name);
    if (!toldBefore)
        reportLimits(read.overlongLines, read.truncated);
}

void SentenceFileLoader::reportLimits(int overlongLines, bool truncated) {
    // Reading stops at the sentence limit or, with very long sentences, at the byte limit.
    if (truncated) {
        dialogs_.message(
            QStringLiteral("Die Datei ist zu groß.") + CR +
                countWording(store_.count(), QStringLiteral("Es wurde nur der erste Satz geladen."),
                             QStringLiteral("Es wurden nur die ersten %1 Sätze geladen.")) +
                CR,
            QStringLiteral("Dosensätze"), Buttons::Ok, Icon::Warning);
    }
    if (overlongLines > 0) {
        dialogs_.message(
            countWording(overlongLines,
                         QStringLiteral("1 zu lange Zeile der Datei wurde ausgelassen."),
                         QStringLiteral("%1 zu lange Zeilen der Datei wurden ausgelassen.")) +
                CR,
            QStringLiteral("Dosensätze"), Buttons::Ok, Icon::Warning);
    }
}

bool SentenceFileLoader::loadedInPart(const QString& path) const {
    return !partlyLoadedPath_.isEmpty() && QFileInfo(path).absoluteFilePath() == partlyLoadedPath_;
}

int SentenceFileLoader::countSentences(const QString& path) {
    int count = 0;
    textfile::ReadLimits limits;
    limits.maxLines = std::numeric_limits<int>::max();
    textfile::readLines(path, limits, [&count](const QByteArray& line) {
        count += isBlankOnly(line) ? 0 : 1;
        return false;
    });
    return count;
}

bool SentenceFileLoader::reportNoSelection(const SentenceFileList& list) {
    if (list.selected() >= 0)
        return false;
    dialogs_.message(QStringLiteral("Keine Dateien vorhanden!") + CR,
                     QStringLiteral("Dosensätze laden"), Buttons::Ok, Icon::Critical);
    return true;
}

std::optional<QStringList> SentenceFileLoader::previewSentenceFile(SentenceFileList& mainList) {
    if (reportNoSelection(mainList))
        return std::nullopt;
    loadSentenceFile(mainList);
    return store_.entries();
}

void SentenceFileLoader::loadAndCloseFileView(SentenceFileList& mainList) {
    if (!reportNoSelection(mainList))
        loadSentenceFile(mainList);
}

} // namespace tivoral
