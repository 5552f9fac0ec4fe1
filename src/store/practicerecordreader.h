#pragma once

#include "store/practiceentry.h"

#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace tivoral {

// One line of the record as read. A class's year is a million of them, so the line is kept
// compact: its texts are numbers in the record's table of texts, its moment is the date and time
// as written, without a time zone (the teacher reads the record in the children's local time).
struct RecordedEntry {
    using Text = std::uint32_t;

    qint64 day = 0;      // Julian day
    int secondOfDay = 0; // local time as written
    Text user = 0;
    Text exercise = 0;
    Text file = 0;
    Text sentence = 0;
    PracticeEntry::Event event = PracticeEntry::Event::SentenceFinished;
    int seconds = 0;
    int redAnswers = 0;
    int helps = 0;
    int points = 0;

    bool operator==(const RecordedEntry&) const = default;

    QDate date() const { return QDate::fromJulianDay(day); }
    QDateTime when() const;
    // Orders moments without building a QDateTime.
    qint64 secondsSinceDayZero() const;
};

// Everything that could be read of a practice record.
struct PracticeRecordContents {
    std::vector<RecordedEntry> entries; // in file order
    std::vector<QString> texts;         // each text of the record once
    int damagedLines = 0;               // lines that could not be read; skipped
    bool readable = true;               // false when the file exists but cannot be opened
    bool olderLinesLeftOut = false;     // the file outgrew the read limit; its newest part was read
    bool notARecord = false; // the file does not start with the record's header; never appended to

    const QString& text(RecordedEntry::Text text) const { return texts[text]; }
    // The number of the text, when some line holds it.
    std::optional<RecordedEntry::Text> find(const QString& text) const;
    // The line as a whole entry, as it was written.
    PracticeEntry entry(const RecordedEntry& recorded) const;

    // The contents a record of these entries reads as.
    static PracticeRecordContents of(const std::vector<PracticeEntry>& entries);
};

// Reads a whole practice record (a missing file is an empty, readable record). Built for a
// class's year of practice: a million lines read in well under a second.
PracticeRecordContents readPracticeRecord(const QString& path);

namespace practicerecord {
// A record beyond this size is read from its newest end only, so no file can fill the memory.
inline constexpr qint64 MaxReadBytes = 512LL * 1024 * 1024;
// A line longer than this (a quote never closed, say) is damaged.
inline constexpr qsizetype MaxLineBytes = 64 * 1024;
// The file is read in pieces of this size, so that the bytes stay in the processor's cache.
inline constexpr qsizetype ReadChunkBytes = 256 * 1024;

// How the bytes are cut up for reading: the file's way, or smaller to test the seams.
struct ReadLimits {
    qsizetype maxLineBytes = MaxLineBytes;
    qsizetype chunkBytes = ReadChunkBytes;
};

// The entries of a record's bytes, as readPracticeRecord() finds them in a file.
PracticeRecordContents parse(QByteArrayView bytes, ReadLimits limits = {});

// The user of one line of a UTF-8 record, as the reader reads it; none when the reader would
// count the line damaged.
std::optional<QString> userOfLine(QByteArrayView line);
} // namespace practicerecord

} // namespace tivoral
