#include "platform/textfile.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QFile>
#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

const QString Ini = u"TIVORAL.INI"_s;
const QString Inf = u"TIVORAL.INF"_s;
const QByteArray DefaultIni("Verdana\r\n24\r\n100\r\n");
const QByteArray DefaultInf("Freund\r\n");
const QByteArray GoodIni("Arial\r\n20\r\n50\r\n");
// LF line ends show whether the program rewrote a file it should have kept.
const QByteArray GoodInf("Anna\nBen\n");
const QString NoSettings =
    u"Es sind keine Einstellungen gespeichert, verwende Standardwerte.\r\r"_s;

struct Session {
    WorkFolder folder;
    ScriptedDialogs dialogs;
    SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
};

constexpr QFile::Permissions WritableFolder =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsSettingsFile_data();
    void readsSettingsFile();
    void readsFilesIndependently_data();
    void readsFilesIndependently();
    void goesOnWithoutWriteAccess();
    void savesSettings_data();
    void savesSettings();
    void reportsFailedSave();
    void lockOpensOnlyForExactCount_data();
    void lockOpensOnlyForExactCount();
};

void SettingsTest::readsSettingsFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("font");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("limit"); // 0: the file is refused and replaced by the defaults
    QTest::newRow("as written") << GoodIni << "Arial" << 20 << 50;
    QTest::newRow("LF, no final line end") << QByteArray("Arial\n20\n50") << "Arial" << 20 << 50;
    QTest::newRow("quoted fields on one line")
        << QByteArray("\"Comic Sans MS\",\"16\",\"120\"\r\n") << "Comic Sans MS" << 16 << 120;
    QTest::newRow("limit 1") << QByteArray("Arial\r\n20\r\n1\r\n") << "Arial" << 20 << 1;
    QTest::newRow("limit 300") << QByteArray("Arial\r\n20\r\n300\r\n") << "Arial" << 20 << 300;
    QTest::newRow("limit 0") << QByteArray("Arial\r\n20\r\n0\r\n") << "" << 0 << 0;
    QTest::newRow("limit 301") << QByteArray("Arial\r\n20\r\n301\r\n") << "" << 0 << 0;
    QTest::newRow("limit junk") << QByteArray("Arial\r\n20\r\nviel\r\n") << "" << 0 << 0;
    QTest::newRow("font empty") << QByteArray("\r\n20\r\n50\r\n") << "" << 0 << 0;
    QTest::newRow("overlong first line") << QByteArray(5000, 'x') + "\r\nArial\r\n20\r\n50\r\n"
                                         << "" << 0 << 0;
    QTest::newRow("binary junk") << QByteArray("\0\xFF\x01\r\n\x80", 6) << "" << 0 << 0;
}

void SettingsTest::readsSettingsFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, font);
    QFETCH(int, size);
    QFETCH(int, limit);
    Session s;
    s.folder.write(Ini, bytes);
    s.folder.write(Inf, GoodInf);
    loadSettingsAndUsers(s.app);

    QCOMPARE(s.folder.read(Inf), GoodInf);
    if (limit == 0) {
        QCOMPARE(s.dialogs.prompts(), QStringList{NoSettings});
        QCOMPARE(s.folder.read(Ini), DefaultIni);
        QCOMPARE(s.app.settings.pointLimit(), Settings::DefaultPointLimit);
        QCOMPARE(s.app.settings.previewFont(), (FontChoice{u"Verdana"_s, 18}));
        // The sentence displays keep their own fonts until the next start.
        QVERIFY(!s.app.settings.exerciseFont().has_value());
        return;
    }
    QVERIFY(s.dialogs.boxes.isEmpty());
    QCOMPARE(s.folder.read(Ini), bytes);
    const FontChoice expected{font, size};
    QCOMPARE(s.app.settings.previewFont(), expected);
    QCOMPARE(s.app.settings.exerciseFont(), std::optional(expected));
    QCOMPARE(s.app.settings.readingFont(), std::optional(expected));
    QCOMPARE(s.app.settings.pointLimit(), limit);
}

void SettingsTest::readsFilesIndependently_data() {
    QTest::addColumn<QByteArray>("iniBefore");
    QTest::addColumn<QByteArray>("infBefore");
    QTest::addColumn<QByteArray>("iniAfter");
    QTest::addColumn<QByteArray>("infAfter");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("message");
    const QStringList anna{u"Anna"_s, u"Ben"_s};
    const QStringList freund{u"Freund"_s};
    QTest::newRow("first start") << QByteArray() << QByteArray() << DefaultIni << DefaultInf
                                 << freund << true;
    QTest::newRow("both fine") << GoodIni << GoodInf << GoodIni << GoodInf << anna << false;
    QTest::newRow("users file missing")
        << GoodIni << QByteArray() << GoodIni << DefaultInf << freund << true;
    QTest::newRow("settings file missing")
        << QByteArray() << GoodInf << DefaultIni << GoodInf << anna << true;
    QTest::newRow("empty users file is read")
        << GoodIni << QByteArray("") << GoodIni << QByteArray("") << QStringList{} << false;
}

void SettingsTest::readsFilesIndependently() {
    QFETCH(QByteArray, iniBefore);
    QFETCH(QByteArray, infBefore);
    QFETCH(bool, message);
    Session s;
    for (const auto& [name, bytes] : {std::pair{Ini, iniBefore}, std::pair{Inf, infBefore}}) {
        if (bytes.isNull())
            continue;
        s.folder.write(name, bytes);
        QVERIFY(QFile::setPermissions(s.folder.path(name), QFile::ReadOwner));
    }
    loadSettingsAndUsers(s.app);
    QTEST(s.folder.read(Ini), "iniAfter");
    QTEST(s.folder.read(Inf), "infAfter");
    QTEST(s.app.users.names(), "names");
    // Read-only marks go after reading, so that the next save succeeds.
    QVERIFY(!textfile::isReadOnly(s.folder.path(Ini)));
    QVERIFY(!textfile::isReadOnly(s.folder.path(Inf)));
    QCOMPARE(s.dialogs.prompts(), message ? QStringList{NoSettings} : QStringList{});
    if (message) {
        QCOMPARE(s.dialogs.last().title, u"Tivoral"_s);
        QCOMPARE(s.dialogs.last().icon, Icon::None);
    }
}

void SettingsTest::goesOnWithoutWriteAccess() {
    Session s;
    QVERIFY(s.folder.dir().mkdir(Inf)); // a folder where the users file should be
    QFile::setPermissions(s.folder.dir().path(), QFile::ReadOwner | QFile::ExeOwner);
    loadSettingsAndUsers(s.app);
    QFile::setPermissions(s.folder.dir().path(), WritableFolder);
    QCOMPARE(s.dialogs.prompts(), QStringList{NoSettings});
    QCOMPARE(s.app.users.names(), QStringList{u"Freund"_s});
    QCOMPARE(s.app.settings.pointLimit(), 100);
}

void SettingsTest::savesSettings_data() {
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("applied");
    QTest::newRow("chosen font") << u"Comic Sans"_s << u"28"_s << "Comic Sans\r\n28\r\n150\r\n"_ba
                                 << true;
    QTest::newRow("no font chosen") << QString() << u"28"_s << "\r\n28\r\n150\r\n"_ba << false;
    // Quoted where the reader would otherwise split or trim the name.
    QTest::newRow("comma in the name")
        << u"Verdana, Fett"_s << u"10"_s << "\"Verdana, Fett\"\r\n10\r\n150\r\n"_ba << true;
    QTest::newRow("blank at the end")
        << u"Andika "_s << u"32"_s << "\"Andika \"\r\n32\r\n150\r\n"_ba << true;
    QTest::newRow("double quote inside")
        << u"Sans \"Neu\""_s << u"12"_s << "Sans \"Neu\"\r\n12\r\n150\r\n"_ba << true;
}

void SettingsTest::savesSettings() {
    QFETCH(QString, font);
    QFETCH(QString, size);
    Session s;
    s.folder.write(Ini, GoodIni);
    QVERIFY(QFile::setPermissions(s.folder.path(Ini), QFile::ReadOwner));
    QVERIFY(saveSettings(s.app, font, size, u"150"_s));
    QTEST(s.folder.read(Ini), "bytes");
    QCOMPARE(s.dialogs.prompts(),
             QStringList{QStringLiteral("Die Einstellungen für die Schrift und\r"
                                        "das Punktelimit wurden gespeichert.\r\r")});
    QCOMPARE(s.dialogs.last().title, u"Einstellungen"_s);
    QCOMPARE(s.dialogs.last().icon, Icon::Information);
    QTEST(s.app.settings.readingFont().has_value(), "applied");
    if (font.isEmpty())
        return;
    // What was saved is what the next start reads.
    const std::optional<SettingsValues> back = SettingsFile(s.folder.dir()).read();
    QVERIFY(back);
    QCOMPARE(back->font, (FontChoice{font, size.toInt()}));
    QCOMPARE(back->pointLimit, 150);
}

void SettingsTest::reportsFailedSave() {
    Session s;
    QVERIFY(s.folder.dir().mkdir(Ini));
    QVERIFY(!saveSettings(s.app, u"Arial"_s, u"20"_s, u"50"_s));
    QCOMPARE(s.dialogs.messages().size(), 1);
    QCOMPARE(s.dialogs.last().icon, Icon::Warning);
    QVERIFY(!s.app.settings.exerciseFont().has_value());
}

void SettingsTest::lockOpensOnlyForExactCount_data() {
    QTest::addColumn<int>("loadedCount");  // 0: nothing loaded yet
    QTest::addColumn<QString>("password"); // the teacher's; empty: none set
    QTest::addColumn<QString>("answer");   // empty: the box was cancelled
    QTest::addColumn<bool>("opens");
    const QString none;
    const QString password = u"Tafel-Kreide"_s;
    QTest::newRow("exact count") << 3 << none << u"3"_s << true;
    QTest::newRow("leading blank") << 3 << none << u" 3"_s << false;
    QTest::newRow("leading zero") << 3 << none << u"03"_s << false;
    QTest::newRow("cancelled with a file loaded") << 3 << none << QString() << false;
    QTest::newRow("before any load, cancelled") << 0 << none << QString() << true;
    QTest::newRow("before any load, zero") << 0 << none << u"0"_s << false;
    QTest::newRow("password: the count refused") << 3 << password << u"3"_s << false;
    QTest::newRow("password: exact") << 3 << password << password << true;
    QTest::newRow("password: other case") << 3 << password << u"tafel-kreide"_s << false;
    QTest::newRow("password: trailing blank") << 3 << password << u"Tafel-Kreide "_s << false;
    QTest::newRow("password: cancelled before any load") << 0 << password << QString() << false;
}

void SettingsTest::lockOpensOnlyForExactCount() {
    QFETCH(int, loadedCount);
    QFETCH(QString, password);
    QFETCH(QString, answer);
    Session s;
    if (!password.isEmpty()) {
        QString error;
        QVERIFY(PasswordFile(s.folder.dir()).write(passwordhash::hash(password), &error));
    }
    QCOMPARE(s.app.fileStatus.loadedCount(), 0);
    if (loadedCount > 0)
        s.app.fileStatus.setLoaded(loadedCount, u"/s/A.TXT"_s, u"A.TXT"_s);
    s.dialogs.queueInput(answer);
    QTEST(askTeacherPassword(s.app), "opens");
    const ScriptedDialogs::Box& box = s.dialogs.boxes.constFirst();
    QCOMPARE(box.prompt, u"Passwort eingeben:"_s);
    QCOMPARE(box.title, u"Tivoral"_s);
    QCOMPARE(box.defaultText, QString());
    QCOMPARE(box.hidesLetters, !password.isEmpty());
    // The count lock never says a word; a wrong password is told so.
    const bool toldWrong = s.dialogs.prompts().value(0).startsWith(u"Das Passwort ist falsch."_s);
    QCOMPARE(s.dialogs.boxes.size(), toldWrong ? 2 : 1);
    QCOMPARE(toldWrong, !password.isEmpty() && !answer.isEmpty() && answer != password);
}

QTEST_GUILESS_MAIN(SettingsTest)
#include "test_settings.moc"
