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

#include <sys/stat.h>
#include <unistd.h>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

// Sanitizer and coverage builds run the same code a few times slower; the limits are those of a
// normal build.
#if defined(__SANITIZE_ADDRESS__) || defined(TIVORAL_COVERAGE_BUILD)
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
const QByteArray GoodSentences =
    QStringLiteral("Der Hund bellt.\r\nDie Katze schläft.\r\n").toLatin1();
const QByteArray DefaultUsers = "Freund\r\n";
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
const QString OneOverlongLine = QStringLiteral("1 zu lange Zeile der Datei wurde ausgelassen.\r");

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
constexpr QFileDevice::Permissions ReadOnly = QFileDevice::ReadOwner | QFileDevice::ReadUser;
constexpr QFileDevice::Permissions ReadAndEnter =
    ReadOnly | QFileDevice::ExeOwner | QFileDevice::ExeUser;
constexpr QFileDevice::Permissions Full =
    ReadAndEnter | QFileDevice::WriteOwner | QFileDevice::WriteUser;

// A working folder for one case, laid with good sentence, settings, users and high-score files
// for the case to spoil; gives every file and the folder their rights back at the end, so that
// it can be removed.
class CaseFolder : public WorkFolder {
public:
    CaseFolder() {
        write(SentenceFileName, GoodSentences);
        write(SettingsFileName, GoodSettings);
        write(UsersFileName, GoodUsers);
        write(ScoresFileName, GoodScores);
    }
    ~CaseFolder() {
        QFile::setPermissions(dir().path(), Full);
        const QStringList names =
            dir().entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
        for (const QString& name : names)
            if (!QFileInfo(path(name)).isSymLink()) // a link may lead to /dev/zero
                QFile::setPermissions(path(name), Full);
    }
    void remove(const QString& name) const { QVERIFY(QFile::remove(path(name))); }
    // Whether or not there is a file of that name.
    void replaceByFolder(const QString& name) const {
        QFile::remove(path(name));
        QVERIFY(dir().mkdir(name));
    }
    // An empty name stands for the folder itself.
    void protect(const QString& name, QFileDevice::Permissions mode) {
        QVERIFY(QFile::setPermissions(name.isEmpty() ? dir().path() : path(name), mode));
        reliesOnPermissions = reliesOnPermissions || name.isEmpty() || !(mode & ReadOnly);
    }
    // Puts a symbolic link to the target in place of the file.
    void link(const QString& name, const QString& target) const {
        QFile::remove(path(name));
        QVERIFY(QFile::link(target, path(name)));
    }
    void makeFifo(const QString& name) const {
        QFile::remove(path(name));
        QVERIFY(::mkfifo(QFile::encodeName(path(name)).constData(), 0600) == 0);
    }
    // Set when the case holds only where permissions stop this user (not so for root).
    bool reliesOnPermissions = false;
    // Another folder, where links may lead; the program must leave it as it is.
    WorkFolder outside;
};

// True when a file without read permission really cannot be read (not so for root).
bool permissionsBind() {
    static const bool bind = [] {
        CaseFolder probe;
        QFile::setPermissions(probe.path(SentenceFileName), NoAccess);
        return !QFile(probe.path(SentenceFileName)).open(QIODevice::ReadOnly);
    }();
    return bind;
}

// What each readable file of the folder held (and its mode, when asked); unreadable files and
// folders are left out.
// A change check, not a signature: a cryptographic hash would make the huge files slow.
QMap<QString, size_t> snapshot(const QDir& folder, bool withModes = false) {
    QMap<QString, size_t> hashes;
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    QByteArray chunk(MiB, Qt::Uninitialized);
    for (const QString& name : names) {
        QFile file(folder.filePath(name));
        // A FIFO would wait for a writer, a device never end.
        if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
            continue;
        size_t hash = withModes ? qHash(int(file.permissions())) : 0;
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
using Spoil = std::function<void(CaseFolder&)>;

} // namespace

// Declared before the first QFETCH of a Spoil, which instantiates its meta type.
Q_DECLARE_METATYPE(Spoil)

namespace {

Spoil repeating(const QString& name, const QByteArray& piece, qint64 totalBytes) {
    return [=](CaseFolder& f) { writeRepeated(f.path(name), piece, totalBytes); };
}
// Does the act to each of the files, in order.
template <typename Act> Spoil eachOf(const QStringList& names, Act act) {
    return [=](CaseFolder& f) {
        for (const QString& name : names)
            act(f, name);
    };
}
Spoil writing(const QStringList& names, const QByteArray& bytes) {
    return eachOf(names, [=](CaseFolder& f, const QString& name) { f.write(name, bytes); });
}
Spoil protecting(const QStringList& names, QFileDevice::Permissions mode) {
    return eachOf(names, [=](CaseFolder& f, const QString& name) { f.protect(name, mode); });
}
Spoil removing(const QStringList& names) {
    return eachOf(names, std::mem_fn(&CaseFolder::remove));
}
Spoil replacingByFolders(const QStringList& names) {
    return eachOf(names, std::mem_fn(&CaseFolder::replaceByFolder));
}
Spoil operator+(const Spoil& first, const Spoil& then) {
    return [=](CaseFolder& f) {
        first(f);
        then(f);
    };
}
const QStringList AllFiles{SentenceFileName, SettingsFileName, UsersFileName, ScoresFileName};

Spoil fifos(const QStringList& names) {
    return eachOf(names, std::mem_fn(&CaseFolder::makeFifo));
}
Spoil linkingTo(const QStringList& names, const QString& target) {
    return eachOf(names, [=](CaseFolder& f, const QString& name) { f.link(name, target); });
}
// Each file moved out of the folder, write-protected, with a link to it in its place.
Spoil linkingOutside(const QStringList& names) {
    return eachOf(names, [](CaseFolder& f, const QString& name) {
        f.outside.write(name, f.read(name));
        QVERIFY(QFile::setPermissions(f.outside.path(name), ReadOnly));
        f.link(name, f.outside.path(name));
    });
}
Spoil linkingNowhereOutside(const QStringList& names) {
    return eachOf(names,
                  [](CaseFolder& f, const QString& name) { f.link(name, f.outside.path(name)); });
}
// Each file renamed within the folder, reached through a link under its own name.
Spoil linkingInside(const QStringList& names) {
    return eachOf(names, [](CaseFolder& f, const QString& name) {
        const QString moved = name + QStringLiteral(".DAT");
        QVERIFY(QFile::rename(f.path(name), f.path(moved)));
        f.link(name, moved);
    });
}
const QString TheFolder; // protects the working folder itself

// What the program writes in place of a file it could not use.
const QMap<QString, QByteArray> Replacements{{SettingsFileName, GoodSettings},
                                             {UsersFileName, DefaultUsers}};

// Spoils the folder as the row says; false when that cannot be tried for this user.
bool spoil(CaseFolder& folder) {
    QFETCH(Spoil, spoil);
    spoil(folder);
    return !folder.reliesOnPermissions || permissionsBind();
}

} // namespace

class HostileFolderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startEndsWithTheMainWindow_data();
    void startEndsWithTheMainWindow();
    void exercisesStayResponsive_data();
    void exercisesStayResponsive();
    void gameEndsOverAHostileHighScoreList_data();
    void gameEndsOverAHostileHighScoreList();
};

void HostileFolderTest::startEndsWithTheMainWindow_data() {
    QTest::addColumn<Spoil>("spoil");
    // The prompts of the message boxes at start, in order; %1 stands for the folder.
    QTest::addColumn<QStringList>("prompts");
    QTest::addColumn<int>("sentences");
    // Files the program is meant to replace.
    QTest::addColumn<QStringList>("replaced");
    const QStringList settings{SettingsFileName};
    const auto row = [](const char* name, const Spoil& spoil, const QStringList& prompts,
                        int sentences, const QStringList& replaced = {}) {
        QTest::newRow(name) << spoil << prompts << sentences << replaced;
    };
    row("binary junk as sentence file", writing({SentenceFileName}, junk(SentenceJunkBytes)), {},
        AnyCount);
    row("binary junk as settings file", writing({SettingsFileName}, junk(SmallJunkBytes)),
        {NoSettings}, 2, settings);
    row("binary junk as users file", writing({UsersFileName}, junk(SmallJunkBytes)), {}, 2);
    row("NUL bytes only in every file", writing(AllFiles, QByteArray(SmallJunkBytes, '\0')),
        {NoSettings}, 1, settings);
    row("200 MB of sentences",
        repeating(SentenceFileName, block("Der Hund bellt laut.\r\n"), HugeFileBytes),
        {tooBig(MaxSentences), tooBig(MaxSentences)}, MaxSentences);
    row("200 MB of 64 KiB words",
        repeating(SentenceFileName, QByteArray(LongestSentenceBytes, 'x') + "\r\n", HugeFileBytes),
        {tooBig(LongWordsKept), tooBig(LongWordsKept)}, LongWordsKept);
    row(
        "200 MB sparse file between two sentences",
        [](CaseFolder& f) {
            QFile file(f.path(SentenceFileName));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("Ein Satz.\r\n");
            QVERIFY(file.resize(HugeFileBytes));
            QVERIFY(file.seek(HugeFileBytes));
            file.write("\r\nNoch ein Satz.\r\n");
        },
        {OneOverlongLine, OneOverlongLine}, 2);
    row("one 50 MB line as sentence file",
        repeating(SentenceFileName, block("Wort "), LongLineBytes), {FileError, FileError}, 0);
    row("one 50 MB line as settings file",
        repeating(SettingsFileName, block("Verdana,"), LongLineBytes), {NoSettings}, 2, settings);
    row("one 50 MB line as users file", repeating(UsersFileName, block("Anna"), LongLineBytes), {},
        2);
    row("invalid UTF-8 everywhere",
        writing({SentenceFileName}, "Fu\xDF"
                                    "ball \xC3\x28 \xE2\x82\r\n\xEF\xBB\xBF\xFF\r\n") +
            writing({SettingsFileName}, "Verd\xE4na\xC3\r\n24\r\n100\r\n") +
            writing({UsersFileName}, "J\xF6rg\xC3\r\n\xED\xA0\x80\r\n") +
            writing({ScoresFileName}, ">  12     30   \xC3\r\n"),
        {}, 2);
    row("sentence file that is a folder", replacingByFolders({SentenceFileName}), {NoSentences}, 5);
    row("default sentence file name taken by a folder",
        removing({SentenceFileName}) + replacingByFolders({DefaultFileName}),
        {NoSentences, DefaultNotCreated, NoFiles}, 0);
    row("settings, users and high-score files that are folders",
        replacingByFolders(AllFiles.mid(1)), {NoSettings}, 2);
    row("write-protected files", protecting(AllFiles, ReadOnly), {}, 2);
    row("unreadable sentence file", protecting({SentenceFileName}, NoAccess),
        {FileError, FileError}, 0);
    row("unreadable settings and users files",
        protecting({SettingsFileName, UsersFileName}, NoAccess), {NoSettings}, 2,
        {SettingsFileName, UsersFileName});
    row("write-protected empty working folder",
        removing(AllFiles) + protecting({TheFolder}, ReadAndEnter),
        {NoSettings, NoSentences, DefaultNotCreated, NoFiles}, 0);
    row("write-protected working folder without settings",
        removing({SettingsFileName}) + protecting({TheFolder}, ReadAndEnter), {NoSettings}, 2);
    row("write-protected working folder with all its files", protecting({TheFolder}, ReadAndEnter),
        {}, 2);
    // Only regular files are opened, and only inside the folder; nothing there stops the start.
    row("FIFOs in place of every file", fifos(AllFiles), {NoSettings, NoSentences}, 5);
    row("links to /dev/zero in place of every file", linkingTo(AllFiles, "/dev/zero"),
        {NoSettings, FileError, FileError}, 0);
    row("links to write-protected files outside", linkingOutside(AllFiles),
        {NoSettings, FileError, FileError}, 0);
    row("links leading nowhere outside", linkingNowhereOutside(AllFiles), {NoSettings, NoSentences},
        5);
    row("links that stay inside the folder", linkingInside(AllFiles), {}, 2);
    row(
        "40 000 sentence files",
        [](CaseFolder& f) {
            f.write(SentenceFileName, "Ein Satz.\r\n");
            // Hard links: new names for one file are made far quicker than new files.
            const QByteArray original = QFile::encodeName(f.path(SentenceFileName));
            for (int i = 1; i < ManyFiles; ++i) {
                const QString name = QStringLiteral("S%1.TXT").arg(i, 5, 10, QLatin1Char('0'));
                QVERIFY(::link(original.constData(), QFile::encodeName(f.path(name))) == 0);
            }
        },
        {}, 1);
}

void HostileFolderTest::startEndsWithTheMainWindow() {
    QFETCH(QStringList, prompts);
    QFETCH(int, sentences);
    QFETCH(QStringList, replaced);
    CaseFolder folder;
    if (!spoil(folder))
        QSKIP("File permissions do not stop this user (root)");
    if (QTest::currentTestFailed())
        return;
    const QMap<QString, size_t> before = snapshot(folder.dir());
    const QMap<QString, size_t> outsideBefore = snapshot(folder.outside.dir(), true);

    QElapsedTimer timer;
    timer.start();
    RunningProgram running(folder.dir());
    running.program.start();
    QCoreApplication::processEvents();
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed < StartLimitMs, qPrintable(QStringLiteral("start took %1 ms").arg(elapsed)));

    QVERIFY(running.program.mainWindow().isVisible());
    prompts.replaceInStrings(QStringLiteral("%1"),
                             QDir::toNativeSeparators(folder.dir().absolutePath()));
    QCOMPARE(running.dialogs.prompts(), prompts);
    if (sentences == AnyCount)
        QVERIFY(!running.app.store.isEmpty());
    else
        QCOMPARE(running.app.store.count(), sentences);
    QVERIFY(storeIsClean(running.app.store));

    const QMap<QString, size_t> after = snapshot(folder.dir());
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QVERIFY2(replaced.contains(it.key()) || after.value(it.key()) == it.value(),
                 qPrintable(it.key() + " changed"));
    QCOMPARE(snapshot(folder.outside.dir(), true), outsideBefore);
    for (const QString& name : replaced) {
        QCOMPARE(folder.read(name), Replacements.value(name));
        QVERIFY2(QFileInfo(folder.path(name)).permissions() & QFileDevice::ReadOwner,
                 qPrintable(name + " cannot be read back"));
    }
    if (replaced.isEmpty())
        return;
    RunningProgram again(folder.dir());
    again.program.start();
    QVERIFY2(!again.dialogs.prompts().contains(NoSettings), "the replaced files do not read back");
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
    QTest::newRow("ß and umlauts") << QStringLiteral("Große Füße ärgern Öl.").toLatin1();
}

void HostileFolderTest::exercisesStayResponsive() {
    QFETCH(QByteArray, line);
    CaseFolder folder;
    folder.write(SentenceFileName, line + "\r\n");
    RunningProgram running(folder.dir());
    running.program.start();
    QVERIFY(running.dialogs.prompts().isEmpty());
    QCOMPARE(running.app.store.count(), 1);
    const QString sentence = running.app.store.entries().constFirst();
    const QString first = sentence.left(sentence.at(0).isHighSurrogate() ? 2 : 1);

    // The reading view open and shut, then each exercise: start, type the first character into
    // its text box (">name"), Lupe, new sentence, leave.
    const QStringList steps =
        QStringLiteral(
            "readingViewButton readingViewButton dosensatzStartButton >dosensatzAnswerBox "
            "dosensatzLupeButton dosensatzNewSentenceButton dosensatzLeaveButton "
            "puzzleStartButton puzzleLupeButton puzzleNewSentenceButton puzzleLeaveButton "
            "mosaicStartButton >mosaicAnswerBox mosaicLupeButton "
            "mosaicNewSentenceButton mosaicLeaveButton verrutscherStartButton "
            ">verrutscherAnswerBox verrutscherLupeButton verrutscherNewSentenceButton "
            "verrutscherLeaveButton")
            .split(u' ');
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QString& step = steps.at(i);
        QElapsedTimer timer;
        timer.start();
        if (step.startsWith(u'>')) {
            auto* input = running.find<QPlainTextEdit>(step.mid(1));
            QVERIFY2(input && input->isVisible(), qPrintable(step));
            QTest::sendKeyEvent(QTest::Click, input, Qt::Key_unknown, first, Qt::NoModifier);
        } else {
            running.click(step);
        }
        QCoreApplication::processEvents();
        const qint64 elapsed = timer.elapsed();
        QVERIFY2(elapsed < StepLimitMs,
                 qPrintable(step + QStringLiteral(" took %1 ms").arg(elapsed)));
        QCOMPARE(running.app.store.selected(), 0);
        if (i == 0)
            QVERIFY(running.find(QStringLiteral("readingView"))->isVisible());
    }
}

void HostileFolderTest::gameEndsOverAHostileHighScoreList_data() {
    QTest::addColumn<Spoil>("spoil");
    // False when the list cannot be read, so that writing it back would lose the results.
    QTest::addColumn<bool>("rewritten");
    QTest::newRow("binary junk") << writing({ScoresFileName}, junk(SentenceJunkBytes)) << true;
    QTest::newRow("one 50 MB line")
        << repeating(ScoresFileName, block("Anna "), LongLineBytes) << true;
    QTest::newRow("200 MB of results")
        << repeating(ScoresFileName, block(GoodScores), HugeFileBytes) << true;
    QTest::newRow("a folder") << replacingByFolders({ScoresFileName}) << false;
    QTest::newRow("unreadable") << protecting({ScoresFileName}, NoAccess) << false;
    QTest::newRow("a FIFO") << fifos({ScoresFileName}) << false;
    QTest::newRow("a link to /dev/zero") << linkingTo({ScoresFileName}, "/dev/zero") << false;
    QTest::newRow("a link to a file outside") << linkingOutside({ScoresFileName}) << false;
}

void HostileFolderTest::gameEndsOverAHostileHighScoreList() {
    QFETCH(bool, rewritten);
    CaseFolder folder;
    if (!spoil(folder))
        QSKIP("File permissions do not stop this user (root)");
    if (QTest::currentTestFailed())
        return;
    RunningProgram running(folder.dir());
    running.program.start();
    running.app.users.selectUser(0);
    running.app.points.set(Settings::DefaultPointLimit);

    const QMap<QString, size_t> outsideBefore = snapshot(folder.outside.dir(), true);
    QVERIFY(running.openRewardGame());
    QElapsedTimer timer;
    timer.start();
    running.playGame();
    QVERIFY2(timer.elapsed() < StartLimitMs, qPrintable(QString::number(timer.elapsed())));

    QVERIFY(running.find(QStringLiteral("scorePanel"))->isVisible());
    const auto* list = running.find<QListWidget>(QStringLiteral("highScoreList"));
    QVERIFY(!list->findItems(QStringLiteral("   Anna"), Qt::MatchEndsWith).isEmpty());
    const QString notSaved = QStringLiteral("Die Bestenliste konnte nicht gespeichert werden.\r");
    QCOMPARE(running.dialogs.prompts().constLast() == notSaved, !rewritten);
    QCOMPARE(snapshot(folder.outside.dir(), true), outsideBefore);
    if (!rewritten)
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
