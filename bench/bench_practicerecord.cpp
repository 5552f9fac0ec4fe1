// Reading a class's year of practice record: a million lines, some with quoted sentences, must
// read in under 300 ms.
#include "recordlines.h"
#include "store/practicerecordreader.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <stdexcept>

using namespace tivoral;

namespace {

constexpr int RecordLines = benchrecord::Lines;
constexpr double BytesPerMegabyte = 1024.0 * 1024.0;

struct Record {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("PROTOKOLL.CSV"));
    qint64 bytes = benchrecord::write(path);
    Record() {
        if (bytes < 0)
            throw std::runtime_error("cannot write the record");
    }
};

void readMillionLineRecord(benchmark::State& state) {
    const Record record;
    size_t lines = 0;
    int damaged = 0;
    for (auto _ : state) {
        PracticeRecordContents contents = readPracticeRecord(record.path);
        lines = contents.entries.size();
        damaged = contents.damagedLines;
        state.PauseTiming(); // the program reads a record once; freeing it is not reading
        contents = {};
        state.ResumeTiming();
    }
    if (lines != size_t(RecordLines) || damaged != 0)
        state.SkipWithError("not every line was read");
    state.counters["lines"] = double(lines);
    state.counters["file_MB"] = double(record.bytes) / BytesPerMegabyte;
}
BENCHMARK(readMillionLineRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
