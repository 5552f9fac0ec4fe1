#include "platform/safefile.h"
#include "platform/textcase.h"
#include "platform/textfile.h"
#include "store/ownfiles.h"
#include "support/diskfull.h"
#include "support/permissions.h"
#include "support/workfolder.h"

#include <QDateTime>
#include <QFile>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>

using namespace tivoral;
using namespace Qt::StringLiterals;
using tivoral::testing::WorkFolder;

namespace {

const QString Name = u"TIVORAL.INF"_s;
// The reader takes files in pieces of this size; a line end must survive the seam.
constexpr qsizetype ChunkBytes = 64 * 1024;
const QByteArray ChunkLine(ChunkBytes - 1, 'x');
constexpr auto AllOwner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

} // namespace

class TextFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsBackInOneEncoding_data();
    void readsBackInOneEncoding();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
    void usesOnlyRegularFilesInsideTheFolder_data();
    void usesOnlyRegularFilesInsideTheFolder();
    void stopsReadingAfterTheByteLimit();
    void changesCaseOneCharacterToOne();
    void failureSaysWhatHappened();
    void startRemovesStaleTemporaries();
};

// Null bytes: the lines are written first. Lines the reader could take for another encoding
// must read back unchanged; appending keeps one encoding and the new line on a line of its own.
void TextFileTest::readsBackInOneEncoding_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("appended"); // null: none
    QTest::addColumn<QStringList>("lines");
    const QString none;
    QTest::newRow("LF, lone CR, mixed")
        << "a\n\rb\rc\r\r\n"_ba << none << QStringList{u"a"_s, {}, u"b"_s, u"c"_s, {}};
    QTest::newRow("CR | LF at chunk end")
        << ChunkLine + "\r\nnext" << none << QStringList{QString::fromLatin1(ChunkLine), u"next"_s};
    QTest::newRow("Windows-1252 with 0x80-0x9F")
        << "\xE4\xDC\xDF\x80\x84\x8A\x93\x9F\x81"_ba << none << QStringList{u"äÜß€„Š“Ÿ\u0081"_s};
    QTest::newRow("invalid UTF-8 on a later line")
        << "\xC3\xA4\r\n\xE4"_ba << none << QStringList{u"Ã¤"_s, u"ä"_s};
    QTest::newRow("written: BOM character inside a later line")
        << QByteArray() << none << QStringList{QString(), u"\uFEFF\uFEFF"_s};
    QTest::newRow("written: first line begins like a BOM in Windows-1252")
        << QByteArray() << none << QStringList{u"\u00EF\u00BB\u00BFAnfang"_s, u"x"_s};
    QTest::newRow("written: Windows-1252 bytes that would form valid UTF-8")
        << QByteArray() << none << QStringList{u"\u00C5\u0090"_s, u"Ã¤"_s};
    QTest::newRow("append after a missing final line end")
        << "M\xFCller"_ba << u"Jörg"_s << QStringList{u"Müller"_s, u"Jörg"_s};
    QTest::newRow("append to UTF-8 without BOM")
        << "K\xC3\xB6ln\n"_ba << u"Jörg"_s << QStringList{u"Köln"_s, u"Jörg"_s};
    QTest::newRow("append beyond Windows-1252")
        << "J\xF6rg\r\n"_ba << u"Zoć"_s << QStringList{u"Jörg"_s, u"Zoć"_s};
}

void TextFileTest::readsBackInOneEncoding() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, appended);
    QFETCH(QStringList, lines);
    WorkFolder folder;
    if (bytes.isNull())
        QVERIFY(textfile::writeLinesAtomic(folder.path(Name), lines));
    else
        folder.write(Name, bytes);
    if (!appended.isNull())
        QVERIFY(textfile::appendLine(folder.path(Name), appended));
    const textfile::ReadResult result = textfile::readLines(folder.path(Name));
    QVERIFY(result.ok && !result.truncated);
    QCOMPARE(result.lines, lines);
}

void TextFileTest::failedWriteKeepsTheOldFile_data() {
    QTest::addColumn<qsizetype>("oldBytes");
    // 0: no full disk, but a folder that refuses new files and holds a writable file.
    QTest::addColumn<qsizetype>("limit");
    QTest::newRow("full disk, small file") << qsizetype(3890) << qsizetype(1024);
    QTest::newRow("full disk, large file") << qsizetype(200000) << ChunkBytes;
    QTest::newRow("locked folder: rewritten in place") << qsizetype(100) << qsizetype(0);
}

void TextFileTest::failedWriteKeepsTheOldFile() {
    QFETCH(qsizetype, oldBytes);
    QFETCH(qsizetype, limit);
    WorkFolder folder;
    const QByteArray old = QByteArray("Kind\r\n").repeated(oldBytes / 6);
    folder.write(Name, old);
    const auto unlock = qScopeGuard([&] { QFile::setPermissions(folder.dir().path(), AllOwner); });
    if (limit == 0) {
        TIVORAL_REQUIRE_PERMISSIONS();
        QVERIFY(QFile::setPermissions(folder.dir().path(), AllOwner & ~QFile::WriteOwner));
    }
    const QStringList lines(oldBytes / 3, u"Neu"_s);
    QString error;
    const bool written = testing::withDiskFullAfter(
        limit, [&] { return textfile::writeLinesAtomic(folder.path(Name), lines, &error); });
    QCOMPARE(written, limit == 0);
    QCOMPARE(folder.dir().entryList(QDir::Files | QDir::Hidden), QStringList{Name});
    if (written)
        QCOMPARE(textfile::readLines(folder.path(Name)).lines, lines);
    else
        QVERIFY2(folder.read(Name) == old && error.contains(u"Datenträger"_s), qPrintable(error));
}

void TextFileTest::usesOnlyRegularFilesInsideTheFolder_data() {
    QTest::addColumn<QString>("target"); // where the link at the file's name leads; null: a FIFO
    QTest::addColumn<bool>("usable");
    QTest::newRow("link inside the folder") << u"DATEN"_s << true;
    QTest::newRow("link out of the folder") << u"../fremd"_s << false;
    QTest::newRow("link leading nowhere") << u"fehlt"_s << false;
    QTest::newRow("link to /dev/zero") << u"/dev/zero"_s << false;
    QTest::newRow("FIFO") << QString() << false;
}

// The working folder "ordner" is reached through a link itself, as a home folder on a share.
void TextFileTest::usesOnlyRegularFilesInsideTheFolder() {
    QFETCH(QString, target);
    QFETCH(bool, usable);
    const WorkFolder base;
    QVERIFY(base.dir().mkdir(u"echt"_s) && QFile::link(u"echt"_s, base.path(u"ordner"_s)));
    const QByteArray old = "Anna\r\n"_ba;
    base.write(u"fremd"_s, old);
    base.write(u"echt/DATEN"_s, old);
    const QString path = base.path(u"ordner/"_s + Name);
    QVERIFY(target.isNull() ? ::mkfifo(QFile::encodeName(path).constData(), S_IRUSR | S_IWUSR) == 0
                            : QFile::link(target, path));

    QCOMPARE(textfile::readLines(path).lines, usable ? QStringList{u"Anna"_s} : QStringList());
    QString error;
    QCOMPARE(textfile::writeLinesAtomic(path, {u"Ben"_s}, &error), usable);
    QCOMPARE(textfile::appendLine(path, u"Carla"_s, &error), usable);
    QCOMPARE(error.isEmpty(), usable);
    QCOMPARE(base.read(u"fremd"_s), old);
}

// However a file is made (one endless line, say), reading ends after maxReadBytes.
void TextFileTest::stopsReadingAfterTheByteLimit() {
    const WorkFolder folder;
    folder.write(Name, "kurz\n" + QByteArray(4 * ChunkBytes, 'x') + "\nnie\n");
    const textfile::ReadResult result = textfile::readLines(
        folder.path(Name), {.maxLineBytes = 100, .maxReadBytes = 2 * ChunkBytes});
    QVERIFY(result.ok && result.truncated);
    QCOMPARE(result.lines, QStringList{u"kurz"_s});
}

// Upper and lower case keep every text's length, which the mosaic and the puzzle rely on.
// Capitals show ẞ; a file name keeps its ß.
void TextFileTest::changesCaseOneCharacterToOne() {
    const QString upper = u"STRAẞE FÜR ÖL, \uFB00 A\U0001F600B"_s;
    QCOMPARE(toUpperOneToOne(u"Straße für Öl, \uFB00 a\U0001F600b"_s), upper);
    QCOMPARE(toLowerOneToOne(upper), u"straße für öl, \uFB00 a\U0001F600b"_s);
    QCOMPARE(toUpperFileName(u"straße.txt"_s), u"STRAßE.TXT"_s);
}

// "Kein Platz" only where there is none: a teacher who frees the disk for a permission problem
// is sent the wrong way.
void TextFileTest::failureSaysWhatHappened() {
    const QList<std::pair<int, QString>> causes{
        {ENOSPC, u"kein Platz"_s},      {EACCES, u"Schreibberechtigung"_s},
        {EROFS, u"schreibgeschützt"_s}, {ENOENT, u"nicht mehr vorhanden"_s},
        {EBUSY, u"anderen Programm"_s}, {EIO, u"Ein-/Ausgabefehler"_s}};
    for (const auto& [cause, words] : causes) {
        const QString text = safefile::failureText(cause);
        QVERIFY2(text.contains(words) && text.contains(u"kein Platz"_s) == (cause == ENOSPC),
                 qPrintable(text));
    }
}

// Left by a write that was killed; a fresh one may be another computer's write in progress.
void TextFileTest::startRemovesStaleTemporaries() {
    WorkFolder folder;
    const QStringList stale{u"TIVORAL.INF.a1B2c3"_s, u"bestdose.lst.Zz9Yy8"_s,
                            u".tivoral-q1W2e3.tmp"_s};
    const QStringList kept{u"SAETZE.TXT.a1B2c3"_s, u"TIVORAL.INF.bak"_s, u"TIVORAL.INI.fresh1"_s};
    for (const QString& name : stale + kept) {
        folder.write(name, "x");
        QFile file(folder.path(name));
        QVERIFY(name == kept.last() ||
                (file.open(QIODevice::ReadWrite) &&
                 file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                  QFileDevice::FileModificationTime)));
    }
    ownfiles::removeStaleTemporaries(folder.dir());
    QCOMPARE(folder.dir().entryList(QDir::Files | QDir::Hidden, QDir::Name), kept);
}

QTEST_GUILESS_MAIN(TextFileTest)
#include "test_textfile.moc"
