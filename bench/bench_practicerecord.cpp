// Reading a class's year of practice record: a million lines, some with quoted sentences, must
// read in under 300 ms.
#include "store/practicerecordreader.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <stdexcept>

using namespace tivoral;

namespace {

constexpr int RecordLines = 1'000'000;
constexpr int Children = 25;
constexpr int SentencesPerFile = 40;
constexpr int LinesPerDay = 4000;
constexpr int SecondsPerDay = 24 * 60 * 60;
constexpr int QuotedEvery = 10; // every tenth sentence holds a ";" and quotes
constexpr double BytesPerMegabyte = 1024.0 * 1024.0;

QByteArray recordLine(int number) {
    const QDate day = QDate(2026, 1, 1).addDays(number / LinesPerDay);
    const QTime time = QTime(0, 0).addSecs(number % LinesPerDay * SecondsPerDay / LinesPerDay);
    const int sentence = number % SentencesPerFile;
    const QByteArray text = sentence % QuotedEvery == 0
                                ? QByteArray("\"Er rief: \"\"Halt; warte!\"\" und lief weiter.\"")
                                : "Der Bauer f\xC3\xA4hrt mit dem Traktor aufs Feld " +
                                      QByteArray::number(sentence) + '.';
    return day.toString(Qt::ISODate).toLatin1() + ';' + time.toString(Qt::ISODate).toLatin1() +
           ";Kind " + QByteArray::number(number % Children) + ";Satz fertig;Dosensatz;SAETZE.TXT;" +
           text + ';' + QByteArray::number(number % 60) + ";1;0;3\r\n";
}

struct Record {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("PROTOKOLL.CSV"));
    qint64 bytes = 0;
    Record() {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write the record");
        file.write("\xEF\xBB\xBF"
                   "Datum;Uhrzeit;Benutzer;Ereignis;\xC3\x9C"
                   "bung;Datei;Satz;Sekunden;Rot;Hilfen;Punkte\r\n");
        for (int line = 0; line < RecordLines; ++line)
            file.write(recordLine(line));
        bytes = file.size();
    }
};

void readMillionLineRecord(benchmark::State& state) {
    const Record record;
    PracticeRecordContents contents;
    for (auto _ : state) {
        contents = readPracticeRecord(record.path);
        benchmark::DoNotOptimize(contents.entries.data());
    }
    if (contents.entries.size() != size_t(RecordLines) || contents.damagedLines != 0)
        state.SkipWithError("not every line was read");
    state.counters["lines"] = double(contents.entries.size());
    state.counters["file_MB"] = double(record.bytes) / BytesPerMegabyte;
}
BENCHMARK(readMillionLineRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
