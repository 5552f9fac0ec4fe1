#pragma once

#include "store/practiceentry.h"

#include <QString>

#include <vector>

namespace tivoral {

// Everything that could be read of a practice record.
struct PracticeRecordContents {
    std::vector<PracticeEntry> entries; // in file order
    int damagedLines = 0;               // lines that could not be read; skipped
    bool readable = true;               // false when the file exists but cannot be opened
};

// Reads a whole practice record (a missing file is an empty, readable record). Built for a
// class's year of practice: a million lines read in well under a second.
PracticeRecordContents readPracticeRecord(const QString& path);

} // namespace tivoral
