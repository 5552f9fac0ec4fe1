#include "store/practicerecord.h"

#include "platform/dialogs.h"
#include "platform/folderlock.h"
#include "platform/safefile.h"
#include "platform/textfile.h"
#include "platform/textmarks.h"
#include "store/readingoptions.h"

#include <QFile>

namespace tivoral {

namespace {

constexpr char LineEnd[] = "\r\n";
constexpr QLatin1Char Quote('"');
const QString DateFormat = QStringLiteral("yyyy-MM-dd");
const QString TimeFormat = QStringLiteral("HH:mm:ss");
const QString RecordDialogTitle = QStringLiteral("Übungsprotokoll");

// A field holding the separator, a quote or a line break goes in quotes, its quotes doubled.
QString csvField(const QString& text) {
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

bool PracticeRecord::write(const PracticeEntry& entry) const {
    const FolderLock lock(folder_, LockWait);
    if (!lock.mayWrite())
        return false;
    const std::optional<QString> resolved = safefile::resolve(path(), safefile::Missing::Allowed);
    QFile file;
    if (!resolved || !safefile::openForAppending(*resolved, file))
        return false;
    // Under the lock no other copy can create the file meanwhile: the header comes only once.
    const qint64 oldSize = file.size();
    const QByteArray bytes = (oldSize == 0 ? headerBytes() : QByteArray()) + lineBytes(entry);
    if (file.write(bytes) == bytes.size() && file.flush())
        return true;
    // Without the lock another copy's line may already follow; it must not be cut off.
    if (lock.state() == FolderLock::State::Held)
        file.resize(oldSize);
    return false;
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
