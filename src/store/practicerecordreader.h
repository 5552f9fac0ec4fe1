#pragma once

#include "store/practiceentry.h"

#include <QByteArrayView>
#include <QString>

#include <vector>

namespace tivoral {

// Everything that could be read of a practice record.
struct PracticeRecordContents {
    std::vector<PracticeEntry> entries; // in file order
    int damagedLines = 0;               // lines that could not be read; skipped
    bool readable = true;               // false when the file exists but cannot be opened
    bool olderLinesLeftOut = false;     // the file outgrew the read limit; its newest part was read
};

// Reads a whole practice record (a missing file is an empty, readable record). Built for a
// class's year of practice: a million lines read in well under a second.
PracticeRecordContents readPracticeRecord(const QString& path);

namespace practicerecord {
// A record beyond this size is read from its newest end only, so no file can fill the memory.
inline constexpr qint64 MaxReadBytes = 512LL * 1024 * 1024;
// A line longer than this (a quote never closed, say) is damaged.
inline constexpr qsizetype MaxLineBytes = 64 * 1024;

// The entries of a record's bytes, as readPracticeRecord() finds them in a file.
PracticeRecordContents parse(QByteArrayView bytes);
} // namespace practicerecord

} // namespace tivoral
