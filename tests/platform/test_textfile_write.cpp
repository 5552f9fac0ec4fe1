#include "platform/textfile.h"
#include "support/workfolder.h"

#include <QFile>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace tivoral;
using tivoral::testing::WorkFolder;

namespace {

const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");
const QString Name = QStringLiteral("TIVORAL.INF");

// Makes every file write of this process beyond `bytes` fail, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
};

} // namespace

class TextFileWriteTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void encodesWindows1252OrUtf8_data();
    void encodesWindows1252OrUtf8();
    void replacesTheWholeFile();
    void failedWriteLeavesOldFileWhole();
    void refusesFolderWithoutWriteAccess();
    void clearsReadOnlyMark();
    void appendKeepsOneEncoding_data();
    void appendKeepsOneEncoding();
};

void TextFileWriteTest::encodesWindows1252OrUtf8_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("umlauts and ß") << QStringList{QStringLiteral("Grüße"), QStringLiteral("ÄÖÜß")}
                                   << QByteArray("Gr\xFC\xDF"
                                                 "e\r\n\xC4\xD6\xDC\xDF\r\n");
    QTest::newRow("0x80-0x9F characters")
        << QStringList{QStringLiteral("€„“”–")} << QByteArray("\x80\x84\x93\x94\x96\r\n");
    QTest::newRow("unused byte keeps its value")
        << QStringList{QStringLiteral("\u0081")} << QByteArray("\x81\r\n");
    QTest::newRow("empty line") << QStringList{QString()} << QByteArray("\r\n");
    QTest::newRow("no lines") << QStringList{} << QByteArray();
    QTest::newRow("character beyond Windows-1252 makes all UTF-8")
        << QStringList{QStringLiteral("ä"), QStringLiteral("Zoć")}
        << Bom + "\xC3\xA4\r\nZo\xC4\x87\r\n";
    QTest::newRow("C1 control without Windows-1252 byte")
        << QStringList{QStringLiteral("\u0080")} << Bom + "\xC2\x80\r\n";
}

void TextFileWriteTest::encodesWindows1252OrUtf8() {
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);
    WorkFolder folder;
    QVERIFY(textfile::writeLinesAtomic(folder.path(Name), lines));
    QCOMPARE(folder.read(Name), bytes);
    QCOMPARE(textfile::readLines(folder.path(Name)).lines, lines);
}

void TextFileWriteTest::replacesTheWholeFile() {
    WorkFolder folder;
    folder.write(Name, "Ein viel längerer alter Inhalt\r\nmit zwei Zeilen\r\n");
    QVERIFY(textfile::writeLinesAtomic(folder.path(Name), {QStringLiteral("Freund")}));
    QCOMPARE(folder.read(Name), QByteArray("Freund\r\n"));
    QCOMPARE(folder.dir().entryList(QDir::Files), QStringList{Name});
}

void TextFileWriteTest::failedWriteLeavesOldFileWhole() {
    WorkFolder folder;
    const QByteArray old("Anna\r\nBen\r\n");
    folder.write(Name, old);
    const QStringList many(5000, QStringLiteral("Ein Name, der nicht mehr auf die Platte passt"));
    bool written = true;
    QString error;
    {
        const FileSizeLimit full(4096);
        written = textfile::writeLinesAtomic(folder.path(Name), many, &error);
    }
    QVERIFY(!written);
    QVERIFY(!error.isEmpty());
    QCOMPARE(folder.read(Name), old);
    QCOMPARE(folder.dir().entryList(QDir::Files | QDir::Hidden), QStringList{Name});
}

void TextFileWriteTest::refusesFolderWithoutWriteAccess() {
    WorkFolder folder;
    QFile::setPermissions(folder.dir().path(), QFile::ReadOwner | QFile::ExeOwner);
    QFile probe(folder.path(QStringLiteral("probe")));
    const bool permissionsIgnored = probe.open(QIODevice::WriteOnly);
    probe.remove();
    if (permissionsIgnored) {
        QFile::setPermissions(folder.dir().path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QSKIP("folder permissions do not stop this user (root)");
    }
    QString error;
    const bool written =
        textfile::writeLinesAtomic(folder.path(Name), {QStringLiteral("x")}, &error);
    const bool appended = textfile::appendLine(folder.path(Name), QStringLiteral("x"));
    QFile::setPermissions(folder.dir().path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!written);
    QVERIFY(!appended);
    QVERIFY(!error.isEmpty());
    QVERIFY(!folder.exists(Name));
}

void TextFileWriteTest::clearsReadOnlyMark() {
    WorkFolder folder;
    folder.write(Name, "Anna\r\n");
    QVERIFY(!textfile::isReadOnly(folder.path(Name)));
    QVERIFY(QFile::setPermissions(folder.path(Name), QFile::ReadOwner | QFile::ReadGroup));
    QVERIFY(textfile::isReadOnly(folder.path(Name)));
    QVERIFY(textfile::clearReadOnly(folder.path(Name)));
    QVERIFY(!textfile::isReadOnly(folder.path(Name)));
    QVERIFY(QFile::permissions(folder.path(Name)) & QFile::ReadOwner);
    QVERIFY(!textfile::isReadOnly(folder.path(QStringLiteral("missing"))));
}

void TextFileWriteTest::appendKeepsOneEncoding_data() {
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("after");
    const QString joerg = QStringLiteral("Jörg");
    const QString zoc = QStringLiteral("Zoć");
    QTest::newRow("new file") << false << QByteArray() << joerg << QByteArray("J\xF6rg\r\n");
    QTest::newRow("new file in UTF-8") << false << QByteArray() << zoc << Bom + "Zo\xC4\x87\r\n";
    QTest::newRow("empty file") << true << QByteArray() << joerg << QByteArray("J\xF6rg\r\n");
    QTest::newRow("Windows-1252 file")
        << true << QByteArray("M\xFCller\r\n") << joerg << QByteArray("M\xFCller\r\nJ\xF6rg\r\n");
    QTest::newRow("missing final line end")
        << true << QByteArray("Anna") << joerg << QByteArray("Anna\r\nJ\xF6rg\r\n");
    QTest::newRow("final LF") << true << QByteArray("Anna\n") << joerg
                              << QByteArray("Anna\nJ\xF6rg\r\n");
    QTest::newRow("UTF-8 file with BOM") << true << Bom + "Zo\xC4\x87\r\n"
                                         << joerg << Bom + "Zo\xC4\x87\r\nJ\xC3\xB6rg\r\n";
    QTest::newRow("UTF-8 file without BOM") << true << QByteArray("K\xC3\xB6ln\r\n") << joerg
                                            << QByteArray("K\xC3\xB6ln\r\nJ\xC3\xB6rg\r\n");
    QTest::newRow("plain ASCII file takes UTF-8")
        << true << QByteArray("Anna\r\n") << zoc << QByteArray("Anna\r\nZo\xC4\x87\r\n");
    QTest::newRow("Windows-1252 file becomes UTF-8")
        << true << QByteArray("J\xF6rg") << zoc << Bom + "J\xC3\xB6rg\r\nZo\xC4\x87\r\n";
}

void TextFileWriteTest::appendKeepsOneEncoding() {
    QFETCH(bool, exists);
    QFETCH(QByteArray, before);
    QFETCH(QString, line);
    QFETCH(QByteArray, after);
    WorkFolder folder;
    if (exists)
        folder.write(Name, before);
    QVERIFY(textfile::appendLine(folder.path(Name), line));
    QCOMPARE(folder.read(Name), after);
    QCOMPARE(textfile::readLines(folder.path(Name)).lines.constLast(), line);
}

QTEST_GUILESS_MAIN(TextFileWriteTest)
#include "test_textfile_write.moc"
