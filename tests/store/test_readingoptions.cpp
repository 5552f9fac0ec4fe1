#include "store/appstate.h"
#include "support/fixture.h"

#include <QDateTime>
#include <QFile>
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
    void changeKeepsWhatAnotherComputerWrote_data();
    void changeKeepsWhatAnotherComputerWrote();
    void fileCutShortIsNotWrittenOver();
};

void ReadingOptionsTest::childOverridesDefaultKeyByKey_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("user");
    QTest::addColumn<int>("windowPercent");
    QTest::addColumn<QString>("font");
    QTest::addColumn<bool>("speech");
    QTest::addColumn<bool>("umlautKeys");
    QTest::addColumn<bool>("highContrast");
    const QByteArray file("[*]\r\nFenstergroesse = 150\r\nVorlesen = nein\r\nKontrast = hoch\r\n"
                          "[Lena]\r\nSchrift = Andika\r\nVorlesen = ja\r\n");
    QTest::newRow("child's keys win, the rest from the default")
        << file << "Lena" << 150 << "Andika" << true << true << true;
    QTest::newRow("contrast back to normal for one child")
        << file + "Kontrast = normal\r\n"
        << "Lena" << 150 << "Andika" << true << true << false;
    static const char junk[] = "\0\xff[\x01=\x02]\n\0\0";
    QTest::newRow("binary junk: defaults")
        << QByteArray(junk, sizeof junk - 1) << "Lena" << 100 << "" << true << true << false;
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
    QTEST(options.highContrast, "highContrast");
    QCOMPARE(options.hearTarget, false);
}

void ReadingOptionsTest::changeKeepsWhatAnotherComputerWrote_data() {
    QTest::addColumn<QString>("user");
    for (const QString& name : {u"Lena"_s, u"[Ben]"_s, u"x = y"_s, u"*"_s})
        QTest::newRow(qPrintable(name)) << name;
}

void ReadingOptionsTest::changeKeepsWhatAnotherComputerWrote() {
    QFETCH(QString, user);
    WorkFolder folder;
    const ReadingOptionsFile file(folder.dir());
    QVERIFY(file.change(user, K::Speech, switchValue(false)));
    // Another computer adds a child and a note of its own after this one read the file.
    folder.write(Opt, folder.read(Opt) + "; Klasse 2b\r\n[Ben]\r\nUmlauttasten = nein\r\n");
    // by hand, so later than the save as the file's time tells (within one clock tick it would
    // look like an old copy on this computer)
    QFile edited(folder.path(Opt));
    QVERIFY(edited.open(QIODevice::ReadWrite) &&
            edited.setFileTime(QDateTime::currentDateTime().addSecs(1),
                               QFileDevice::FileModificationTime));
    QVERIFY(file.change(user, K::Spacing, spacingValue(LetterSpacing::Wider)));
    QCOMPARE(file.optionsFor(u"Ben"_s).umlautKeys, false);
    QCOMPARE(file.optionsFor(user).speech, false);
    QCOMPARE(file.optionsFor(user).spacing, LetterSpacing::Wider);
    // The default section did not take on the child's options.
    QCOMPARE(file.optionsFor(std::nullopt), ReadingOptions{});
}

void ReadingOptionsTest::fileCutShortIsNotWrittenOver() {
    const QByteArray tooLong = QByteArray("a\r\n").repeated(ReadingOptionsFile::MaxLines + 1);
    Fixture f({{Opt, tooLong}});
    QVERIFY(!f.app.readingAids.change(f.dialogs, u"Lena"_s, K::Speech, switchValue(false)));
    QCOMPARE(f.dialogs.prompts(), QStringList{u"Die Lesehilfen konnten nicht gespeichert werden.\r"
                                              u"Die Datei ist zu groß oder beschädigt.\r"_s});
    QCOMPARE(f.folder.read(Opt), tooLong);
}

QTEST_GUILESS_MAIN(ReadingOptionsTest)
#include "test_readingoptions.moc"
