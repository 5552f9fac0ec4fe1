#include "platform/textfile.h"
#include "store/users.h"
#include "support/scripteddialogs.h"
#include "support/workfolder.h"

#include <QSignalSpy>
#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {
const QString Inf = u"TIVORAL.INF"_s;
// LF line ends show whether the program rewrote the file.
const QByteArray AnnaBen("Anna\nBen\n");

// The users of a folder whose users file holds the given bytes.
struct Loaded {
    WorkFolder folder;
    Users users{folder.dir()};
    explicit Loaded(const QByteArray& bytes) {
        folder.write(Inf, bytes);
        QVERIFY(users.load());
    }
};
} // namespace

class UsersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsEveryLineAsName_data();
    void readsEveryLineAsName();
    void selectsUser();
    void addsUser_data();
    void addsUser();
    void reportsUnwritableUsersFile();
    void keepsNamesTheListCouldNotHold();
};

void UsersTest::readsEveryLineAsName_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("empty line is a name")
        << QByteArray("Anna\r\n\r\nBen\r\n") << QStringList{u"Anna"_s, QString(), u"Ben"_s};
    QTest::newRow("comma and blanks stay")
        << QByteArray("M\xFCller, Jan \r\n") << QStringList{u"Müller, Jan "_s};
}

void UsersTest::readsEveryLineAsName() {
    QFETCH(QByteArray, bytes);
    Loaded l(bytes);
    QTEST(l.users.names(), "names");
    QCOMPARE(l.folder.read(Inf), bytes);
}

void UsersTest::selectsUser() {
    Loaded l("Anna\r\n\r\n");
    Users& users = l.users;
    QCOMPARE(users.current(), u"Benutzer"_s);
    QSignalSpy changed(&users, &Users::currentChanged);
    users.selectUser(1);
    QCOMPARE(users.current(), QString());
    QCOMPARE(changed.size(), 1);
    users.selectUser(2);
    QCOMPARE(users.current(), QString());
    QCOMPARE(changed.size(), 1);
}

void UsersTest::addsUser_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("messageTitle"); // empty: no message
    QTest::addColumn<QString>("message");
    const QString duplicate = u"Dieser Name ist schon vorhanden!\r"_s;
    const QString tooLong = u"Der Name ist zu lang: Er darf höchstens 60 Zeichen haben.\r"_s;
    QTest::newRow("new name") << "Carla" << QByteArray("Anna\r\nBen\r\nCarla\r\n") << ""
                              << "";
    QTest::newRow("other case is another name")
        << "anna" << QByteArray("Anna\r\nBen\r\nanna\r\n") << ""
        << "";
    QTest::newRow("blanks count") << " Anna" << QByteArray("Anna\r\nBen\r\n Anna\r\n") << ""
                                  << "";
    QTest::newRow("exact duplicate") << "Anna" << AnnaBen << "Anna:" << duplicate;
    QTest::newRow("cancelled") << "" << AnnaBen << ""
                               << "";
    // One name stays one line of the file, so it is one name after a restart too.
    QTest::newRow("pasted line break")
        << "Lena\r\nMax" << QByteArray("Anna\r\nBen\r\nLenaMax\r\n") << ""
        << "";
    QTest::newRow("tab becomes a blank")
        << "Lena\tMax\x7F" << QByteArray("Anna\r\nBen\r\nLena Max\r\n") << ""
        << "";
    QTest::newRow("duplicate once cleaned") << "Anna\n" << AnnaBen << "Anna:" << duplicate;
    QTest::newRow("60 characters")
        << QString(60, u'x') << "Anna\r\nBen\r\n" + QByteArray(60, 'x') + "\r\n"
        << ""
        << "";
    QTest::newRow("61 characters") << QString(61, u'x') << AnnaBen << "Benutzereingabe" << tooLong;
}

void UsersTest::addsUser() {
    QFETCH(QString, answer);
    QFETCH(QString, messageTitle);
    Loaded l(AnnaBen);
    ScriptedDialogs dialogs;
    dialogs.queueInput(answer);
    l.users.addUser(dialogs);

    const ScriptedDialogs::Box& input = dialogs.boxes.constFirst();
    QVERIFY(input.isInput);
    QCOMPARE(input.prompt, u"Neuer Benutzer:"_s);
    QCOMPARE(input.title, u"Benutzereingabe"_s);
    QCOMPARE(input.defaultText, u"Benutzer"_s);
    QTEST(l.folder.read(Inf), "file");
    QCOMPARE(dialogs.titles(), messageTitle.isEmpty() ? QStringList{} : QStringList{messageTitle});
    if (!messageTitle.isEmpty())
        QTEST(dialogs.last().prompt, "message");
    QCOMPARE(l.users.current(), u"Benutzer"_s);
}

void UsersTest::reportsUnwritableUsersFile() {
    WorkFolder folder;
    QVERIFY(folder.dir().mkdir(Inf));
    Users users(folder.dir());
    ScriptedDialogs dialogs;
    dialogs.queueInput(u"Carla"_s);
    users.addUser(dialogs);
    QCOMPARE(dialogs.messages().size(), 1);
    QCOMPARE(dialogs.last().icon, Icon::Warning);
    QCOMPARE(users.names(), QStringList{u"Carla"_s});
}

// A file with a name too long for the list: adding a user must not drop it from the file.
void UsersTest::keepsNamesTheListCouldNotHold() {
    const QByteArray longName(textfile::ReadLimits::DefaultMaxLineBytes + 1, 'x');
    const QByteArray original = "Anna\r\n" + longName + "\r\nBen\r\n";
    Loaded l(original);
    QCOMPARE(l.users.names(), (QStringList{u"Anna"_s, u"Ben"_s}));
    ScriptedDialogs dialogs;
    dialogs.queueInput(u"Carla"_s);
    l.users.addUser(dialogs);
    QCOMPARE(l.folder.read(Inf), original + "Carla\r\n");
}

QTEST_GUILESS_MAIN(UsersTest)
#include "test_users.moc"
