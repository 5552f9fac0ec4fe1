#include "platform/textfile.h"
#include "store/users.h"
#include "support/scripteddialogs.h"
#include "support/workfolder.h"

#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {
const QString Inf = u"TIVORAL.INF"_s;
const QString Duplicate = u"Dieser Name ist schon vorhanden!\r"_s;
// A name too long for the list must not be dropped from the file when a user is added.
const QByteArray Original = "Anna\r\n" +
                            QByteArray(textfile::ReadLimits::DefaultMaxLineBytes + 1, 'x') +
                            "\r\nM\xFC"
                            "ller, Jan \r\n";
} // namespace

class UsersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addsUser_data();
    void addsUser();
};

void UsersTest::addsUser_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QByteArray>("added"); // empty: the file stays as it was
    QTest::addColumn<QString>("message");  // empty: none
    QTest::newRow("cancelled") << QString() << QByteArray() << QString();
    // One name stays one line of the file, so it is one name after a restart too.
    QTest::newRow("line break, tab") << "Lena\r\nM\tax"
                                     << "LenaM ax\r\n"_ba << QString();
    QTest::newRow("duplicate once cleaned") << "Anna\n" << QByteArray() << Duplicate;
    QTest::newRow("60 long") << QString(60, u'x') << QByteArray(60, 'x') + "\r\n" << QString();
    QTest::newRow("61 long") << QString(61, u'x') << QByteArray()
                             << u"Der Name ist zu lang: Er darf höchstens 60 Zeichen haben.\r"_s;
}

void UsersTest::addsUser() {
    QFETCH(QString, answer);
    QFETCH(QByteArray, added);
    QFETCH(QString, message);
    WorkFolder folder;
    folder.write(Inf, Original);
    Users users(folder.dir());
    QVERIFY(users.load());
    QCOMPARE(users.names(), (QStringList{u"Anna"_s, u"Müller, Jan "_s}));
    ScriptedDialogs dialogs;
    dialogs.queueInput(answer);
    users.addUser(dialogs);

    QCOMPARE(folder.read(Inf), added.isEmpty() ? Original : Original + added);
    QCOMPARE(dialogs.messages().size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QCOMPARE(dialogs.last().prompt, message);
    QCOMPARE(users.current(), u"Benutzer"_s);
}

QTEST_GUILESS_MAIN(UsersTest)
#include "test_users.moc"
