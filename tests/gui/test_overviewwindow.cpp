// The teacher's overview through its real widgets: the teacher lock before it, the table of the
// children, and the chart and trouble list of the child chosen.
#include "support/pdftext.h"
#include "support/practicegenerator.h"
#include "support/programdriver.h"

#include "shell/progresschart.h"

#include <QComboBox>
#include <QTableWidget>

using namespace tivoral;
using namespace tivoral::testing;

class OverviewWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsTheChosenChildBehindTheTeacherLock();
};

void OverviewWindowTest::showsTheChosenChildBehindTheTeacherLock() {
    const auto record = generatePractice(QDate::currentDate(), 3);
    ProgramDriver running({{"SAETZE.TXT", "Oma kocht.\r\nOpa liest.\r\n"},
                           {"PROTOKOLL.CSV", practiceRecordBytes(record)}});
    running.dialogs.queueInput("3");
    running.click("overviewButton");
    QCOMPARE(running.dialogs.last().prompt, "Passwort eingeben:");
    QVERIFY(!running.find("overviewWindow"));
    running.dialogs.queueInput("2");
    running.click("overviewButton");
    QWidget* window = running.find("overviewWindow");
    QVERIFY(window && window->isVisible());
    QVERIFY(!running.main().isVisible());
    QCOMPARE(running.find<QTableWidget>("childTable")->rowCount(), 4);

    auto* chooser = running.find<QComboBox>("childChooser");
    chooser->setCurrentIndex(chooser->findText("Clara"));
    int claraFinished = 0;
    for (const PracticeEntry& entry : record)
        claraFinished +=
            entry.user == "Clara" && entry.event == PracticeEntry::Event::SentenceFinished;
    const auto* chart = running.find<ProgressChart>("progressChart");
    QVERIFY(chart->title().startsWith("Clara:"));
    int charted = 0;
    for (const PracticeDay& day : chart->days())
        charted += day.finished;
    QCOMPARE(charted, claraFinished);
    QVERIFY(running.find<QListWidget>("troubleList")->count() > 0);

    // "Bericht drucken": one page with her name, the period and her row of the table.
    running.click("reportButton");
    const QStringList pages = pdfPageTexts(running.folder.path("BERICHT-Clara.PDF"));
    QCOMPARE(pages.size(), 1);
    QVERIFY(pages[0].contains("Lernstand von Clara Zeitraum: Letzte 4 Wochen"));
    auto* table = running.find<QTableWidget>("childTable");
    for (int column = 1; column < table->columnCount(); ++column) {
        const QString pair = table->horizontalHeaderItem(column)->text().replace('\n', ' ') + ": " +
                             table->item(table->currentRow(), column)->text();
        QVERIFY2(pages[0].contains(pair), qPrintable(pair));
    }
    // The chart follows the period.
    auto* period = running.find<QComboBox>("periodChooser");
    period->setCurrentIndex(period->findText("Letzte 7 Tage"));
    QCOMPARE(chart->days().size(), size_t(7));
    QCOMPARE(chooser->currentText(), "Clara");

    running.click("closeOverviewButton");
    QVERIFY(!window->isVisible());
    QVERIFY(running.main().isVisible());
}

QTEST_MAIN(OverviewWindowTest)
#include "test_overviewwindow.moc"
