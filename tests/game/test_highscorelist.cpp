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

QString entry(int characters, int seconds, const char* name) {
    return HighScoreList::makeEntry(characters, seconds, QString::fromUtf8(name));
}

QByteArray fileBytes(const QStringList& entries) {
    QByteArray bytes;
    for (const QString& e : entries)
        bytes += '>' + e.toLatin1() + "\r\n";
    return bytes;
}

// A full file: 100 results of 10 characters in 1 to 100 seconds.
QStringList fullList() {
    QStringList entries;
    for (int seconds = 1; seconds <= HighScoreList::MaxFileLines; ++seconds)
        entries.append(entry(10, seconds, "Kim"));
    return entries;
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
    void fileIsRewrittenWithEveryResult();
    void fileKeepsTheBestHundred_data();
    void fileKeepsTheBestHundred();
    void writeProtectedFileIsRewritten();
    void unsavedListKeepsTheOldFile_data();
    void unsavedListKeepsTheOldFile();
};

void HighScoreListTest::entryHasRightAlignedFields_data() {
    QTest::addColumn<int>("characters");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("expected");

    QTest::newRow("24 characters in 57 seconds") << 24 << 57 << "  24     57   Anna";
    QTest::newRow("four digits fill the field") << 100 << 9999 << " 100   9999   Anna";
    QTest::newRow("10000 seconds keep the last four digits") << 5 << 10000 << "   5   0000   Anna";
}

void HighScoreListTest::entryHasRightAlignedFields() {
    QFETCH(int, characters);
    QFETCH(int, seconds);
    QTEST(entry(characters, seconds, "Anna"), "expected");
}

void HighScoreListTest::linesAreReadWhole_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("a comma stays in the name")
        << QStringList{">  24     57   Meier, Max"} << QStringList{"  24     57   Meier, Max"};
    QTest::newRow("blanks before the marker, none without it")
        << QStringList{"  >   9     12   Tom", "  24     57   Anna"}
        << QStringList{"   9     12   Tom", "  24     57   Anna"};
    QTest::newRow("empty and blank lines skipped")
        << QStringList{QString(), "   ", ">", ">   9     12   Tom"}
        << QStringList{"   9     12   Tom"};
}

void HighScoreListTest::linesAreReadWhole() {
    QFETCH(QStringList, lines);
    QTEST(HighScoreList::entriesFromLines(lines), "entries");
}

void HighScoreListTest::sortedByCharactersThenSecondsThenName_data() {
    QTest::addColumn<QStringList>("sorted");

    QTest::newRow("fewer characters first")
        << QStringList{entry(9, 300, "Bert"), entry(24, 5, "Anna"), entry(100, 1, "Cem")};
    QTest::newRow("then fewer seconds (blank before digit)")
        << QStringList{entry(24, 57, "Bert"), entry(24, 100, "Anna"), entry(24, 1000, "Cem")};
    QTest::newRow("then the name, case-insensitive, umlaut beside its letter")
        << QStringList{entry(24, 57, "anton"), entry(24, 57, "Otto"), entry(24, 57, "Özil"),
                       entry(24, 57, "paul")};
}

void HighScoreListTest::sortedByCharactersThenSecondsThenName() {
    QFETCH(QStringList, sorted);
    QStringList entries = sorted;
    std::reverse(entries.begin(), entries.end());
    HighScoreList::sort(entries);
    QCOMPARE(entries, sorted);
}

void HighScoreListTest::fileIsRewrittenWithEveryResult() {
    WorkFolder folder;
    HighScoreList list(folder.dir());
    QCOMPARE(list.add(entry(30, 60, "Meier, Max")), HighScoreList::AddResult::Saved);
    QCOMPARE(list.add(entry(24, 57, "Jörg")), HighScoreList::AddResult::Saved);
    QCOMPARE(list.entries(), (QStringList{entry(24, 57, "Jörg"), entry(30, 60, "Meier, Max")}));
    QCOMPARE(folder.read(ListFile),
             QByteArray(">  24     57   J\xF6rg\r\n>  30     60   Meier, Max\r\n"));
}

void HighScoreListTest::fileKeepsTheBestHundred_data() {
    QTest::addColumn<QString>("result");
    QTest::addColumn<QStringList>("written");

    const QStringList full = fullList();
    QTest::newRow("a result sorting last is not written") << entry(99, 5, "Neu") << full;
    QTest::newRow("one sorting first pushes the 100th out")
        << entry(3, 5, "Neu") << QStringList{entry(3, 5, "Neu")} + full.mid(0, 99);
}

void HighScoreListTest::fileKeepsTheBestHundred() {
    QFETCH(QString, result);
    QFETCH(QStringList, written);

    WorkFolder folder;
    folder.write(ListFile, fileBytes(fullList()));
    HighScoreList list(folder.dir());
    QCOMPARE(list.add(result), HighScoreList::AddResult::Saved);
    // Shown until the window closes, even when not written.
    QCOMPARE(list.entries().size(), HighScoreList::MaxFileLines + 1);
    QVERIFY(list.entries().contains(result));
    QCOMPARE(folder.read(ListFile), fileBytes(written));
}

void HighScoreListTest::writeProtectedFileIsRewritten() {
    WorkFolder folder;
    folder.write(ListFile, fileBytes({entry(30, 60, "Lea")}));
    QFile::setPermissions(folder.path(ListFile), QFile::ReadOwner);
    HighScoreList list(folder.dir());
    QCOMPARE(list.add(entry(24, 57, "Anna")), HighScoreList::AddResult::Saved);
    QVERIFY(QFile::permissions(folder.path(ListFile)) & QFile::WriteOwner);
    QCOMPARE(folder.read(ListFile), fileBytes({entry(24, 57, "Anna"), entry(30, 60, "Lea")}));
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
    const QByteArray old = fileBytes({entry(30, 60, "Lea")});
    const QString folderPath = folder.dir().absolutePath();
    QDir listFolder = folder.dir();
    if (damage == QLatin1String("read-only folder")) {
        if (::geteuid() == 0)
            QSKIP("write permissions do not bind the superuser");
        folder.write(ListFile, old);
        QFile::setPermissions(folderPath, QFile::ReadOwner | QFile::ExeOwner);
    } else if (damage == QLatin1String("folder in its place")) {
        QVERIFY(folder.dir().mkdir(ListFile));
    } else {
        listFolder.setPath(folder.path(QStringLiteral("gone")));
    }

    HighScoreList list(listFolder);
    const HighScoreList::AddResult result = list.add(entry(24, 57, "Anna"));
    QFile::setPermissions(folderPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(result, HighScoreList::AddResult::Failed);
    QVERIFY(list.entries().contains(entry(24, 57, "Anna")));
    if (damage == QLatin1String("read-only folder"))
        QCOMPARE(folder.read(ListFile), old);
    else
        QCOMPARE(QFileInfo::exists(folder.path(ListFile)), damage != QLatin1String("folder gone"));
}

QTEST_GUILESS_MAIN(HighScoreListTest)
#include "test_highscorelist.moc"
