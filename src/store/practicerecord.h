#pragma once

#include "store/practiceentry.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

namespace tivoral {

class Dialogs;

namespace practicerecord {
// Put before a field a spreadsheet would take for a formula; reading drops it again.
inline constexpr QLatin1Char FormulaGuard('\'');
// One line of fields in UTF-8, joined by ";" and ended by CR LF; a field holding ";", a quote
// or a line break is quoted the CSV way, one starting like a formula is guarded. The record
// and the overview's export both use it.
QByteArray csvLine(const QStringList& fields);
// How a record's first line starts, after its BOM; a file starting otherwise is not a record.
QByteArray headerStart();
} // namespace practicerecord

// PROTOKOLL.CSV, the practice record of the whole class: one line appended per event, never
// rewritten, so that several computers on one class folder can write it at once. A line that
// cannot be written is only counted; the child practising never hears of it, the teacher sees
// the count in the overview. A file that is not a record is never appended to.
class PracticeRecord {
public:
    // Wall-clock time for the lines and the seconds a sentence took; tests script it.
    using Clock = std::function<QDateTime()>;

    // The folder-wide switch in the default section of the reading options file.
    static constexpr const char* SwitchKey = "Uebungsprotokoll";
    // Appends take the folder lock only for a moment; a child must not wait for the record.
    static constexpr std::chrono::milliseconds LockWait{1000};

    explicit PracticeRecord(const QDir& folder, Clock clock = systemClock());

    QString path() const;
    QDateTime now() const { return clock_(); }
    void setClock(Clock clock) { clock_ = std::move(clock); }

    // Appends the entry while the record is on; false (and counted) when it could not.
    bool append(const PracticeEntry& entry);
    // Lines lost since the program started.
    int failedLines() const { return failedLines_; }

    // Leaves the record with its header only; says why in German when it could not.
    bool empty(QString* error = nullptr) const;

    // On unless the teacher switched it off for the folder. Read once, not for every line; a
    // change from another computer counts from the next child chosen (forgetSwitch).
    bool isOn() const;
    bool setOn(bool on, QString* error = nullptr);
    void forgetSwitch() { on_.reset(); }

    // The teacher's two actions, each telling a failure in German.
    bool changeSwitch(Dialogs& dialogs, bool on);
    // Empties the record after the question, when answered Yes.
    bool emptyAfterAsking(Dialogs& dialogs) const;

    // The bytes a new file starts with: the BOM and the header line.
    static QByteArray headerBytes();
    // One entry as one CSV line with its line end.
    static QByteArray lineBytes(const PracticeEntry& entry);

    static Clock systemClock();

private:
    bool write(const PracticeEntry& entry) const;

    QDir folder_;
    Clock clock_;
    int failedLines_ = 0;
    mutable std::optional<bool> on_;
};

} // namespace tivoral
