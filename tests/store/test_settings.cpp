#include "platform/textfile.h"
#include "store/appstate.h"
#include "support/fixture.h"

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

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsSettingsAndUsers_data();
    void readsSettingsAndUsers();
    void savesSettings_data();
    void savesSettings();
    void lockOpensOnlyForExactCount_data();
    void lockOpensOnlyForExactCount();
};

void SettingsTest::readsSettingsAndUsers_data() {
    QTest::addColumn<QByteArray>("ini"); // null: no file
    QTest::addColumn<QByteArray>("inf"); // null: no file
    QTest::addColumn<QString>("font");   // empty: the defaults replace the settings file
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("message");
    const QStringList anna{u"Anna"_s, u"Ben"_s};
    const QStringList freund{u"Freund"_s};
    QTest::newRow("as written") << GoodIni << GoodInf << u"Arial"_s << 20 << 50 << anna << false;
    QTest::newRow("quoted fields on one line")
        << "\"Comic Sans MS\",\"16\",\"120\"\r\n"_ba << GoodInf << u"Comic Sans MS"_s << 16 << 120
        << anna << false;
    QTest::newRow("limit 301") << "Arial\r\n20\r\n301\r\n"_ba << GoodInf << QString() << 0 << 0
                               << anna << true;
    QTest::newRow("first start") << QByteArray() << QByteArray() << QString() << 0 << 0 << freund
                                 << true;
    QTest::newRow("users file missing")
        << GoodIni << QByteArray() << u"Arial"_s << 20 << 50 << freund << true;
    QTest::newRow("empty users file is read")
        << GoodIni << ""_ba << u"Arial"_s << 20 << 50 << QStringList{} << false;
}

// Each file is read, or replaced by its defaults, on its own.
void SettingsTest::readsSettingsAndUsers() {
    QFETCH(QByteArray, ini);
    QFETCH(QByteArray, inf);
    QFETCH(QString, font);
    QFETCH(int, size);
    QFETCH(int, limit);
    QFETCH(bool, message);
    Fixture s;
    for (const auto& [name, bytes] : {std::pair{Ini, ini}, std::pair{Inf, inf}}) {
        if (bytes.isNull())
            continue;
        s.folder.write(name, bytes);
        QVERIFY(QFile::setPermissions(s.folder.path(name), QFile::ReadOwner));
    }
    loadSettingsAndUsers(s.app);

    QCOMPARE(s.folder.read(Ini), font.isEmpty() ? DefaultIni : ini);
    QCOMPARE(s.folder.read(Inf), inf.isNull() ? DefaultInf : inf);
    QTEST(s.app.users.names(), "names");
    // Read-only marks go after reading, so that the next save succeeds.
    QVERIFY(!textfile::isReadOnly(s.folder.path(Ini)));
    QVERIFY(!textfile::isReadOnly(s.folder.path(Inf)));
    QCOMPARE(s.dialogs.prompts(), message ? QStringList{NoSettings} : QStringList{});
    if (message) {
        QCOMPARE(s.dialogs.last().title, u"Tivoral"_s);
        QCOMPARE(s.dialogs.last().icon, Icon::None);
    }
    if (font.isEmpty()) {
        QCOMPARE(s.app.settings.pointLimit(), Settings::DefaultPointLimit);
        QCOMPARE(s.app.settings.previewFont(), (FontChoice{u"Verdana"_s, 18}));
        // The sentence displays keep their own fonts until the next start.
        QVERIFY(!s.app.settings.exerciseFont().has_value());
        return;
    }
    const FontChoice expected{font, size};
    QCOMPARE(s.app.settings.previewFont(), expected);
    QCOMPARE(s.app.settings.exerciseFont(), std::optional(expected));
    QCOMPARE(s.app.settings.readingFont(), std::optional(expected));
    QCOMPARE(s.app.settings.pointLimit(), limit);
}

void SettingsTest::savesSettings_data() {
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("applied");
    QTest::newRow("no font chosen") << QString() << u"28"_s << "\r\n28\r\n150\r\n"_ba << false;
    // Quoted where the reader would otherwise split or trim the name.
    QTest::newRow("comma in the name")
        << u"Verdana, Fett"_s << u"10"_s << "\"Verdana, Fett\"\r\n10\r\n150\r\n"_ba << true;
}

void SettingsTest::savesSettings() {
    QFETCH(QString, font);
    QFETCH(QString, size);
    Fixture s;
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

void SettingsTest::lockOpensOnlyForExactCount_data() {
    QTest::addColumn<int>("loadedCount");  // 0: nothing loaded yet
    QTest::addColumn<QString>("password"); // the teacher's; empty: none set
    QTest::addColumn<QString>("answer");   // empty: the box was cancelled
    QTest::addColumn<bool>("opens");
    const QString none;
    const QString password = u"Tafel-Kreide"_s;
    QTest::newRow("exact count") << 3 << none << u"3"_s << true;
    QTest::newRow("leading zero") << 3 << none << u"03"_s << false;
    QTest::newRow("before any load, cancelled") << 0 << none << QString() << true;
    QTest::newRow("password: cancelled before any load") << 0 << password << QString() << false;
}

void SettingsTest::lockOpensOnlyForExactCount() {
    QFETCH(int, loadedCount);
    QFETCH(QString, password);
    QFETCH(QString, answer);
    Fixture s;
    if (!password.isEmpty()) {
        QString error;
        QVERIFY(PasswordFile(s.folder.dir()).write(passwordhash::hash(password), &error));
    }
    QCOMPARE(s.app.fileStatus.loadedCount(), 0);
    if (loadedCount > 0)
        s.app.fileStatus.setLoaded(loadedCount, u"/s/A.TXT"_s, u"A.TXT"_s);
    s.dialogs.queueInput(answer);
    QTEST(askTeacherPassword(s.app), "opens");
    QCOMPARE(s.dialogs.boxes.constFirst().hidesLetters, !password.isEmpty());
    // The count lock never says a word; a wrong password is told so.
    const bool toldWrong = s.dialogs.prompts().value(0).startsWith(u"Das Passwort ist falsch."_s);
    QCOMPARE(s.dialogs.boxes.size(), toldWrong ? 2 : 1);
    QCOMPARE(toldWrong, !password.isEmpty() && !answer.isEmpty() && answer != password);
}

QTEST_GUILESS_MAIN(SettingsTest)
#include "test_settings.moc"
