#include "store/appstate.h"
#include "store/passwordsetup.h"
#include "store/teacherlock.h"
#include "support/scripteddialogs.h"
#include "support/workfolder.h"

#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QString Pwd = QString::fromLatin1(PasswordFile::FileName);
const QString Password = u"Geheim12"_s;
const QString Wrong = u"Geheim13"_s;
constexpr int Count = 3;

struct Session {
    WorkFolder folder;
    ScriptedDialogs dialogs;
    std::chrono::milliseconds now{1'000'000};
    TeacherLock lock{folder.dir(), [this] { return now; }};

    void setPassword(const QString& password) const {
        QString error;
        QVERIFY(PasswordFile(folder.dir()).write(passwordhash::hash(password), &error));
    }
    bool ask(const QString& answer) {
        // Whatever an earlier step left unasked must not answer this box.
        dialogs.inputs.clear();
        dialogs.queueInput(answer);
        return lock.ask(dialogs, Count);
    }
};

} // namespace

class TeacherPasswordTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wrongAnswersPauseGrowingly();
    void storedEntryHoldsNoTraceAndVerifies();
    void damagedEntryKeepsTheLockClosed_data();
    void damagedEntryKeepsTheLockClosed();
};

void TeacherPasswordTest::wrongAnswersPauseGrowingly() {
    struct Step {
        std::chrono::milliseconds wait; // before this try
        QString answer;
        bool asked;      // the input box came up
        QString message; // empty: none
        bool opens;
    };
    const QString falsch = u"Das Passwort ist falsch.\r"_s;
    const auto pause = [&](const char* time) -> QString {
        return falsch + u"Der nächste Versuch ist erst in "_s + QLatin1String(time) +
               u" möglich.\r"_s;
    };
    const auto wait = [](const char* time) -> QString {
        return u"Bitte noch "_s + QLatin1String(time) +
               u" warten,\rdann kann das Passwort wieder eingegeben werden.\r"_s;
    };
    const QList<Step> steps = {
        {0ms, Wrong, true, falsch, false},
        {0ms, QString(), true, QString(), false}, // cancelling is no guess
        {0ms, Wrong, true, falsch, false},
        {0ms, Wrong, true, pause("5 Sekunden"), false},
        {4001ms, Password, false, wait("1 Sekunde"), false},
        {999ms, Wrong, true, pause("10 Sekunden"), false},
        {10s, Password, true, QString(), true},
        // The right password starts a fresh count.
        {0ms, Wrong, true, falsch, false},
    };
    Session s;
    s.setPassword(Password);
    for (const Step& step : steps) {
        s.dialogs.clear();
        s.now += step.wait;
        QCOMPARE(s.ask(step.answer), step.opens);
        QVERIFY(!s.dialogs.boxes.isEmpty());
        QCOMPARE(s.dialogs.boxes.first().isInput, step.asked);
        QCOMPARE(s.dialogs.prompts().value(0), step.message);
        QCOMPARE(s.dialogs.messages().size(), step.message.isEmpty() ? 0 : 1);
    }
}

void TeacherPasswordTest::storedEntryHoldsNoTraceAndVerifies() {
    const QString password = u"  Größe 5ß  "_s;
    Session s;
    s.dialogs.queueInput(password);
    s.dialogs.queueInput(password);
    QVERIFY(PasswordSetup(s.folder.dir(), s.dialogs, s.lock).edit());
    for (const ScriptedDialogs::Box& box : s.dialogs.boxes)
        QVERIFY(!box.isInput || box.hidesLetters);

    const QByteArray bytes = s.folder.read(Pwd);
    QVERIFY(bytes.startsWith("Lehrerpasswort=$argon2id$v=19$m=65536,t=2,p=1$"));
    for (const QByteArray& trace : {password.trimmed().toUtf8(), password.toLatin1(),
                                    password.toUtf8().toBase64(QByteArray::OmitTrailingEquals)})
        QVERIFY(!bytes.contains(trace));
    QVERIFY(s.ask(password));
}

void TeacherPasswordTest::damagedEntryKeepsTheLockClosed_data() {
    QTest::addColumn<QByteArray>("bytes"); // a null array: a folder in the file's place
    const QByteArray entry = "Lehrerpasswort=" + passwordhash::hash(Password) + "\r\n";
    // Limits that would make one check take minutes or all the memory.
    QTest::newRow("planted huge limits") << QByteArray(entry).replace("m=65536", "m=4194304");
    QTest::newRow("a folder in its place") << QByteArray();
}

void TeacherPasswordTest::damagedEntryKeepsTheLockClosed() {
    QFETCH(QByteArray, bytes);
    Session s;
    if (bytes.isNull())
        QVERIFY(s.folder.dir().mkdir(Pwd));
    else
        s.folder.write(Pwd, bytes);
    for (const QString& answer : {Password, u"3"_s}) {
        s.dialogs.clear();
        QVERIFY(!s.ask(answer));
        QVERIFY(!s.dialogs.boxes.constFirst().isInput);
        QCOMPARE(s.dialogs.prompts(), QStringList{TeacherLock::damagedMessage(s.folder.path(Pwd))});
        QCOMPARE(s.dialogs.last().icon, Icon::Critical);
    }
}

QTEST_GUILESS_MAIN(TeacherPasswordTest)
#include "test_teacherpassword.moc"
