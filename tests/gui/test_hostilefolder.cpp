// The real program started in working folders that hold broken, huge, odd or protected files:
// every start ends quickly with the main window shown, the program's own messages and no
// readable file changed.

#include "support/permissions.h"
#include "support/programdriver.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <sys/stat.h>
#include <unistd.h>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

// Sanitizer and coverage builds run the same code a few times slower.
#if defined(__SANITIZE_ADDRESS__) || defined(TIVORAL_COVERAGE_BUILD)
constexpr qint64 Slowdown = 3;
#else
constexpr qint64 Slowdown = 1;
#endif
constexpr qint64 StartLimitMs = 5000 * Slowdown;

constexpr qint64 MiB = 1024 * 1024;
constexpr qint64 HugeFileBytes = 200 * MiB;
constexpr qint64 JunkBytes = 64 * 1024;
constexpr int MaxSentences = 32767;
constexpr int NulPitch = 61;
constexpr quint32 JunkSeed = 20240611;
constexpr int AnyCount = -1;

// What the program writes in place of a file it could not use.
const QMap<QString, QByteArray> Replacements{{u"TIVORAL.INI"_s, Settings24},
                                             {u"TIVORAL.INF"_s, "Freund\r\n"}};
const QString FileError = u"Es ist ein Dateifehler aufgetreten.\r"_s;
const QString NoSettings =
    u"Es sind keine Einstellungen gespeichert, verwende Standardwerte.\r\r"_s;
const QString NoSentences =
    u"Es wurden keine Dosensätze gefunden,\rdarum wird eine Standarddatei erzeugt.\r"_s;
const QString DefaultNotCreated = // %1: the working folder
    u"Die Standarddatei TIVORAL.TXT konnte nicht angelegt werden.\r"
    u"Bitte prüfen Sie, ob in den Ordner\r%1\rgeschrieben werden darf.\r"_s;
const QString NoFiles = u"Keine Dateien vorhanden!\r"_s;
const QString NoUsers =
    u"Die Namensliste TIVORAL.INF konnte nicht gelesen werden.\rEs gilt der Standardname „Freund“.\r"_s;

// Random bytes of every value, the same each run, with NUL bytes all over.
QByteArray junk() {
    QRandomGenerator generator(JunkSeed);
    QByteArray bytes(JunkBytes, Qt::Uninitialized);
    for (qint64 i = 0; i < JunkBytes; ++i)
        bytes[i] = i % NulPitch ? char(generator.bounded(256)) : '\0';
    return bytes;
}

constexpr QFileDevice::Permissions ReadAndEnter = QFileDevice::ReadOwner | QFileDevice::ExeOwner;

// A working folder laid with good files for a case to spoil; gives the folder and its files their
// rights back at the end, so that it can be removed.
struct CaseFolder : WorkFolder {
    CaseFolder() {
        write(u"SAETZE.TXT"_s, "Der Hund bellt.\r\nDie Katze schl\xE4"
                               "ft.\r\n");
        write(u"TIVORAL.INI"_s, Settings24);
        write(u"TIVORAL.INF"_s, "Anna\r\nBen\r\n");
        write(u"BESTDOSE.LST"_s, ">  12     30   Anna\r\n");
    }
    ~CaseFolder() {
        for (const QString& name : dir().entryList(QDir::Files | QDir::Dirs | QDir::NoDotDot))
            if (!QFileInfo(path(name)).isSymLink()) // a link may lead to /dev/zero
                QFile::setPermissions(path(name), ReadAndEnter | QFileDevice::WriteOwner);
    }
    // Writes the piece over and over up to about the given size: big files in a moment.
    void repeat(const QString& name, const QByteArray& piece, qint64 totalBytes) const {
        const QByteArray block = piece.repeated(qMax<qsizetype>(1, MiB / piece.size()));
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (qint64 written = 0; written < totalBytes; written += block.size())
            QCOMPARE(file.write(block), qint64(block.size()));
    }
    void protect(const QString& name, QFileDevice::Permissions mode) {
        QVERIFY(QFile::setPermissions(path(name), mode));
        reliesOnPermissions = true;
    }
    // Spoils the folder: "act file file; act file…" ("." is the folder itself).
    void spoil(const QString& how) {
        for (const QString& step : how.split(u';')) {
            const QStringList words = step.split(u' ', Qt::SkipEmptyParts);
            const QString& act = words.constFirst();
            if (act == u"link") { // "link NAME TARGET"
                QVERIFY(QFile::link(words.at(2), path(words.at(1))));
                continue;
            }
            for (const QString& name : words.mid(1)) {
                if (act == u"junk")
                    write(name, junk());
                else if (act == u"huge")
                    repeat(name, read(name), HugeFileBytes);
                else if (act == u"remove")
                    QFile::remove(path(name));
                else if (act == u"folder")
                    QVERIFY(dir().mkdir(name));
                else if (act == u"unreadable")
                    protect(name, {});
                else if (act == u"fifo")
                    QVERIFY(QFile::remove(path(name)) &&
                            ::mkfifo(QFile::encodeName(path(name)), S_IRUSR | S_IWUSR) == 0);
                else if (act == u"zero")
                    QVERIFY(QFile::remove(path(name)) && QFile::link(u"/dev/zero"_s, path(name)));
                else if (act == u"readOnly")
                    protect(name, ReadAndEnter);
                else
                    QFAIL(qPrintable(act));
            }
        }
    }
    bool reliesOnPermissions = false; // permissions do not stop root
};

// A change check of each readable regular file and its mode.
QMap<QString, size_t> snapshot(const QDir& folder) {
    QMap<QString, size_t> hashes;
    for (const QFileInfo& info : folder.entryInfoList(QDir::Files))
        if (QFile file(info.filePath()); info.isFile() && file.open(QIODevice::ReadOnly))
            hashes.insert(info.fileName(), qHash(file.readAll(), qHash(int(file.permissions()))));
    return hashes;
}

} // namespace

class HostileFolderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startEndsWithTheMainWindow_data();
    void startEndsWithTheMainWindow();
    void lockFileThatIsNoLockFile_data();
    void lockFileThatIsNoLockFile();
};

void HostileFolderTest::startEndsWithTheMainWindow_data() {
    QTest::addColumn<QString>("spoil");
    QTest::addColumn<QStringList>("prompts"); // %1 stands for the folder
    QTest::addColumn<int>("sentences");
    QTest::addColumn<QStringList>("replaced");
    const auto row = [](const char* name, const char* spoil, const QStringList& prompts,
                        int sentences, const QStringList& replaced = {}) {
        QTest::newRow(name) << QString::fromLatin1(spoil) << prompts << sentences << replaced;
    };
    const QString tooBig =
        u"Die Datei ist zu groß.\rEs wurden nur die ersten %1 Sätze geladen.\r"_s.arg(MaxSentences);
    row("binary junk as sentence file", "junk SAETZE.TXT", {}, AnyCount);
    row("binary junk as settings file", "junk TIVORAL.INI", {NoSettings}, 2, {u"TIVORAL.INI"_s});
    row("200 MB of sentences", "huge SAETZE.TXT", {tooBig}, MaxSentences);
    row("default sentence file name taken by a folder", "remove SAETZE.TXT; folder TIVORAL.TXT",
        {NoSentences, DefaultNotCreated, NoFiles}, 0);
    row("unreadable settings and users files", "unreadable TIVORAL.INI TIVORAL.INF",
        {NoSettings, NoUsers}, 2, Replacements.keys());
    row("write-protected empty working folder",
        "remove SAETZE.TXT TIVORAL.INI TIVORAL.INF BESTDOSE.LST; readOnly .",
        {NoSettings, NoSentences, DefaultNotCreated, NoFiles}, 0);
    row("FIFOs in place of every file", "fifo SAETZE.TXT TIVORAL.INI TIVORAL.INF BESTDOSE.LST",
        {NoSettings, NoUsers, NoSentences}, Defaults.size());
    row("links to /dev/zero in place of every file",
        "zero SAETZE.TXT TIVORAL.INI TIVORAL.INF BESTDOSE.LST",
        {NoSettings, NoUsers, FileError, FileError}, 0);
}

void HostileFolderTest::startEndsWithTheMainWindow() {
    QFETCH(QStringList, prompts);
    QFETCH(int, sentences);
    QFETCH(QStringList, replaced);
    QFETCH(QString, spoil);
    CaseFolder folder;
    folder.spoil(spoil);
    if (folder.reliesOnPermissions)
        TIVORAL_REQUIRE_PERMISSIONS();
    if (QTest::currentTestFailed())
        return;
    const QMap<QString, size_t> before = snapshot(folder.dir());

    QElapsedTimer timer;
    timer.start();
    ProgramDriver running(folder);
    QCoreApplication::processEvents();
    QVERIFY2(timer.elapsed() < StartLimitMs, qPrintable(QString::number(timer.elapsed())));

    QVERIFY(running.main().isVisible());
    prompts.replaceInStrings(u"%1"_s, QDir::toNativeSeparators(folder.dir().absolutePath()));
    QCOMPARE(running.dialogs.prompts(), prompts);
    if (sentences == AnyCount)
        QVERIFY(!running.app.store.isEmpty());
    else
        QCOMPARE(running.app.store.count(), sentences);
    // Every loaded entry is a sentence that can be practised.
    QVERIFY(running.app.store.count() <= MaxSentences);
    for (const QString& entry : running.app.store.entries())
        QVERIFY(!entry.isEmpty() && !entry.endsWith(u' ') && !entry.contains(u"  "_s));

    const QMap<QString, size_t> after = snapshot(folder.dir());
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QVERIFY2(replaced.contains(it.key()) || after.value(it.key()) == it.value(),
                 qPrintable(it.key() + " changed"));
    for (const QString& name : replaced)
        QCOMPARE(folder.read(name), Replacements.value(name)); // and readable again
    if (!replaced.isEmpty())
        QVERIFY(!ProgramDriver(folder).dialogs.prompts().contains(NoSettings));
}

void HostileFolderTest::lockFileThatIsNoLockFile_data() {
    QTest::addColumn<QString>("spoil");
    QTest::newRow("FIFO") << u"junk TIVORAL.LCK; fifo TIVORAL.LCK"_s;
    QTest::newRow("link to /dev/zero") << u"junk TIVORAL.LCK; zero TIVORAL.LCK"_s;
    QTest::newRow("folder") << u"folder TIVORAL.LCK"_s;
    QTest::newRow("dangling link") << u"link TIVORAL.LCK /nirgends/TIVORAL.LCK"_s;
    QTest::newRow("link out of the folder") << u"link TIVORAL.LCK /etc/hostname"_s;
}

// The window comes in time, and a new name is refused with a message that says which file is in
// the way, instead of hanging, eating the memory or blaming another computer.
void HostileFolderTest::lockFileThatIsNoLockFile() {
    QFETCH(QString, spoil);
    CaseFolder folder;
    folder.spoil(spoil);
    QElapsedTimer timer;
    timer.start();
    ProgramDriver running(folder);
    QCoreApplication::processEvents();
    QVERIFY(running.main().isVisible());
    QVERIFY2(timer.elapsed() < StartLimitMs, qPrintable(QString::number(timer.elapsed())));

    running.dialogs.queueInput(u"Carla"_s);
    running.click(u"userPanelButton"_s);
    running.click(u"newUserButton"_s);
    QVERIFY2(timer.elapsed() < StartLimitMs, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(folder.read(u"TIVORAL.INF"_s), QByteArray("Anna\r\nBen\r\n"));
    const QString lockPath = QDir::toNativeSeparators(folder.path(u"TIVORAL.LCK"_s));
    QVERIFY2(
        running.dialogs.last().prompt.contains(lockPath) &&
            running.dialogs.last().prompt.contains(u"Bitte TIVORAL.LCK im Arbeitsordner löschen"_s),
        qPrintable(running.dialogs.last().prompt));
}

QTEST_MAIN(HostileFolderTest)
#include "test_hostilefolder.moc"
