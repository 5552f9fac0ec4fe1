// The real program started in working folders that hold broken, huge, odd or protected files:
// every start ends quickly with the main window shown, the program's own messages and no
// readable file changed; the exercises stay responsive on whatever sentence got loaded.

#include "platform/textfile.h"
#include "runningprogram.h"
#include "support/workfolder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QMap>
#include <QPlainTextEdit>
#include <QRandomGenerator>

#include <algorithm>
#include <functional>

#include <unistd.h>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

// Sanitizer builds run the same code a few times slower; the limits are those of a normal build.
#if defined(__SANITIZE_ADDRESS__)
constexpr qint64 SanitizerSlowdown = 3;
#else
constexpr qint64 SanitizerSlowdown = 1;
#endif
constexpr qint64 StartLimitMs = 5000 * SanitizerSlowdown;
// One click in an exercise: what a child still feels as an answer to the click.
constexpr qint64 StepLimitMs = 2000 * SanitizerSlowdown;

constexpr qint64 MiB = 1024 * 1024;
constexpr qint64 HugeFileBytes = 200 * MiB;
constexpr qint64 LongLineBytes = 50 * MiB;
constexpr qint64 SmallJunkBytes = 4096;
constexpr qint64 SentenceJunkBytes = 64 * 1024;
// Just below the longest line a sentence file may hold.
constexpr int LongestSentenceBytes = 64 * 1024 - 1;
constexpr int ManyFiles = 40000;
constexpr int MaxSentences = 32767;
constexpr quint32 JunkSeed = 20240611;
constexpr int NulPitch = 61;

const QString SentenceFileName = QStringLiteral("SAETZE.TXT");
const QString SettingsFileName = QStringLiteral("TIVORAL.INI");
const QString UsersFileName = QStringLiteral("TIVORAL.INF");
const QString ScoresFileName = QStringLiteral("BESTDOSE.LST");
const QString DefaultFileName = QStringLiteral("TIVORAL.TXT");

const QByteArray GoodSettings = "Verdana\r\n24\r\n100\r\n";
const QByteArray GoodUsers = "Anna\r\nBen\r\n";
const QByteArray GoodScores = ">  12     30   Anna\r\n";
const QByteArray GoodSentences = "Der Hund bellt.\r\nDie Katze schl\xE4"
                                 "ft.\r\n";
const QByteArray DefaultUsers = "Freund\r\n";
// Many of these fill the byte limit of a sentence file long before its line limit.
const QByteArray LongSentence = QByteArray("Wort ").repeated(800);
const int LongSentencesKept = int(textfile::ReadLimits::DefaultMaxTotalBytes / LongSentence.size());
const int LongWordsKept = int(textfile::ReadLimits::DefaultMaxTotalBytes / LongestSentenceBytes);

const QString FileError = QStringLiteral("Es ist ein Dateifehler aufgetreten.\r");
const QString NoSettings =
    QStringLiteral("Es sind keine Einstellungen gespeichert, verwende Standardwerte.\r\r");
const QString NoSentences = QStringLiteral(
    "Es wurden keine Dosensätze gefunden,\rdarum wird eine Standarddatei erzeugt.\r");
// %1: the working folder.
const QString DefaultNotCreated =
    QStringLiteral("Die Standarddatei TIVORAL.TXT konnte nicht angelegt werden.\r"
                   "Bitte prüfen Sie, ob in den Ordner\r%1\rgeschrieben werden darf.\r");
const QString NoFiles = QStringLiteral("Keine Dateien vorhanden!\r");

QString tooBig(int loaded) {
    return QStringLiteral("Die Datei ist zu groß.\rEs wurden nur die ersten %1 Sätze geladen.\r")
        .arg(loaded);
}
QString overlong(int skipped) {
    return QStringLiteral("%1 zu lange Zeilen der Datei wurden ausgelassen.\r").arg(skipped);
}

// Random bytes of every value, the same each run, with NUL bytes all over.
QByteArray junk(qint64 size) {
    QRandomGenerator generator(JunkSeed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    for (qint64 i = 0; i < size; i += NulPitch)
        bytes[i] = '\0';
    return bytes;
}

// A block of about one MiB made of whole copies of the piece.
QByteArray block(const QByteArray& piece) {
    return piece.repeated(qMax<qsizetype>(1, MiB / piece.size()));
}

// Writes the block over and over up to about the given size: big files in a moment.
void writeRepeated(const QString& path, const QByteArray& bytes, qint64 totalBytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (qint64 written = 0; written < totalBytes; written += bytes.size())
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

constexpr QFileDevice::Permissions NoAccess = {};
constexpr QFileDevice::Permissions ReadOnly = QFileDevice::ReadOwner | QFileDevice::ReadUser |
                                              QFileDevice::ReadGroup | QFileDevice::ReadOther;
constexpr QFileDevice::Permissions ReadAndEnter = ReadOnly | QFileDevice::ExeOwner |
                                                  QFileDevice::ExeUser | QFileDevice::ExeGroup |
                                                  QFileDevice::ExeOther;
constexpr QFileDevice::Permissions Full = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::ReadUser |
                                          QFileDevice::WriteUser | QFileDevice::ExeUser;

// True when a file without read permission really cannot be read (not so for root).
bool permissionsBind() {
    static const bool bind = [] {
        WorkFolder probe;
        probe.write(QStringLiteral("probe"), "x");
        QFile::setPermissions(probe.path(QStringLiteral("probe")), NoAccess);
        QFile file(probe.path(QStringLiteral("probe")));
        const bool readable = file.open(QIODevice::ReadOnly);
        QFile::setPermissions(probe.path(QStringLiteral("probe")), Full);
        return !readable;
    }();
    return bind;
}

// A working folder for one case; gives every file and the folder their rights back at the end,
// so that it can be removed.
class CaseFolder {
public:
    ~CaseFolder() {
        QFile::setPermissions(folder_.dir().path(), Full);
        const QStringList names =
            folder_.dir().entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
        for (const QString& name : names)
            QFile::setPermissions(folder_.path(name), Full);
    }
    QDir dir() const { return folder_.dir(); }
    QString path(const QString& name) const { return folder_.path(name); }
    void write(const QString& name, const QByteArray& bytes) const { folder_.write(name, bytes); }
    QByteArray read(const QString& name) const { return folder_.read(name); }
    void makeDir(const QString& name) const { QVERIFY(folder_.dir().mkdir(name)); }
    void protect(const QString& name, QFileDevice::Permissions mode) const {
        QVERIFY(QFile::setPermissions(path(name), mode));
    }
    void protectFolder(QFileDevice::Permissions mode) const {
        QVERIFY(QFile::setPermissions(folder_.dir().path(), mode));
    }
    // The settings, users and high-score files a working folder normally holds.
    void layGoodFiles() const {
        write(SettingsFileName, GoodSettings);
        write(UsersFileName, GoodUsers);
        write(ScoresFileName, GoodScores);
    }

private:
    WorkFolder folder_;
};

// What each readable file of the folder held; unreadable files and folders are left out.
// A change check, not a signature: a cryptographic hash would make the huge files slow.
QMap<QString, size_t> snapshot(const QDir& folder) {
    QMap<QString, size_t> hashes;
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    QByteArray chunk(MiB, Qt::Uninitialized);
    for (const QString& name : names) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        size_t hash = 0;
        for (qint64 got; (got = file.read(chunk.data(), chunk.size())) > 0;)
            hash = qHash(QByteArrayView(chunk.constData(), got), hash);
        hashes.insert(name, hash);
    }
    return hashes;
}

// Every loaded entry is a sentence that can be practised, and there are not too many.
bool storeIsClean(const SentenceStore& store) {
    if (store.count() > MaxSentences)
        return false;
    for (const QString& entry : store.entries())
        if (entry.isEmpty() || entry.endsWith(u' ') || entry.contains(QLatin1String("  ")))
            return false;
    return true;
}

constexpr int AnyCount = -1;

struct HostileCase {
    const char* name;
    std::function<void(const CaseFolder&)> lay;
    // The prompts of the message boxes at start, in order; %1 stands for the folder.
    QStringList prompts;
    // Files the program is meant to replace, with what they hold afterwards.
    QList<QPair<QString, QByteArray>> replaced;
    int sentences;
    bool needsPermissions = false;
};

const QList<HostileCase>& hostileCases() {
    static const QList<HostileCase> cases = {
        {"binary junk as sentence file",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             f.write(SentenceFileName, junk(SentenceJunkBytes));
         },
         {},
         {},
         AnyCount},
        {"binary junk as settings file",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             f.write(SentenceFileName, GoodSentences);
             f.write(SettingsFileName, junk(SmallJunkBytes));
         },
         {NoSettings},
         {{SettingsFileName, GoodSettings}},
         2},
        {"binary junk as users file",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             f.write(SentenceFileName, GoodSentences);
             f.write(UsersFileName, junk(SmallJunkBytes));
         },
         {},
         {},
         2},
        {"binary junk as high-score list",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             f.write(SentenceFileName, GoodSentences);
             f.write(ScoresFileName, junk(SmallJunkBytes));
         },
         {},
         {},
         2},
        {"NUL bytes only in every file",
         [](const CaseFolder& f) {
             const QByteArray nuls(SmallJunkBytes, '\0');
             for (const QString& name :
                  {SentenceFileName, SettingsFileName, UsersFileName, ScoresFileName})
                 f.write(name, nuls);
         },
         {NoSettings},
         {{SettingsFileName, GoodSettings}},
         1},
        {"200 MB of sentences",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             writeRepeated(f.path(SentenceFileName), block("Der Hund bellt laut.\r\n"),
                           HugeFileBytes);
         },
         {tooBig(MaxSentences), tooBig(MaxSentences)},
         {},
         MaxSentences},
        {"200 MB of long sentences",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             writeRepeated(f.path(SentenceFileName), block(LongSentence + "\r\n"), HugeFileBytes);
         },
         {tooBig(LongSentencesKept), tooBig(LongSentencesKept)},
         {},
         LongSentencesKept},
        {"200 MB sparse file between two sentences",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             QFile file(f.path(SentenceFileName));
             QVERIFY(file.open(QIODevice::WriteOnly));
             file.write("Ein Satz.\r\n");
             QVERIFY(file.resize(HugeFileBytes));
             QVERIFY(file.seek(HugeFileBytes));
             file.write("\r\nNoch ein Satz.\r\n");
         },
         {overlong(1), overlong(1)},
         {},
         2},
        {"one 50 MB line as sentence file",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             writeRepeated(f.path(SentenceFileName), block("Wort "), LongLineBytes);
         },
         {FileError, FileError},
         {},
         0},
        {"200 MB of 64 KiB words",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             writeRepeated(f.path(SentenceFileName), QByteArray(LongestSentenceBytes, 'x') + "\r\n",
                           HugeFileBytes);
         },
         {tooBig(LongWordsKept), tooBig(LongWordsKept)},
         {},
         LongWordsKept},
        {"one 50 MB line as settings file",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             f.write(SentenceFileName, GoodSentences);
             writeRepeated(f.path(SettingsFileName), block("Verdana,"), LongLineBytes);
         },
         {NoSettings},
         {{SettingsFileName, GoodSettings}},
         2},
        {"one 50 MB line as users file",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             f.write(SentenceFileName, GoodSentences);
             writeRepeated(f.path(UsersFileName), block("Anna"), LongLineBytes);
         },
         {},
         {},
         2},
        {"invalid UTF-8 everywhere",
         [](const CaseFolder& f) {
             f.write(SentenceFileName, "Fu\xDF"
                                       "ball \xC3\x28 \xE2\x82\r\n\xEF\xBB\xBF\xFF\r\n");
             f.write(SettingsFileName, "Verd\xE4na\xC3\r\n24\r\n100\r\n");
             f.write(UsersFileName, "J\xF6rg\xC3\r\n\xED\xA0\x80\r\n");
             f.write(ScoresFileName, ">  12     30   \xC3\r\n");
         },
         {},
         {},
         2},
        {"sentence file that is a folder",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             f.makeDir(SentenceFileName);
         },
         {NoSentences},
         {},
         5},
        {"default sentence file name taken by a folder",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             f.makeDir(DefaultFileName);
         },
         {NoSentences, DefaultNotCreated, NoFiles},
         {},
         0},
        {"settings, users and high-score files that are folders",
         [](const CaseFolder& f) {
             f.write(SentenceFileName, GoodSentences);
             for (const QString& name : {SettingsFileName, UsersFileName, ScoresFileName})
                 f.makeDir(name);
         },
         {NoSettings},
         {},
         2},
        {"write-protected files",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             f.write(SentenceFileName, GoodSentences);
             for (const QString& name :
                  {SentenceFileName, SettingsFileName, UsersFileName, ScoresFileName})
                 f.protect(name, ReadOnly);
         },
         {},
         {},
         2},
        {"unreadable sentence file",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             f.write(SentenceFileName, GoodSentences);
             f.protect(SentenceFileName, NoAccess);
         },
         {FileError, FileError},
         {},
         0,
         true},
        {"unreadable settings and users files",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             f.write(SentenceFileName, GoodSentences);
             f.protect(SettingsFileName, NoAccess);
             f.protect(UsersFileName, NoAccess);
         },
         {NoSettings},
         {{SettingsFileName, GoodSettings}, {UsersFileName, DefaultUsers}},
         2,
         true},
        {"write-protected empty working folder",
         [](const CaseFolder& f) { f.protectFolder(ReadAndEnter); },
         {NoSettings, NoSentences, DefaultNotCreated, NoFiles},
         {},
         0,
         true},
        {"write-protected working folder without settings",
         [](const CaseFolder& f) {
             f.write(SentenceFileName, GoodSentences);
             f.protectFolder(ReadAndEnter);
         },
         {NoSettings},
         {},
         2,
         true},
        {"write-protected working folder with all its files",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             f.write(SentenceFileName, GoodSentences);
             f.protectFolder(ReadAndEnter);
         },
         {},
         {},
         2,
         true},
        {"40 000 sentence files",
         [](const CaseFolder& f) {
             f.layGoodFiles();
             f.write(SentenceFileName, "Ein Satz.\r\n");
             // Hard links: new names for one file are made far quicker than new files.
             const QByteArray original = QFile::encodeName(f.path(SentenceFileName));
             for (int i = 1; i < ManyFiles; ++i) {
                 const QString name = QStringLiteral("S%1.TXT").arg(i, 5, 10, QLatin1Char('0'));
                 QVERIFY(::link(original.constData(), QFile::encodeName(f.path(name))) == 0);
             }
         },
         {},
         {},
         1},
    };
    return cases;
}

struct ScoreListCase {
    const char* name;
    std::function<void(const CaseFolder&)> lay;
    // False when the list cannot be read, so that writing it back would lose the results.
    bool rewritten;
    bool needsPermissions = false;
};

const QList<ScoreListCase>& scoreListCases() {
    static const QList<ScoreListCase> cases = {
        {"binary junk",
         [](const CaseFolder& f) { f.write(ScoresFileName, junk(SentenceJunkBytes)); }, true},
        {"NUL bytes only",
         [](const CaseFolder& f) { f.write(ScoresFileName, QByteArray(SmallJunkBytes, '\0')); },
         true},
        {"one 50 MB line",
         [](const CaseFolder& f) {
             writeRepeated(f.path(ScoresFileName), block("Anna "), LongLineBytes);
         },
         true},
        {"200 MB of results",
         [](const CaseFolder& f) {
             writeRepeated(f.path(ScoresFileName), block(GoodScores), HugeFileBytes);
         },
         true},
        {"a folder", [](const CaseFolder& f) { f.makeDir(ScoresFileName); }, false},
        {"unreadable",
         [](const CaseFolder& f) {
             f.write(ScoresFileName, GoodScores);
             f.protect(ScoresFileName, NoAccess);
         },
         false, true},
    };
    return cases;
}

} // namespace

class HostileFolderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startEndsWithTheMainWindow_data();
    void startEndsWithTheMainWindow();
    void replacedFilesReadBackAtTheNextStart_data();
    void replacedFilesReadBackAtTheNextStart();
    void exercisesStayResponsive_data();
    void exercisesStayResponsive();
    void gameEndsOverAHostileHighScoreList_data();
    void gameEndsOverAHostileHighScoreList();
};

void HostileFolderTest::startEndsWithTheMainWindow_data() {
    QTest::addColumn<int>("caseIndex");
    for (int i = 0; i < hostileCases().size(); ++i)
        QTest::newRow(hostileCases().at(i).name) << i;
}

void HostileFolderTest::startEndsWithTheMainWindow() {
    QFETCH(int, caseIndex);
    const HostileCase& hostile = hostileCases().at(caseIndex);
    if (hostile.needsPermissions && !permissionsBind())
        QSKIP("File permissions do not stop this user (root)");

    CaseFolder folder;
    hostile.lay(folder);
    if (QTest::currentTestFailed())
        return;
    const QMap<QString, size_t> before = snapshot(folder.dir());

    QElapsedTimer timer;
    timer.start();
    RunningProgram running(folder.dir());
    running.program.start();
    QCoreApplication::processEvents();
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed < StartLimitMs, qPrintable(QStringLiteral("start took %1 ms").arg(elapsed)));

    QVERIFY(running.program.mainWindow().isVisible());
    QStringList expected;
    for (const QString& prompt : hostile.prompts)
        expected.append(prompt.contains(QLatin1String("%1"))
                            ? prompt.arg(QDir::toNativeSeparators(folder.dir().absolutePath()))
                            : prompt);
    QCOMPARE(running.dialogs.prompts(), expected);
    if (hostile.sentences == AnyCount)
        QVERIFY(!running.app.store.isEmpty());
    else
        QCOMPARE(running.app.store.count(), hostile.sentences);
    QVERIFY(storeIsClean(running.app.store));

    const QMap<QString, size_t> after = snapshot(folder.dir());
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const bool replaced = std::any_of(hostile.replaced.cbegin(), hostile.replaced.cend(),
                                          [&](const auto& file) { return file.first == it.key(); });
        if (!replaced)
            QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key() + " changed"));
    }
    for (const auto& [name, bytes] : hostile.replaced) {
        QCOMPARE(folder.read(name), bytes);
        QVERIFY2(QFileInfo(folder.path(name)).permissions() & QFileDevice::ReadOwner,
                 qPrintable(name + " cannot be read back"));
    }
}

void HostileFolderTest::replacedFilesReadBackAtTheNextStart_data() {
    QTest::addColumn<int>("caseIndex");
    for (int i = 0; i < hostileCases().size(); ++i)
        if (!hostileCases().at(i).replaced.isEmpty())
            QTest::newRow(hostileCases().at(i).name) << i;
}

void HostileFolderTest::replacedFilesReadBackAtTheNextStart() {
    QFETCH(int, caseIndex);
    const HostileCase& hostile = hostileCases().at(caseIndex);
    if (hostile.needsPermissions && !permissionsBind())
        QSKIP("File permissions do not stop this user (root)");

    CaseFolder folder;
    hostile.lay(folder);
    {
        RunningProgram first(folder.dir());
        first.program.start();
    }
    RunningProgram second(folder.dir());
    second.program.start();
    QVERIFY2(!second.dialogs.prompts().contains(NoSettings), "the replaced files do not read back");
}

void HostileFolderTest::exercisesStayResponsive_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("64 KiB sentence of words")
        << QByteArray("Wort ").repeated(LongestSentenceBytes / 5 - 1) + "Ende.";
    QTest::newRow("64 KiB without a blank") << QByteArray(LongestSentenceBytes, 'x');
    static constexpr char Controls[] = "Ein\0Satz\t\x01\x1B mit\x7F.";
    QTest::newRow("NUL bytes and control characters") << QByteArray(Controls, sizeof Controls - 1);
    QTest::newRow("binary junk") << junk(SmallJunkBytes).replace('\r', ' ').replace('\n', ' ');
    QTest::newRow("one character") << QByteArray("a");
    QTest::newRow("punctuation only") << QByteArray(". , ! ?");
    QTest::newRow("characters beyond 16 bits")
        << QByteArray("Ein \xF0\x9F\x98\x80 \xF0\x9D\x84\x9E Satz.");
    QTest::newRow("ß and umlauts") << QByteArray("Gro\xDF"
                                                 "e F\xFC\xDF"
                                                 "e \xE4rgern \xD6l.");
}

void HostileFolderTest::exercisesStayResponsive() {
    QFETCH(QByteArray, line);
    CaseFolder folder;
    folder.layGoodFiles();
    folder.write(SentenceFileName, line + "\r\n");
    RunningProgram running(folder.dir());
    running.program.start();
    QVERIFY(running.dialogs.prompts().isEmpty());
    QCOMPARE(running.app.store.count(), 1);
    const QString sentence = running.app.store.entries().constFirst();
    const QString first = sentence.left(sentence.at(0).isHighSurrogate() ? 2 : 1);

    // False (and the test failed) when the action took too long.
    const auto step = [](const QString& what, const std::function<void()>& action) {
        QElapsedTimer timer;
        timer.start();
        action();
        QCoreApplication::processEvents();
        const qint64 elapsed = timer.elapsed();
        if (elapsed < StepLimitMs)
            return true;
        QTest::qFail(qPrintable(QStringLiteral("%1 took %2 ms").arg(what).arg(elapsed)), __FILE__,
                     __LINE__);
        return false;
    };

    if (!step(QStringLiteral("reading view"), [&] { running.click(QStringLiteral("Picture25")); }))
        return;
    QVERIFY(running.find(QStringLiteral("Text4"))->isVisible());
    if (!step(QStringLiteral("closing the reading view"),
              [&] { running.click(QStringLiteral("Picture25")); }))
        return;

    struct Run {
        const char* start;
        const char* input; // empty: the exercise has no text box
        const char* newSentence;
        const char* lupe;
        const char* leave;
    };
    for (const Run& run : {Run{"Picture5", "Text1", "Picture14", "Picture13", "Picture12"},
                           Run{"Picture18", "", "Picture21", "Picture19", "Picture17"},
                           Run{"Picture32", "Text3", "Picture27", "Picture28", "Picture26"},
                           Run{"Picture33", "Text5", "Picture38", "Picture34", "Picture39"}}) {
        const QString start = QString::fromLatin1(run.start);
        if (!step(start, [&] { running.click(start); }))
            return;
        QVERIFY2(running.app.store.selected() == 0, run.start);
        if (*run.input) {
            auto* input = running.find<QPlainTextEdit>(QString::fromLatin1(run.input));
            QVERIFY(input);
            if (!step(start + QStringLiteral(" typing"), [&] {
                    QTest::sendKeyEvent(QTest::Click, input, Qt::Key_unknown, first,
                                        Qt::NoModifier);
                }))
                return;
        }
        for (const char* name : {run.lupe, run.newSentence, run.leave}) {
            const QString button = QString::fromLatin1(name);
            if (!step(start + QLatin1Char(' ') + button, [&] { running.click(button); }))
                return;
        }
    }
    QVERIFY(running.program.mainWindow().isVisible());
}

void HostileFolderTest::gameEndsOverAHostileHighScoreList_data() {
    QTest::addColumn<int>("caseIndex");
    for (int i = 0; i < scoreListCases().size(); ++i)
        QTest::newRow(scoreListCases().at(i).name) << i;
}

void HostileFolderTest::gameEndsOverAHostileHighScoreList() {
    QFETCH(int, caseIndex);
    const ScoreListCase& hostile = scoreListCases().at(caseIndex);
    if (hostile.needsPermissions && !permissionsBind())
        QSKIP("File permissions do not stop this user (root)");
    CaseFolder folder;
    folder.write(SentenceFileName, "Oma.\r\n");
    folder.write(SettingsFileName, GoodSettings);
    folder.write(UsersFileName, GoodUsers);
    hostile.lay(folder);
    RunningProgram running(folder.dir());
    running.program.start();
    running.app.users.selectUser(0);
    running.app.points.set(Settings::DefaultPointLimit);

    QVERIFY(running.openRewardGame());
    QElapsedTimer timer;
    timer.start();
    running.playGame();
    QVERIFY2(timer.elapsed() < StartLimitMs, qPrintable(QString::number(timer.elapsed())));

    QVERIFY(running.find(QStringLiteral("Bild1"))->isVisible());
    const auto* list = running.find<QListWidget>(QStringLiteral("Liste1"));
    QVERIFY(!list->findItems(QStringLiteral("   Anna"), Qt::MatchEndsWith).isEmpty());
    const QString notSaved = QStringLiteral("Die Bestenliste konnte nicht gespeichert werden.\r");
    QCOMPARE(running.dialogs.prompts().constLast() == notSaved, !hostile.rewritten);
    if (!hostile.rewritten)
        return;
    const QList<QByteArray> lines = folder.read(ScoresFileName).split('\n');
    QVERIFY(lines.size() - 1 <= HighScoreList::MaxFileLines);
    QVERIFY(std::all_of(lines.cbegin(), lines.cend() - 1, [](const QByteArray& line) {
        return line.startsWith(HighScoreList::Marker.toLatin1()) && line.endsWith('\r');
    }));
    QVERIFY(std::any_of(lines.cbegin(), lines.cend(),
                        [](const QByteArray& line) { return line.endsWith("   Anna\r"); }));
}

QTEST_MAIN(HostileFolderTest)
#include "test_hostilefolder.moc"
