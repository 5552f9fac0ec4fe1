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

    // Empty bytes: no file; null: a folder in the file's place.
    void lay(const QByteArray& bytes) const {
        if (bytes.isNull())
            QVERIFY(folder.dir().mkdir(Pwd));
        else if (!bytes.isEmpty())
            folder.write(Pwd, bytes);
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
    void setupChangesOnlyWhatTheTeacherConfirms_data();
    void setupChangesOnlyWhatTheTeacherConfirms();
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
    s.lay("Lehrerpasswort=" + passwordhash::hash(Password));
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
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray entry = "Lehrerpasswort=" + passwordhash::hash(Password) + "\r\n";
    // Limits that would make one check take minutes or all the memory.
    QTest::newRow("planted huge limits") << QByteArray(entry).replace("m=65536", "m=4194304");
    QTest::newRow("a folder in its place") << QByteArray();
}

void TeacherPasswordTest::damagedEntryKeepsTheLockClosed() {
    QFETCH(QByteArray, bytes);
    Session s;
    s.lay(bytes);
    for (const QString& answer : {Password, u"3"_s}) {
        s.dialogs.clear();
        QVERIFY(!s.ask(answer));
        QVERIFY(!s.dialogs.boxes.constFirst().isInput);
        QCOMPARE(s.dialogs.prompts(), QStringList{TeacherLock::damagedMessage(s.folder.path(Pwd))});
        QCOMPARE(s.dialogs.last().icon, Icon::Critical);
    }
}

void TeacherPasswordTest::setupChangesOnlyWhatTheTeacherConfirms_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("report"); // how the closing box starts; empty: none
    const QByteArray set = "Lehrerpasswort=" + passwordhash::hash(Password);
    const QString isSet = u"Ein Lehrer-Passwort schützt die Einstellungen und den Satzeditor."_s;
    const QString damaged = u"Der Eintrag für das Lehrer-Passwort ist beschädigt."_s;
    const QList<Answer> yes{Answer::Yes}, remove{Answer::No, Answer::Yes};
    const QStringList twice{u"Ab3de6"_s, u"Ab3de6"_s}, none; // six: just long enough
    QTest::newRow("too short") << ""_ba << QList<Answer>{} << QStringList{u"Ab3de"_s}
                               << u"Kein Lehrer-Passwort festgelegt."_s << false
                               << u"Das Passwort ist zu kurz."_s;
    QTest::newRow("the two differ") << set << yes << QStringList{Wrong, Password} << isSet << false
                                    << u"Die beiden Eingaben sind verschieden."_s;
    QTest::newRow("removal declined") << set << QList{Answer::No} << none << isSet << false << "";
    QTest::newRow("removed") << set << remove << none << isSet << true
                             << u"Das Lehrer-Passwort ist entfernt."_s;
    QTest::newRow("damaged entry replaced") << "Lehrerpasswort=x"_ba << yes << twice << damaged
                                            << true << u"Das Lehrer-Passwort ist gespeichert."_s;
    // A folder in the file's place can be neither written over nor removed.
    QTest::newRow("not saved") << QByteArray() << yes << twice << damaged << false
                               << u"Das Lehrer-Passwort konnte nicht gespeichert"_s;
    QTest::newRow("not removed") << QByteArray() << remove << none << damaged << false
                                 << u"Das Lehrer-Passwort konnte nicht entfernt"_s;
}

void TeacherPasswordTest::setupChangesOnlyWhatTheTeacherConfirms() {
    QFETCH(QByteArray, bytes);
    QFETCH(QList<Answer>, answers);
    QFETCH(QStringList, inputs);
    QFETCH(bool, changed);
    QFETCH(QString, report);
    Session s;
    s.lay(bytes);
    s.dialogs.answers.append(answers);
    s.dialogs.inputs.append(inputs);
    PasswordSetup setup(s.folder.dir(), s.dialogs, s.lock);
    QTEST(setup.stateText(), "state");

    QCOMPARE(setup.edit(), changed);
    const ScriptedDialogs::Box last = s.dialogs.messages().constLast();
    QCOMPARE(last.buttons == Buttons::Ok, !report.isEmpty());
    QVERIFY2(last.prompt.startsWith(report), qPrintable(last.prompt));
    QCOMPARE(s.folder.read(Pwd) != bytes, changed);
}

QTEST_GUILESS_MAIN(TeacherPasswordTest)
#include "test_teacherpassword.moc"
