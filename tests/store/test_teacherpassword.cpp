#include "platform/folderlock.h"
#include "store/appstate.h"
#include "store/passwordsetup.h"
#include "store/teacherlock.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QLockFile>
#include <QTest>
#include <QTimer>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QString Pwd = QString::fromLatin1(PasswordFile::FileName);
const QString Password = u"Geheim12"_s;
const QString Wrong = u"Geheim13"_s;
constexpr int Count = 3;
const QString Saved = u"Das Lehrer-Passwort ist gespeichert.\r"
                      u"Die Einstellungen und der Satz-Editor öffnen sich jetzt nur noch mit "
                      u"diesem Passwort.\r"_s;

struct Session {
    WorkFolder folder;
    ScriptedDialogs dialogs;
    std::chrono::milliseconds now{1'000'000};
    TeacherLock lock{folder.dir(), [this] { return now; }};

    void setPassword(const QString& password) const {
        QString error;
        QVERIFY2(PasswordFile(folder.dir()).write(passwordhash::hash(password), &error),
                 qPrintable(error));
    }
    bool ask(const QString& answer) {
        // Whatever an earlier step left unasked must not answer this box.
        dialogs.inputs.clear();
        dialogs.queueInput(answer);
        return lock.ask(dialogs, Count);
    }
    bool edit(const QList<Answer>& answers, const QStringList& inputs) {
        for (const Answer answer : answers)
            dialogs.queueAnswer(answer);
        for (const QString& input : inputs)
            dialogs.queueInput(input);
        return PasswordSetup(folder.dir(), dialogs, lock).edit();
    }
    QByteArray entryHash() const {
        return folder.read(Pwd).trimmed().mid(qsizetype(qstrlen(PasswordFile::Key)) + 1);
    }
};

} // namespace

class TeacherPasswordTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wrongAnswersPauseGrowingly();
    void checkLetsTheWindowsPaint();
    void storedEntryHoldsNoTraceAndVerifies_data();
    void storedEntryHoldsNoTraceAndVerifies();
    void refusedChangeKeepsTheOldPassword_data();
    void refusedChangeKeepsTheOldPassword();
    void removalAsksAndBringsBackTheCountLock_data();
    void removalAsksAndBringsBackTheCountLock();
    void busyFolderChangesNothing();
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
        {1ms, Password, false, wait("10 Sekunden"), false},
        {9999ms, Wrong, true, pause("20 Sekunden"), false},
        {19s, Password, false, wait("1 Sekunde"), false},
        {1s, Password, true, QString(), true},
        // The right password starts a fresh count.
        {0ms, Wrong, true, falsch, false},
        {0ms, Wrong, true, falsch, false},
        {0ms, Wrong, true, pause("5 Sekunden"), false},
    };
    Session s;
    s.setPassword(Password);
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const Step& step = steps.at(i);
        const QByteArray where = "step " + QByteArray::number(i + 1);
        s.dialogs.clear();
        s.now += step.wait;
        QVERIFY2(s.ask(step.answer) == step.opens, where);
        QVERIFY2(!s.dialogs.boxes.isEmpty() && s.dialogs.boxes.first().isInput == step.asked,
                 where);
        QCOMPARE(s.dialogs.prompts().value(0), step.message);
        if (!step.message.isEmpty())
            QVERIFY2(s.dialogs.messages().size() == 1, where);
    }
}

void TeacherPasswordTest::checkLetsTheWindowsPaint() {
    Session s;
    s.setPassword(Password);
    bool askReturned = false;
    bool firedDuringCheck = false;
    QTimer::singleShot(0, this, [&] { firedDuringCheck = !askReturned; });
    QVERIFY(s.ask(Password));
    askReturned = true;
    QVERIFY(firedDuringCheck);
}

void TeacherPasswordTest::storedEntryHoldsNoTraceAndVerifies_data() {
    QTest::addColumn<QString>("password");
    QTest::newRow("letters and digits") << Password;
    QTest::newRow("umlauts and ß") << u"Größe 5ß äÖü"_s;
    QTest::newRow("blanks at the ends") << u"  leise  "_s;
}

void TeacherPasswordTest::storedEntryHoldsNoTraceAndVerifies() {
    QFETCH(QString, password);
    Session s;
    QVERIFY(s.edit({}, {password, password}));
    QCOMPARE(s.dialogs.prompts(), QStringList{Saved});
    for (const ScriptedDialogs::Box& box : s.dialogs.boxes)
        QVERIFY(!box.isInput || box.hidesLetters);

    const QByteArray bytes = s.folder.read(Pwd);
    QVERIFY(bytes.startsWith("Lehrerpasswort=$argon2id$v=19$m=65536,t=2,p=1$"));
    QVERIFY(bytes.endsWith("\r\n") && bytes.count('\n') == 1);
    for (const QByteArray& trace :
         {password.toUtf8(), password.toLatin1(), password.trimmed().toUtf8(),
          password.toUtf8().toBase64(), password.toUtf8().toBase64(QByteArray::OmitTrailingEquals)})
        QVERIFY(!bytes.contains(trace));
    QVERIFY(passwordhash::verify(s.entryHash(), password));
    QVERIFY(!passwordhash::verify(s.entryHash(), password.trimmed() + u"!"_s));

    // The same password again: a new salt, so a new entry.
    QVERIFY(s.edit({Answer::Yes}, {password, password}));
    QVERIFY(s.folder.read(Pwd) != bytes);
    QVERIFY(s.ask(password));
}

void TeacherPasswordTest::refusedChangeKeepsTheOldPassword_data() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("message"); // empty: none
    QTest::addColumn<bool>("changed");
    QTest::newRow("too short") << QStringList{u"Ab3de"_s, u"Ab3de"_s}
                               << u"Das Passwort ist zu kurz.\r"
                                  u"Es muss mindestens 6 Zeichen lang sein.\r"_s
                               << false;
    QTest::newRow("exactly six") << QStringList{u"Ab3de6"_s, u"Ab3de6"_s} << Saved << true;
    QTest::newRow("the two differ")
        << QStringList{u"Neues Wort"_s, u"Neues wort"_s}
        << u"Die beiden Eingaben sind verschieden.\rDas Passwort wurde nicht geändert.\r"_s
        << false;
    QTest::newRow("first box cancelled") << QStringList{QString()} << QString() << false;
    QTest::newRow("second box cancelled")
        << QStringList{u"Neues Wort"_s, QString()} << QString() << false;
}

void TeacherPasswordTest::refusedChangeKeepsTheOldPassword() {
    QFETCH(QStringList, inputs);
    QFETCH(QString, message);
    QFETCH(bool, changed);
    Session s;
    s.setPassword(Password);
    const QByteArray before = s.folder.read(Pwd);

    QCOMPARE(s.edit({Answer::Yes}, inputs), changed);
    QCOMPARE(s.dialogs.messages().size(), message.isEmpty() ? 1 : 2);
    QCOMPARE(s.dialogs.messages().constFirst().buttons, Buttons::YesNo);
    if (!message.isEmpty())
        QCOMPARE(s.dialogs.last().prompt, message);
    QCOMPARE(s.folder.read(Pwd) != before, changed);
    QCOMPARE(s.ask(Password), !changed);
}

void TeacherPasswordTest::removalAsksAndBringsBackTheCountLock_data() {
    QTest::addColumn<Answer>("removeAnswer");
    QTest::addColumn<bool>("removed");
    QTest::newRow("teacher says no") << Answer::No << false;
    QTest::newRow("teacher says yes") << Answer::Yes << true;
}

void TeacherPasswordTest::removalAsksAndBringsBackTheCountLock() {
    QFETCH(Answer, removeAnswer);
    QFETCH(bool, removed);
    Session s;
    s.setPassword(Password);
    for (int i = 0; i < TeacherLock::FreeTries; ++i)
        QVERIFY(!s.ask(Wrong));
    s.dialogs.clear();

    QCOMPARE(s.edit({Answer::No, removeAnswer}, {}), removed);
    const QList<ScriptedDialogs::Box> boxes = s.dialogs.messages();
    QCOMPARE(boxes.size(), removed ? 3 : 2);
    QCOMPARE(boxes.at(1).buttons, Buttons::YesNo);
    QCOMPARE(boxes.at(1).defaultAnswer, Answer::No);
    QVERIFY(boxes.at(1).prompt.startsWith(u"Das Lehrer-Passwort wirklich entfernen?\r"_s));
    QCOMPARE(s.folder.exists(Pwd), !removed);

    // Without the password the count opens again at once, pause or not.
    QCOMPARE(s.ask(u"3"_s), removed);
    QCOMPARE(s.ask(Password), false);
}

void TeacherPasswordTest::busyFolderChangesNothing() {
    Session s;
    QLockFile otherCopy(s.folder.path(QString::fromLatin1(FolderLock::FileName)));
    QVERIFY(otherCopy.tryLock());
    QVERIFY(!s.edit({}, {Password, Password}));
    QCOMPARE(s.dialogs.prompts(), QStringList{FolderLock::busyMessage()});
    QVERIFY(!s.folder.exists(Pwd));
}

void TeacherPasswordTest::damagedEntryKeepsTheLockClosed_data() {
    QTest::addColumn<QByteArray>("bytes"); // a null array: a folder in the file's place
    QTest::addColumn<bool>("damaged");
    const QByteArray hash = passwordhash::hash(Password);
    const QByteArray entry = "Lehrerpasswort=" + hash + "\r\n";
    QTest::newRow("as written") << entry << false;
    QTest::newRow("blank lines only: entry deleted") << QByteArray("\r\n  \r\n") << false;
    QTest::newRow("garbage") << QByteArray("\x01\xff kaputt\r\n") << true;
    QTest::newRow("hash cut short") << entry.left(entry.size() / 2) << true;
    QTest::newRow("hash without its name") << hash << true;
    QTest::newRow("other algorithm")
        << QByteArray(entry).replace("$argon2id$", "$argon2i$") << true;
    // Limits that would make one check take minutes or all the memory.
    QTest::newRow("planted huge limits")
        << QByteArray(entry).replace("m=65536", "m=4194304") << true;
    QTest::newRow("two entries") << entry + entry << true;
    QTest::newRow("a folder in its place") << QByteArray() << true;
}

void TeacherPasswordTest::damagedEntryKeepsTheLockClosed() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, damaged);
    Session s;
    if (bytes.isNull())
        QVERIFY(s.folder.dir().mkdir(Pwd));
    else
        s.folder.write(Pwd, bytes);
    const bool hasPassword = bytes.contains("$argon2id$");

    for (const QString& answer : {Password, u"3"_s}) {
        s.dialogs.clear();
        const bool opens = s.ask(answer);
        QCOMPARE(opens, !damaged && (answer == Password) == hasPassword);
        QCOMPARE(s.dialogs.boxes.constFirst().isInput, !damaged);
        if (damaged) {
            QCOMPARE(s.dialogs.prompts(),
                     QStringList{TeacherLock::damagedMessage(s.folder.path(Pwd))});
            QCOMPARE(s.dialogs.last().icon, Icon::Critical);
        }
    }
}

QTEST_GUILESS_MAIN(TeacherPasswordTest)
#include "test_teacherpassword.moc"
