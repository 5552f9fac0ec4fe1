// The teacher's overview through its real widgets: the teacher lock before it, the table of the
// children, and the chart and trouble list of the child chosen.
#include "support/programdriver.h"
#include "support/practicegenerator.h"
#include "support/workfolder.h"

#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QListWidget>
#include <QTableWidget>

#include <numeric>

using namespace tivoral;
using namespace tivoral::testing;

namespace {
constexpr int Weeks = 3;
} // namespace

class OverviewWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsTheChosenChildBehindTheTeacherLock();
};

void OverviewWindowTest::showsTheChosenChildBehindTheTeacherLock() {
    WorkFolder folder;
    folder.write(QStringLiteral("SAETZE.TXT"), "Oma kocht.\r\nOpa liest.\r\n");
    const QDate today = QDate::currentDate();
    const auto record = generatePractice(today, Weeks);
    folder.write(QStringLiteral("PROTOKOLL.CSV"), practiceRecordBytes(record));
    ProgramDriver running(folder);

    running.dialogs.queueInput(QStringLiteral("3"));
    running.click(QStringLiteral("overviewButton"));
    QCOMPARE(running.dialogs.last().prompt, QStringLiteral("Passwort eingeben:"));
    QVERIFY(!running.find(QStringLiteral("overviewWindow")));

    running.dialogs.queueInput(QStringLiteral("2"));
    running.click(QStringLiteral("overviewButton"));
    QWidget* window = running.find(QStringLiteral("overviewWindow"));
    QVERIFY(window && window->isVisible());
    QVERIFY(!running.main().isVisible());
    QCOMPARE(running.find<QTableWidget>(QStringLiteral("childTable"))->rowCount(), 4);

    auto* chooser = running.find<QComboBox>(QStringLiteral("childChooser"));
    chooser->setCurrentIndex(chooser->findText(QStringLiteral("Clara")));
    int claraFinished = 0;
    for (const PracticeEntry& entry : record)
        claraFinished += entry.user == QStringLiteral("Clara") &&
                         entry.event == PracticeEntry::Event::SentenceFinished;
    const QChart* chart = running.find<QChartView>(QStringLiteral("progressChart"))->chart();
    QVERIFY(chart->title().startsWith(QStringLiteral("Clara:")));
    const QBarSet* bars = chart->findChild<QBarSet*>();
    QVERIFY(bars);
    double charted = 0;
    for (int day = 0; day < bars->count(); ++day)
        charted += bars->at(day);
    QCOMPARE(int(charted), claraFinished);
    QVERIFY(running.find<QListWidget>(QStringLiteral("troubleList"))->count() > 0);

    running.click(QStringLiteral("closeOverviewButton"));
    QVERIFY(!window->isVisible());
    QVERIFY(running.main().isVisible());
}

QTEST_MAIN(OverviewWindowTest)
#include "test_overviewwindow.moc"
