#include "store/practicerecord.h"

#include "platform/dialogs.h"
#include "platform/folderlock.h"
#include "platform/safefile.h"
#include "platform/textfile.h"
#include "platform/textmarks.h"
#include "store/readingoptions.h"

#include <QFile>
#include <QRegularExpression>

namespace tivoral {

namespace {

constexpr char LineEnd[] = "\r\n";
constexpr QLatin1Char Quote('"');
const QString DateFormat = QStringLiteral("yyyy-MM-dd");
const QString TimeFormat = QStringLiteral("HH:mm:ss");
const QString RecordDialogTitle = QStringLiteral("Übungsprotokoll");

bool isFormulaStart(QChar c) {
    return c == u'=' || c == u'+' || c == u'-' || c == u'@';
}

// A negative number is no formula; it stays a number for the spreadsheet.
bool isPlainNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+([.,][0-9]+)?$"));
    return number.match(text).hasMatch();
}

// A spreadsheet runs a field starting with "=", "+", "-" or "@" as a formula (a child's name
// "=HYPERLINK(…)"); the apostrophe in front makes it text. A field that already starts with an
// apostrophe before such a character gets one more, so that reading drops exactly one.
QString guardedAgainstFormula(const QString& text) {
    if (text.isEmpty())
        return text;
    const bool formula = isFormulaStart(text.front()) && !isPlainNumber(text);
    const bool looksGuarded =
        text.front() == practicerecord::FormulaGuard && text.size() > 1 &&
        (isFormulaStart(text.at(1)) || text.at(1) == practicerecord::FormulaGuard);
    return formula || looksGuarded ? practicerecord::FormulaGuard + text : text;
}

// A field holding the separator, a quote or a line break goes in quotes, its quotes doubled.
QString csvField(const QString& field) {
    const QString text = guardedAgainstFormula(field);
    const bool needsQuotes = text.contains(QLatin1Char(practicerecord::Separator)) ||
                             text.contains(Quote) || text.contains(QLatin1Char('\n')) ||
                             text.contains(QLatin1Char('\r'));
    if (!needsQuotes)
        return text;
    QString doubled = text;
    doubled.replace(Quote, QStringLiteral("\"\""));
    return Quote + doubled + Quote;
}

} // namespace

QByteArray practicerecord::csvLine(const QStringList& fields) {
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields)
        quoted.append(csvField(field));
    return quoted.join(QLatin1Char(practicerecord::Separator)).toUtf8() + LineEnd;
}

PracticeRecord::PracticeRecord(const QDir& folder, Clock clock)
    : folder_(folder), clock_(std::move(clock)) {}

PracticeRecord::Clock PracticeRecord::systemClock() {
    return [] { return QDateTime::currentDateTime(); };
}

QString PracticeRecord::path() const {
    return folder_.filePath(QString::fromLatin1(practicerecord::FileName));
}

QByteArray PracticeRecord::headerBytes() {
    return Utf8Bom.toByteArray() + practicerecord::csvLine(practicerecord::columns());
}

QByteArray PracticeRecord::lineBytes(const PracticeEntry& entry) {
    return practicerecord::csvLine(
        {entry.when.toString(DateFormat), entry.when.toString(TimeFormat), entry.user,
         practicerecord::eventText(entry.event), entry.exercise, entry.file, entry.sentence,
         QString::number(entry.seconds), QString::number(entry.redAnswers),
         QString::number(entry.helps), QString::number(entry.points)});
}

bool PracticeRecord::append(const PracticeEntry& entry) {
    if (!isOn() || write(entry))
        return true;
    ++failedLines_;
    return false;
}

namespace {

enum class RecordShape { Empty, EndsWithLineEnd, EndsMidLine, NotARecord, Unreadable };

// Looks at the record's first line and last byte only: the record may be large, and a child
// must not wait for it.
RecordShape shapeOf(const QString& resolvedPath) {
    if (!safefile::entryExists(resolvedPath))
        return RecordShape::Empty;
    QFile file;
    if (!safefile::openForReading(resolvedPath, file))
        return RecordShape::Unreadable;
    const qint64 size = file.size();
    if (size == 0)
        return RecordShape::Empty;
    const QByteArray header = practicerecord::headerStart();
    QByteArray head = file.read(Utf8Bom.size() + header.size());
    if (head.startsWith(Utf8Bom))
        head.remove(0, Utf8Bom.size());
    if (!head.startsWith(header))
        return RecordShape::NotARecord;
    char last = 0;
    if (!file.seek(size - 1) || !file.getChar(&last))
        return RecordShape::Unreadable;
    return last == '\n' || last == '\r' ? RecordShape::EndsWithLineEnd : RecordShape::EndsMidLine;
}

} // namespace

QByteArray practicerecord::headerStart() {
    // The first columns are plain ASCII: they read the same in every encoding a spreadsheet
    // may save the record in.
    constexpr int RecognisedColumns = 4;
    return (columns().mid(0, RecognisedColumns).join(QLatin1Char(Separator)) +
            QLatin1Char(Separator))
        .toLatin1();
}

bool PracticeRecord::write(const PracticeEntry& entry) const {
    const FolderLock lock(folder_, LockWait);
    if (!lock.mayWrite())
        return false;
    const std::optional<QString> resolved = safefile::resolve(path(), safefile::Missing::Allowed);
    if (!resolved)
        return false;
    // Under the lock no other copy can create or extend the file meanwhile: the header comes
    // only once, and no line is glued to another.
    QByteArray bytes;
    switch (shapeOf(*resolved)) {
    case RecordShape::Empty:
        bytes = headerBytes();
        break;
    case RecordShape::EndsMidLine:
        bytes = LineEnd;
        break;
    case RecordShape::EndsWithLineEnd:
        break;
    case RecordShape::NotARecord: // another program's file; the overview says so
    case RecordShape::Unreadable:
        return false;
    }
    return textfile::appendBytes(*resolved, bytes + lineBytes(entry));
}

bool PracticeRecord::empty(QString* error) const {
    const FolderLock lock(folder_);
    if (!lock.mayWrite()) {
        if (error)
            *error = FolderLock::busyMessage();
        return false;
    }
    return textfile::writeBytesAtomic(path(), headerBytes(), error);
}

bool PracticeRecord::isOn() const {
    if (!on_) {
        const QString value = ReadingOptionsFile(folder_)
                                  .read()
                                  .value(ReadingOptionsFile::sectionName(std::nullopt))
                                  .value(QLatin1String(SwitchKey));
        on_ = value != switchValue(false);
    }
    return *on_;
}

bool PracticeRecord::setOn(bool on, QString* error) {
    if (!ReadingOptionsFile(folder_).change(std::nullopt, QLatin1String(SwitchKey), switchValue(on),
                                            error))
        return false;
    on_ = on;
    return true;
}

bool PracticeRecord::changeSwitch(Dialogs& dialogs, bool on) {
    QString error;
    if (setOn(on, &error))
        return true;
    dialogs.message(QStringLiteral("Die Einstellung zum Übungsprotokoll konnte nicht gespeichert "
                                   "werden.") +
                        CR + error + CR,
                    RecordDialogTitle, Buttons::Ok, Icon::Warning);
    return false;
}

bool PracticeRecord::emptyAfterAsking(Dialogs& dialogs) const {
    if (dialogs.message(QStringLiteral("Das Übungsprotokoll wirklich leeren?"), RecordDialogTitle,
                        Buttons::YesNo, Icon::Question, Answer::No) != Answer::Yes)
        return false;
    QString error;
    if (empty(&error))
        return true;
    dialogs.message(QStringLiteral("Das Übungsprotokoll konnte nicht geleert werden.") + CR +
                        error + CR,
                    RecordDialogTitle, Buttons::Ok, Icon::Warning);
    return false;
}

} // namespace tivoral
