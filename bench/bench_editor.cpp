// The teacher windows must feel instant: the editor opening on the largest list, the word
// count and the spell check on every keystroke, the spell check of the largest list, and the
// font list filling after the settings window's delay.
#include "editor/editorspelling.h"
#include "editor/editorwindow.h"
#include "editor/samplelists.h"
#include "editor/sentenceeditor.h"
#include "platform/fonts.h"
#include "platform/random.h"
#include "shell/settingswindow.h"
#include "silentdialogs.h"
#include "store/appstate.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <ctime>
#include <functional>

using namespace tivoral;

namespace {

struct Setup {
    QTemporaryDir folder;
    benchdialogs::Defaults dialogs;
    DefaultRandom random;
    AppState app{QDir(folder.path()), dialogs, random};
};

QStringList fullList() {
    QStringList sentences;
    sentences.reserve(SentenceStore::MaxEntries);
    for (int i = 0; i < SentenceStore::MaxEntries; ++i)
        sentences.append(
            QStringLiteral("Satz Nummer %1 steht in der langen Liste der Übungen.").arg(i));
    return sentences;
}

// The window thread's time to open the editor; the list's spell check runs on behind it.
void openEditorWithFullList(benchmark::State& state, bool withDictionary) {
    Setup setup;
    const QTemporaryDir noDictionary;
    if (!withDictionary)
        setup.app.spelling.setFolder(noDictionary.path());
    setup.app.store.setEntries(fullList());
    setup.app.store.setSelected(SentenceStore::MaxEntries / 2);
    for (auto _ : state) {
        EditorWindow window(setup.app);
        window.activate();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
}
BENCHMARK_CAPTURE(openEditorWithFullList, spellCheck, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(openEditorWithFullList, noDictionary, false)->Unit(benchmark::kMillisecond);

void wordCountPerKeystroke(benchmark::State& state) {
    Setup setup;
    SentenceEditor editor(setup.app);
    const QString sentence = QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld und "
                                            "winkt den Kindern auf dem Schulweg zu.");
    qsizetype length = 0;
    for (auto _ : state) {
        length = length % sentence.size() + 1;
        editor.setInput(sentence.left(length));
        benchmark::DoNotOptimize(editor.wordDisplay().size());
    }
}
BENCHMARK(wordCountPerKeystroke)->Unit(benchmark::kMicrosecond);

// Every sentence of the sample lists, each as typed key by key.
QStringList sampleSentences() {
    QStringList sentences;
    for (const QString& name : SampleLists::names())
        sentences += SampleLists::sentences(name);
    return sentences;
}

// A word the dictionary cannot know and no other sentence holds: the slowest case for the check.
QString madeUpWord(int number) {
    QString word = QStringLiteral("Quatsch");
    constexpr int Letters = 26;
    for (int rest = number + 1; rest > 0; rest /= Letters)
        word += QChar(u'a' + rest % Letters);
    return word;
}

qint64 threadNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    constexpr qint64 NanosecondsPerSecond = 1000000000;
    return qint64(now.tv_sec) * NanosecondsPerSecond + now.tv_nsec;
}

void spellCheckPerKeystroke(benchmark::State& state) {
    Setup setup;
    EditorSpelling spelling(setup.app);
    spelling.start();
    setup.app.spelling.waitUntilLoaded();
    const QStringList sentences = sampleSentences();
    qsizetype sentence = 0;
    qsizetype length = 0;
    qint64 slowestNanoseconds = 0;
    qint64 slowestOwnNanoseconds = 0;
    QElapsedTimer keystroke;
    for (auto _ : state) {
        if (length == sentences.at(sentence).size()) {
            sentence = (sentence + 1) % sentences.size();
            length = 0;
        }
        ++length;
        keystroke.start();
        const qint64 ownBefore = threadNanoseconds();
        benchmark::DoNotOptimize(
            spelling.unknownInInput(sentences.at(sentence).left(length), length).size());
        slowestOwnNanoseconds = std::max(slowestOwnNanoseconds, threadNanoseconds() - ownBefore);
        slowestNanoseconds = std::max(slowestNanoseconds, keystroke.nsecsElapsed());
    }
    // On a busy machine the slowest by the clock is often a wait for the processor.
    state.counters["slowest_ms"] = double(slowestNanoseconds) / 1e6;
    state.counters["slowest_own_ms"] = double(slowestOwnNanoseconds) / 1e6;
}
BENCHMARK(spellCheckPerKeystroke)->Unit(benchmark::kMicrosecond);

// The check of a full list from the editor's start to the last mark, the dictionary loaded: the
// sample sentences over and over, numbered, or (the slowest case) each with a word of its own
// that the dictionary does not know. Once only: later runs would find the words looked up.
void spellCheckOfFullList(benchmark::State& state, bool madeUpWords) {
    const QStringList samples = sampleSentences();
    QStringList sentences;
    for (int i = 0; i < SentenceStore::MaxEntries; ++i)
        sentences.append(samples.at(i % samples.size()) + QLatin1Char(' ') +
                         (madeUpWords ? madeUpWord(i) : QString::number(i)));
    Setup setup;
    setup.app.spelling.waitUntilLoaded();
    setup.app.store.setEntries(sentences);
    for (auto _ : state) {
        EditorSpelling spelling(setup.app);
        spelling.start();
        spelling.listCheck().waitUntilDone();
        benchmark::DoNotOptimize(spelling.unknownCountText());
    }
}
BENCHMARK_CAPTURE(spellCheckOfFullList, samples, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(spellCheckOfFullList, madeUpWords, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

QStringList manyFamilies() {
    constexpr int FamilyCount = 400;
    QStringList families;
    for (int i = 0; i < FamilyCount; ++i)
        families.append(QStringLiteral("%1 Schrift %2")
                            .arg(i % 2 ? "Arial" : "verdana")
                            .arg(i * 7919 % FamilyCount));
    return families;
}

void fillFontList(benchmark::State& state, const std::function<QStringList()>& families) {
    Setup setup;
    SettingsWindow window(setup.app);
    window.show();
    for (auto _ : state) {
        window.choices().prepare();
        window.choices().loadFontLists(families());
        QApplication::processEvents();
        state.PauseTiming();
        window.choices().returnToMainWindow();
        state.ResumeTiming();
    }
    state.counters["fonts"] = double(families().size());
}

void fillFontListWithManyFonts(benchmark::State& state) {
    const QStringList families = manyFamilies();
    fillFontList(state, [&families] { return families; });
}
BENCHMARK(fillFontListWithManyFonts)->Unit(benchmark::kMillisecond);

void fillFontListWithInstalledFonts(benchmark::State& state) {
    fillFontList(state, &fonts::installedFamilies);
}
BENCHMARK(fillFontListWithInstalledFonts)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
