#include "store/readingoptions.h"
#include "support/workfolder.h"

#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {
const QString Opt = QString::fromLatin1(ReadingOptionsFile::FileName);
using K = ReadingOptionKeys;
} // namespace

class ReadingOptionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void childOverridesDefaultKeyByKey_data();
    void childOverridesDefaultKeyByKey();
    void anyNameRoundTrips_data();
    void anyNameRoundTrips();
    void changeKeepsWhatAnotherComputerWrote();
};

void ReadingOptionsTest::childOverridesDefaultKeyByKey_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("user");
    QTest::addColumn<int>("windowPercent");
    QTest::addColumn<QString>("font");
    QTest::addColumn<bool>("speech");
    QTest::addColumn<bool>("umlautKeys");
    const QByteArray file("[*]\r\nFenstergroesse = 150\r\nVorlesen = nein\r\n"
                          "[Lena]\r\nSchrift = Andika\r\nVorlesen = ja\r\n");
    QTest::newRow("child's keys win, the rest from the default")
        << file << "Lena" << 150 << "Andika" << true << true;
    QTest::newRow("unknown values keep the default")
        << QByteArray("[*]\nFenstergroesse = 170\nUmlauttasten = vielleicht\nkaputt\n") << "Lena"
        << 100 << "" << true << true;
    QTest::newRow("keys before any section are ignored")
        << QByteArray("Vorlesen = nein\n[Lena]\nFenstergroesse = Bildschirm\n") << "Lena" << 0 << ""
        << true << true;
    static const char junk[] = "\0\xff[\x01=\x02]\n\0\0";
    QTest::newRow("binary junk: defaults")
        << QByteArray(junk, sizeof junk - 1) << "Lena" << 100 << "" << true << true;
}

void ReadingOptionsTest::childOverridesDefaultKeyByKey() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, user);
    WorkFolder folder;
    folder.write(Opt, bytes);
    const ReadingOptions options = ReadingOptionsFile(folder.dir()).optionsFor(user);
    QTEST(options.windowPercent, "windowPercent");
    QTEST(options.fontFamily, "font");
    QTEST(options.speech, "speech");
    QTEST(options.umlautKeys, "umlautKeys");
    QCOMPARE(options.hearTarget, false);
}

void ReadingOptionsTest::anyNameRoundTrips_data() {
    QTest::addColumn<QString>("user");
    for (const QString& name :
         {u"x = y"_s, u"[Ben]"_s, u"*"_s, QString()})
        QTest::newRow(qPrintable(name.isEmpty() ? u"empty name"_s : name)) << name;
}

void ReadingOptionsTest::anyNameRoundTrips() {
    QFETCH(QString, user);
    WorkFolder folder;
    const ReadingOptionsFile file(folder.dir());
    QVERIFY(file.change(user, K::Spacing, spacingValue(LetterSpacing::Wider)));
    QVERIFY(file.change(user, K::FontFamily, u"Open Dyslexic [Alta] = 2"_s));
    QVERIFY(file.change(std::nullopt, K::WindowPercent, windowPercentValue(200)));

    const ReadingOptions mine = file.optionsFor(user);
    QCOMPARE(mine.spacing, LetterSpacing::Wider);
    QCOMPARE(mine.fontFamily, u"Open Dyslexic [Alta] = 2"_s);
    QCOMPARE(mine.windowPercent, 200);
    // No other name, and not the default section, picked up the child's options.
    QCOMPARE(file.optionsFor(std::nullopt).spacing, LetterSpacing::Normal);
    QCOMPARE(file.optionsFor(user + u"x"_s).fontFamily, QString());
}

void ReadingOptionsTest::changeKeepsWhatAnotherComputerWrote() {
    WorkFolder folder;
    const ReadingOptionsFile file(folder.dir());
    QVERIFY(file.change(u"Lena"_s, K::Speech, switchValue(false)));
    // Another computer adds a child and a note of its own after this one read the file.
    folder.write(Opt, folder.read(Opt) + "; Klasse 2b\r\n[Ben]\r\nUmlauttasten = nein\r\n");
    QVERIFY(file.change(u"Lena"_s, K::Speech, switchValue(true)));
    QCOMPARE(file.optionsFor(u"Ben"_s).umlautKeys, false);
    QCOMPARE(file.optionsFor(u"Lena"_s).speech, true);

    // Unreadable (a folder in its place) reads as defaults and is not overwritten.
    WorkFolder blocked;
    QVERIFY(blocked.dir().mkdir(Opt));
    const ReadingOptionsFile blockedFile(blocked.dir());
    QCOMPARE(blockedFile.optionsFor(u"Lena"_s), ReadingOptions{});
    QString error;
    QVERIFY(!blockedFile.change(u"Lena"_s, K::Speech, switchValue(false), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(ReadingOptionsTest)
#include "test_readingoptions.moc"
