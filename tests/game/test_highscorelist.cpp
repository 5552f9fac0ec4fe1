#include "game/highscorelist.h"
#include "support/permissions.h"
#include "support/workfolder.h"

#include <QFile>
#include <QTest>

using namespace tivoral;
using tivoral::testing::WorkFolder;

namespace {

const QString ListFile = QString::fromLatin1(HighScoreList::FileName);

QString entry(int characters, int seconds, const char* name) {
    return HighScoreList::makeEntry(characters, seconds, QString::fromUtf8(name));
}

QByteArray fileBytes(const QStringList& entries) {
    return ('>' + entries.join(QStringLiteral("\r\n>")) + QStringLiteral("\r\n")).toLatin1();
}

} // namespace

class HighScoreListTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void linesAreReadWhole();
    void sortedByCharactersThenSecondsThenName();
    void fileKeepsTheBestHundred_data();
    void fileKeepsTheBestHundred();
};

void HighScoreListTest::linesAreReadWhole() {
    QCOMPARE(entry(5, 10000, "Anna"), "   5   0000   Anna");
    const QStringList lines{"  >   9     12   Meier, Max", "  24     57   Anna", "   ", ">"};
    QCOMPARE(HighScoreList::entriesFromLines(lines),
             (QStringList{"   9     12   Meier, Max", "  24     57   Anna"}));
}

void HighScoreListTest::sortedByCharactersThenSecondsThenName() {
    const QStringList sorted{entry(9, 300, "Bert"), entry(24, 57, "anton"), entry(24, 57, "Otto"),
                             entry(24, 57, "Özil"), entry(24, 100, "Anna"), entry(100, 1, "Cem")};
    QStringList entries(sorted.crbegin(), sorted.crend());
    HighScoreList::sort(entries);
    QCOMPARE(entries, sorted);
}

void HighScoreListTest::fileKeepsTheBestHundred_data() {
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("readable"); // else the file has no permissions at all
    QTest::addColumn<int>("writtenAt"); // its place in the file, -1 when not written
    QTest::newRow("sorting last, not written") << entry(99, 5, "Neu") << true << -1;
    QTest::newRow("sorting first pushes the 100th out") << entry(3, 5, "Jörg") << true << 0;
    // Writing back what little could be read would wipe the results in the file.
    QTest::newRow("unreadable, not written over") << entry(3, 5, "Jörg") << false << -1;
}

void HighScoreListTest::fileKeepsTheBestHundred() {
    QFETCH(QString, result);
    QFETCH(bool, readable);
    QFETCH(int, writtenAt);
    QStringList full;
    for (int seconds = 1; seconds <= HighScoreList::MaxFileLines; ++seconds)
        full.append(entry(10, seconds, "Kim"));
    WorkFolder folder;
    folder.write(ListFile, fileBytes(full));
    QFile::setPermissions(folder.path(ListFile),
                          readable ? QFile::ReadOwner : QFile::Permissions());
    if (!readable)
        TIVORAL_REQUIRE_PERMISSIONS();
    HighScoreList list(folder.dir());
    QCOMPARE(list.add(result),
             readable ? HighScoreList::AddResult::Saved : HighScoreList::AddResult::Failed);
    // Shown until the window closes, even when not written.
    QCOMPARE(list.entries().size(), readable ? HighScoreList::MaxFileLines + 1 : 1);
    QVERIFY(list.entries().contains(result));
    if (writtenAt >= 0) {
        full.insert(writtenAt, result);
        full.removeLast();
    }
    QFile::setPermissions(folder.path(ListFile), QFile::ReadOwner);
    QCOMPARE(folder.read(ListFile), fileBytes(full));
}

QTEST_GUILESS_MAIN(HighScoreListTest)
#include "test_highscorelist.moc"
