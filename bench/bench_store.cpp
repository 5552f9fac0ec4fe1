// Loading sentence files: a full file of ordinary sentences, and a huge file that must stop at
// the sentence limit in bounded time and memory; saving a full list with every write checked.
#include "platform/dialogs.h"
#include "platform/random.h"
#include "platform/textfile.h"
#include "store/appstate.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <stdexcept>
#include <string>

using namespace tivoral;

namespace {

constexpr int SentenceLength = 60;
constexpr int HugeFileLines = 3'000'000;
constexpr int HugeLineLength = 65; // with CR LF about 200 MB in all
constexpr double BytesPerMegabyte = 1024.0 * 1024.0;

class SilentDialogs final : public Dialogs {
public:
    Answer message(const QString&, const QString&, Buttons, Icon, Answer) override {
        ++messages;
        return Answer::Ok;
    }
    QString input(const QString&, const QString&, const QString&) override { return {}; }
    int messages = 0;
};

// A sentence of exactly `length` Windows-1252 bytes with umlauts and double blanks to clean up.
QByteArray sentence(int number, int length) {
    QByteArray text = "Satz " + QByteArray::number(number) +
                      ": Der Bauer f\xE4hrt  mit dem "
                      "Traktor aufs Feld und gr\xFC\xDFt  die Nachbarn freundlich.";
    text.resize(length, '.');
    return text;
}

void writeSentenceFile(const QString& path, int lines, int length) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + path.toStdString());
    for (int i = 1; i <= lines; ++i)
        file.write(sentence(i, length) + "\r\n");
}

// Resident memory in kB: the current value and the peak since the last reset.
long statusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ':', 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    return 0;
}

void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

struct Folder {
    QTemporaryDir dir;
    Folder() {
        writeSentenceFile(dir.filePath(QStringLiteral("SAETZE.TXT")), SentenceStore::MaxEntries,
                          SentenceLength);
        writeSentenceFile(dir.filePath(QStringLiteral("RIESIG.TXT")), HugeFileLines,
                          HugeLineLength);
    }
};

const Folder& folder() {
    static const Folder made;
    return made;
}

void loadFile(benchmark::State& state, const QString& name) {
    SilentDialogs dialogs;
    DefaultRandom random;
    AppState app(QDir(folder().dir.path()), dialogs, random);
    app.mainFiles.setSelected(app.mainFiles.indexOf(name));

    resetPeakMemory();
    const long before = statusKilobytes("VmRSS");
    for (auto _ : state) {
        app.loader.loadSentenceFile(app.mainFiles);
        benchmark::DoNotOptimize(app.store.entries());
    }
    if (app.store.count() != SentenceStore::MaxEntries)
        state.SkipWithError("the store does not hold the first 32767 sentences");
    state.counters["sentences"] = app.store.count();
    state.counters["messages"] = dialogs.messages;
    state.counters["peak_MB_extra"] = (statusKilobytes("VmHWM") - before) * 1024 / BytesPerMegabyte;
}

void BM_LoadFullSentenceFile(benchmark::State& state) {
    loadFile(state, QStringLiteral("SAETZE.TXT"));
}

void BM_LoadHugeSentenceFile(benchmark::State& state) {
    loadFile(state, QStringLiteral("RIESIG.TXT"));
}

void BM_SaveFullSentenceList(benchmark::State& state) {
    QStringList sentences;
    for (int i = 1; i <= SentenceStore::MaxEntries; ++i)
        sentences.append(QString::fromLatin1(sentence(i, SentenceLength)));
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("GESPEICHERT.TXT"));
    for (auto _ : state) {
        if (!textfile::writeLinesAtomic(path, sentences))
            state.SkipWithError("the list was not saved");
    }
    state.counters["sentences"] = double(sentences.size());
}

} // namespace

BENCHMARK(BM_LoadFullSentenceFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadHugeSentenceFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFullSentenceList)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
