#pragma once

#include <QString>
#include <QStringList>

namespace tivoral {
class SentenceFileStatus;
}

namespace tivoral::listrules {

// A sentence longer than this brings the editor's warning into view.
constexpr int MaxWordsPerSentence = 18;
// The delete question shows at most this many characters of the line.
constexpr int DeleteTextLength = 40;

// The add refusal: is the text already an entry, compared exactly (upper and lower case differ)?
bool containsExactly(const QStringList& entries, const QString& text);

// The word count of the input line: one more than the blanks that are directly followed by a
// non-blank, so an empty line counts 1, a leading blank one word more, and a run of blanks once.
int countInputWords(const QString& text);
// " 1 Wort", " 2 Wörter".
QString wordCountText(int count);
bool exceedsWordLimit(int count);

// " 3 Sätze gefunden." — the singular is never used.
QString listCountText(int count);
// The editor's count label: the sentences found, or why none were.
QString countLabelText(const SentenceFileStatus& status);

// Told when the store cannot take another sentence.
QString listFullText();

// A sentence the editor refuses to take: longer than a sentence file can read back.
bool isTooLong(const QString& sentence);
QString tooLongText();

// The line as the delete question shows it: cut to its first 40 characters plus " ..." when
// longer.
QString deleteQuestionText(const QString& entry);

// Every entry followed by CR LF, the last one too.
QString clipboardText(const QStringList& entries);

// The lines of a clipboard text that a paste appends, in order: only lines that end with a line
// break (CR LF, LF or a lone CR); empty lines and lines equal to an entry or to an earlier
// pasted line without regard to case are left out. Lines are taken as they stand.
QStringList linesToPaste(const QStringList& entries, const QString& clipboardText);

} // namespace tivoral::listrules
