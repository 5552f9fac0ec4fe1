#pragma once

#include "store/practiceentry.h"

#include <QByteArray>
#include <QDate>

#include <vector>

namespace tivoral::testing {

// A few weeks of practice of a few children, the same every time: practice days, finished and
// skipped sentences in the four exercises, help used, a round of Wortfange now and then.
std::vector<PracticeEntry> generatePractice(QDate lastDay, int weeks);

// The entries as PROTOKOLL.CSV holds them: BOM, header, one CSV line each.
QByteArray practiceRecordBytes(const std::vector<PracticeEntry>& entries);

} // namespace tivoral::testing
