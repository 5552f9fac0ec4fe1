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
    QTest::newRow("quoted fields on one line")
        << "\"Comic Sans MS\",\"16\",\"120\"\r\n"_ba << GoodInf << u"Comic Sans MS"_s << 16 << 120
        << anna << false;
    QTest::newRow("limit 301") << "Arial\r\n20\r\n301\r\n"_ba << GoodInf << QString() << 0 << 0
                               << anna << true;
    QTest::newRow("first start") << QByteArray() << QByteArray() << QString() << 0 << 0 << freund
                                 << true;
    QTest::newRow("users file missing")
        << GoodIni << QByteArray() << u"Arial"_s << 20 << 50 << freund << true;
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

QTEST_GUILESS_MAIN(SettingsTest)
#include "test_settings.moc"
