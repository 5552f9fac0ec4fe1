#include "game/highscorelist.h"
#include "support/workfolder.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <unistd.h>

using namespace tivoral;
using tivoral::testing::WorkFolder;

namespace {

const QString ListFile = QString::fromLatin1(HighScoreList::FileName);

QByteArray fileBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

// A full file: 100 results of 10 characters, 1 to 100 seconds.
QStringList fullList() {
    QStringList lines;
    for (int seconds = 1; seconds <= HighScoreList::MaxFileLines; ++seconds)
        lines.append(QLatin1Char('>') +
                     HighScoreList::makeEntry(10, seconds, QStringLiteral("Kim")));
    return lines;
}

bool runningAsRoot() {
    return ::geteuid() == 0;
}

} // namespace

class HighScoreListTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entryHasRightAlignedFields_data();
    void entryHasRightAlignedFields();
    void linesAreReadWhole_data();
    void linesAreReadWhole();
    void sortedByCharactersThenSecondsThenName_data();
    void sortedByCharactersThenSecondsThenName();
    void firstGameCreatesTheFile();
    void fileIsWindows1252WithCrLf();
    void fileKeepsTheBestHundred_data();
    void fileKeepsTheBestHundred();
    void nameWithCommaSurvivesTheRewrite();
    void writeProtectedFileIsRewritten();
    void unsavedListKeepsTheOldFile_data();
    void unsavedListKeepsTheOldFile();
};

void HighScoreListTest::entryHasRightAlignedFields_data() {
    QTest::addColumn<int>("characters");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("entry");

    QTest::newRow("24 characters in 57 seconds") << 24 << 57 << "  24     57   Anna";
    QTest::newRow("one digit each") << 5 << 0 << "   5      0   Anna";
    QTest::newRow("four digits fill the field") << 100 << 9999 << " 100   9999   Anna";
    QTest::newRow("10000 seconds keep the last four digits") << 24 << 10000 << "  24   0000   Anna";
    QTest::newRow("123456 seconds") << 24 << 123456 << "  24   3456   Anna";
}

void HighScoreListTest::entryHasRightAlignedFields() {
    QFETCH(int, characters);
    QFETCH(int, seconds);
    QFETCH(QString, entry);
    QCOMPARE(HighScoreList::makeEntry(characters, seconds, QStringLiteral("Anna")), entry);
}

void HighScoreListTest::linesAreReadWhole_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("marker goes, blanks of the field stay")
        << QStringList{">  24     57   Anna"} << QStringList{"  24     57   Anna"};
    QTest::newRow("name with a comma stays one entry")
        << QStringList{">  24     57   Meier, Max"} << QStringList{"  24     57   Meier, Max"};
    QTest::newRow("blanks before the marker")
        << QStringList{"  >   9     12   Tom"} << QStringList{"   9     12   Tom"};
    QTest::newRow("line without marker kept as it is")
        << QStringList{"  24     57   Anna"} << QStringList{"  24     57   Anna"};
    QTest::newRow("empty and blank lines skipped")
        << QStringList{QString(), ">  24     57   Anna", "   ", ">"}
        << QStringList{"  24     57   Anna"};
}

void HighScoreListTest::linesAreReadWhole() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, entries);
    QCOMPARE(HighScoreList::entriesFromLines(lines), entries);
}

void HighScoreListTest::sortedByCharactersThenSecondsThenName_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("sorted");

    const auto e = [](int characters, int seconds, const char* name) {
        return HighScoreList::makeEntry(characters, seconds, QString::fromUtf8(name));
    };
    QTest::newRow("fewer characters first")
        << QStringList{e(24, 5, "Anna"), e(9, 300, "Bert"), e(100, 1, "Cem")}
        << QStringList{e(9, 300, "Bert"), e(24, 5, "Anna"), e(100, 1, "Cem")};
    QTest::newRow("same characters: fewer seconds first (blank before digit)")
        << QStringList{e(24, 100, "Anna"), e(24, 57, "Bert"), e(24, 1000, "Cem")}
        << QStringList{e(24, 57, "Bert"), e(24, 100, "Anna"), e(24, 1000, "Cem")};
    QTest::newRow("same characters and seconds: by name, case-insensitive")
        << QStringList{e(24, 57, "bert"), e(24, 57, "Anna"), e(24, 57, "anton")}
        << QStringList{e(24, 57, "Anna"), e(24, 57, "anton"), e(24, 57, "bert")};
    QTest::newRow("umlaut beside its base letter")
        << QStringList{e(24, 57, "Paul"), e(24, 57, "Özil"), e(24, 57, "Otto"), e(24, 57, "Zoe")}
        << QStringList{e(24, 57, "Otto"), e(24, 57, "Özil"), e(24, 57, "Paul"), e(24, 57, "Zoe")};
}

void HighScoreListTest::sortedByCharactersThenSecondsThenName() {
    QFETCH(QStringList, entries);
    QFETCH(QStringList, sorted);
    HighScoreList::sort(entries);
    QCOMPARE(entries, sorted);
}

void HighScoreListTest::firstGameCreatesTheFile() {
    WorkFolder folder;
    HighScoreList list(folder.dir());
    QVERIFY(list.add(HighScoreList::makeEntry(24, 57, QStringLiteral("Anna"))));
    QCOMPARE(list.entries(), QStringList{"  24     57   Anna"});
    QCOMPARE(folder.read(ListFile), QByteArray(">  24     57   Anna\r\n"));
}

void HighScoreListTest::fileIsWindows1252WithCrLf() {
    WorkFolder folder;
    folder.write(ListFile, ">   8     20   Jörg\n");
    HighScoreList list(folder.dir());
    QVERIFY(list.add(HighScoreList::makeEntry(9, 3, QStringLiteral("Grüße"))));
    QCOMPARE(folder.read(ListFile), QByteArray(">   8     20   J\xF6rg\r\n>   9      3   Gr\xFC\xDF"
                                               "e\r\n"));
}

void HighScoreListTest::fileKeepsTheBestHundred_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("fileLines");

    const QStringList full = fullList();
    const QString last = HighScoreList::makeEntry(99, 5, QStringLiteral("Neu"));
    QTest::newRow("new result sorting last is not written") << last << full;

    const QString first = HighScoreList::makeEntry(3, 5, QStringLiteral("Neu"));
    QTest::newRow("new result sorting first pushes the 100th out")
        << first << (QStringList{QLatin1Char('>') + first} + full.mid(0, 99));

    const QString middle = HighScoreList::makeEntry(10, 50, QStringLiteral("Neu"));
    QStringList withMiddle = full.mid(0, 50);
    withMiddle.append(QLatin1Char('>') + middle);
    withMiddle.append(full.mid(50, 49));
    QTest::newRow("tie on characters and seconds: by name") << middle << withMiddle;
}

void HighScoreListTest::fileKeepsTheBestHundred() {
    QFETCH(QString, entry);
    QFETCH(QStringList, fileLines);

    WorkFolder folder;
    folder.write(ListFile, fileBytes(fullList()));
    HighScoreList list(folder.dir());
    QVERIFY(list.add(entry));
    // The list shows all 101 results until the window closes.
    QCOMPARE(list.entries().size(), HighScoreList::MaxFileLines + 1);
    QVERIFY(list.entries().contains(entry));
    QCOMPARE(folder.read(ListFile), fileBytes(fileLines));
}

void HighScoreListTest::nameWithCommaSurvivesTheRewrite() {
    WorkFolder folder;
    HighScoreList list(folder.dir());
    const QString comma = HighScoreList::makeEntry(24, 57, QStringLiteral("Meier, Max"));
    QVERIFY(list.add(comma));
    QVERIFY(list.add(HighScoreList::makeEntry(30, 60, QStringLiteral("Lea"))));
    QCOMPARE(list.entries(), (QStringList{comma, "  30     60   Lea"}));
    QCOMPARE(folder.read(ListFile),
             QByteArray(">  24     57   Meier, Max\r\n>  30     60   Lea\r\n"));
}

void HighScoreListTest::writeProtectedFileIsRewritten() {
    WorkFolder folder;
    folder.write(ListFile, ">  30     60   Lea\r\n");
    QFile::setPermissions(folder.path(ListFile), QFile::ReadOwner | QFile::ReadGroup);
    HighScoreList list(folder.dir());
    QVERIFY(list.add(HighScoreList::makeEntry(24, 57, QStringLiteral("Anna"))));
    QVERIFY(QFile::permissions(folder.path(ListFile)) & QFile::WriteOwner);
    QCOMPARE(folder.read(ListFile), QByteArray(">  24     57   Anna\r\n>  30     60   Lea\r\n"));
}

void HighScoreListTest::unsavedListKeepsTheOldFile_data() {
    QTest::addColumn<QString>("damage");
    QTest::newRow("folder without write permission") << "read-only folder";
    QTest::newRow("list file locked by a folder of its name") << "folder in its place";
    QTest::newRow("working folder gone") << "folder gone";
}

void HighScoreListTest::unsavedListKeepsTheOldFile() {
    QFETCH(QString, damage);

    WorkFolder folder;
    const QByteArray old = ">  30     60   Lea\r\n";
    QDir listFolder = folder.dir();
    if (damage == QLatin1String("read-only folder")) {
        if (runningAsRoot())
            QSKIP("write permissions do not bind the superuser");
        folder.write(ListFile, old);
        QFile::setPermissions(folder.dir().absolutePath(), QFile::ReadOwner | QFile::ExeOwner);
    } else if (damage == QLatin1String("folder in its place")) {
        QVERIFY(folder.dir().mkdir(ListFile));
    } else {
        listFolder = QDir(folder.path(QStringLiteral("gone")));
    }

    HighScoreList list(listFolder);
    const QString entry = HighScoreList::makeEntry(24, 57, QStringLiteral("Anna"));
    const bool saved = list.add(entry);
    QFile::setPermissions(folder.dir().absolutePath(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QVERIFY(!saved);
    QVERIFY(list.entries().contains(entry));
    if (damage == QLatin1String("read-only folder"))
        QCOMPARE(folder.read(ListFile), old);
    else if (damage == QLatin1String("folder in its place"))
        QVERIFY(QFileInfo(folder.path(ListFile)).isDir());
    else
        QVERIFY(!listFolder.exists());
}

QTEST_GUILESS_MAIN(HighScoreListTest)
#include "test_highscorelist.moc"
