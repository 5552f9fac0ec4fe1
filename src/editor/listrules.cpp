#include "editor/listrules.h"

#include "platform/textmarks.h"
#include "store/sentencefiles.h"
#include "store/sentencefilestatus.h"
#include "store/sentencestore.h"
#include "store/typedtext.h"

#include <QSet>

namespace tivoral::listrules {

namespace {

const QLatin1Char LF('\n');

// Complete lines only: the text after the last line break is not a line yet.
QStringList completeLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != CR && c != LF)
            continue;
        lines.append(text.mid(start, i - start));
        if (c == CR && i + 1 < text.size() && text.at(i + 1) == LF)
            ++i;
        start = i + 1;
    }
    return lines;
}

} // namespace

bool containsExactly(const QStringList& entries, const QString& text) {
    return entries.contains(text, Qt::CaseSensitive);
}

int countInputWords(const QString& text) {
    int count = 1;
    const qsizetype last = text.size() - 1;
    for (qsizetype i = 0; i < last; ++i) {
        if (text.at(i) == Blank && text.at(i + 1) != Blank)
            ++count;
    }
    return count;
}

QString wordCountText(int count) {
    return SentenceStore::countText(count) +
           (count == 1 ? QStringLiteral(" Wort") : QStringLiteral(" Wörter"));
}

bool exceedsWordLimit(int count) {
    return count > MaxWordsPerSentence;
}

QString listCountText(int count) {
    return SentenceStore::countText(count) + QStringLiteral(" Sätze gefunden.");
}

QString countLabelText(const SentenceFileStatus& status) {
    switch (status.loadError()) {
    case SentenceFileStatus::LoadError::FileError:
        return QStringLiteral("Es ist ein Dateifehler aufgetreten.");
    case SentenceFileStatus::LoadError::NoSentences:
        return QStringLiteral("Keine Sätze gefunden.");
    case SentenceFileStatus::LoadError::None:
        break;
    }
    const std::optional<int>& count = status.editorCount();
    return count ? listCountText(*count) : QString();
}

QString listFullText() {
    return QStringLiteral("Die Liste ist voll: Sie kann höchstens %1 Sätze aufnehmen.")
        .arg(SentenceStore::MaxEntries);
}

bool isTooLong(const QString& sentence) {
    return sentence.size() > typedtext::MaxSentenceLength;
}

QString tooLongText() {
    return QStringLiteral("Der Satz ist zu lang: Ein Satz darf höchstens %1 Zeichen haben.")
        .arg(typedtext::MaxSentenceLength);
}

QString deleteQuestionText(const QString& entry) {
    if (entry.size() <= DeleteTextLength)
        return entry;
    qsizetype cut = DeleteTextLength;
    // Never split a character that takes two UTF-16 units.
    if (entry.at(cut - 1).isHighSurrogate())
        --cut;
    return entry.left(cut) + QStringLiteral(" ...");
}

QString clipboardText(const QStringList& entries) {
    QString text;
    for (const QString& entry : entries)
        text += entry + QStringLiteral("\r\n");
    return text;
}

QStringList linesToPaste(const QStringList& entries, const QString& clipboardText) {
    QSet<QString> known;
    known.reserve(entries.size());
    for (const QString& entry : entries)
        known.insert(entry.toCaseFolded());

    QStringList added;
    for (QString line : completeLines(clipboardText)) {
        // Text from a word processor brings spaces, tabs and soft hyphens that no keyboard types.
        cleanTypedText(line);
        if (line.isEmpty())
            continue;
        const QString folded = line.toCaseFolded();
        if (known.contains(folded))
            continue;
        known.insert(folded);
        added.append(line);
    }
    return added;
}

} // namespace tivoral::listrules
