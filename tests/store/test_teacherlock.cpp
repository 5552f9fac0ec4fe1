#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;

class TeacherLockTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensOnlyForExactCount_data();
    void opensOnlyForExactCount();
};

void TeacherLockTest::opensOnlyForExactCount_data() {
    QTest::addColumn<QString>("countLabel");
    QTest::addColumn<QString>("answer"); // empty: the box was cancelled
    QTest::addColumn<bool>("opens");
    QTest::newRow("exact count") << " 3"
                                 << "3" << true;
    QTest::newRow("leading blank") << " 3"
                                   << " 3" << false;
    QTest::newRow("trailing blank") << " 3"
                                    << "3 " << false;
    QTest::newRow("leading zero") << " 3"
                                  << "03" << false;
    QTest::newRow("cancelled with a file loaded") << " 3"
                                                  << "" << false;
    QTest::newRow("largest count") << " 32767"
                                   << "32767" << true;
    QTest::newRow("before any load, cancelled") << "0"
                                                << "" << true;
    QTest::newRow("before any load, zero") << "0"
                                           << "0" << false;
}

void TeacherLockTest::opensOnlyForExactCount() {
    QFETCH(QString, countLabel);
    QFETCH(QString, answer);
    QFETCH(bool, opens);
    WorkFolder folder;
    ScriptedDialogs dialogs;
    SequenceRandom random;
    AppState app(folder.dir(), dialogs, random);
    QCOMPARE(app.fileStatus.mainCount, QStringLiteral("0"));
    app.fileStatus.mainCount = countLabel;
    dialogs.queueInput(answer);
    QCOMPARE(askTeacherPassword(app), opens);
    QCOMPARE(dialogs.boxes.size(), 1);
    QCOMPARE(dialogs.last().prompt, QStringLiteral("Passwort eingeben:"));
    QCOMPARE(dialogs.last().title, QStringLiteral("Tivoral"));
    QCOMPARE(dialogs.last().defaultText, QString());
}

QTEST_GUILESS_MAIN(TeacherLockTest)
#include "test_teacherlock.moc"
