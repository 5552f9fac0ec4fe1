#include "test_mainwindow_fixture.h"

#include <QSignalSpy>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

const QString Bauer = QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld.");

} // namespace

class DosensatzWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void typedKeyByKeyTurnsRedAndBlackAndFinishes();
    void helpButtonsShowAndCost_data();
    void helpButtonsShowAndCost();
    void leavingAtTheLimitShowsTheRewardButton_data();
    void leavingAtTheLimitShowsTheRewardButton();
};

void DosensatzWindowTest::typedKeyByKeyTurnsRedAndBlackAndFinishes() {
    Program program;
    program.app.points.set(5);
    program.click("dosensatzStartButton");
    QVERIFY(program.find("dosensatzPanel")->isVisible());
    program.click("dosensatzNewSentenceButton");
    program.click("dosensatzNewSentenceButton");
    auto* input = program.find<QPlainTextEdit>("dosensatzAnswerBox");
    QCOMPARE(program.window.focusWidget(), input);
    QCOMPARE(program.find<QLabel>("jumbledWordsDisplay")->text().size(), Bauer.size() + 1);

    typeKeys(input, QStringLiteral("Der"));
    QCOMPARE(textColour(input), Black);
    QTest::keyClick(input, Qt::Key_B);
    QCOMPARE(textColour(input), Red);
    QTest::keyClick(input, Qt::Key_Backspace);
    QCOMPARE(textColour(input), Black);
    typeKeys(input, QStringLiteral(" d"));
    QCOMPARE(textColour(input), Red);
    QTest::keyClick(input, Qt::Key_Backspace);
    // Enter is never typed into the answer.
    QTest::keyClick(input, Qt::Key_Return);
    QTest::keyClick(input, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(input->toPlainText(), QStringLiteral("Der "));
    QCOMPARE(textColour(input), Black);

    program.dialogs.clear();
    typeKeys(input, Bauer.mid(4));
    QCOMPARE(program.dialogs.prompts(),
             QStringList{QStringLiteral("Prima, der Satz ist fertig.\r\r")});
    QCOMPARE(program.dialogs.last().title, QStringLiteral("Dosensatz"));
    QCOMPARE(program.dialogs.last().icon, Icon::Information);
    QCOMPARE(pointsDisplays(program), QStringList(4, QStringLiteral("13")));
    // The next sentence is laid out with an empty, black input.
    QVERIFY(input->toPlainText().isEmpty());
    QCOMPARE(textColour(input), Black);
    QCOMPARE(program.find<QLabel>("jumbledWordsDisplay")->text(),
             QStringLiteral("AUTO BRINGT DAS DIE IN VATER WERKSTATT. "));
}

void DosensatzWindowTest::helpButtonsShowAndCost_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<QString>("points");
    QTest::newRow("Lupe") << QStringLiteral("dosensatzLupeButton") << QStringLiteral("Nach  . . .")
                          << QStringLiteral("4");
    QTest::newRow("Rettungsring") << QStringLiteral("dosensatzRettungsringButton")
                                  << QStringLiteral("Nach dem Essen mache ich meine Hausaufgaben.")
                                  << QStringLiteral("2");
}

void DosensatzWindowTest::helpButtonsShowAndCost() {
    QFETCH(QString, button);
    QFETCH(QString, firstLine);
    QFETCH(QString, points);
    Program program;
    program.app.points.set(5);
    program.click("dosensatzStartButton");
    program.dialogs.clear();
    program.click(button.toLatin1().constData());
    QCOMPARE(program.dialogs.last().prompt.section(QLatin1Char('\r'), 0, 0), firstLine);
    QCOMPARE(program.find<QLabel>("dosensatzPointsDisplay")->text(), points);
    QCOMPARE(program.window.focusWidget(), program.find("dosensatzAnswerBox"));
}

void DosensatzWindowTest::leavingAtTheLimitShowsTheRewardButton_data() {
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("leave");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("left"); // 0: not shown
    const auto row = [](const char* name, const char* start, const char* leave, int points,
                        int left) {
        QTest::newRow(name) << QByteArray(start) << QByteArray(leave) << points << left;
    };
    row("Dosensatz at the limit", "dosensatzStartButton", "dosensatzLeaveButton", 100, 4800);
    row("Dosensatz one below", "dosensatzStartButton", "dosensatzLeaveButton", 99, 0);
    row("Satzpuzzle", "puzzleStartButton", "puzzleLeaveButton", 100, 4800);
    row("Mosaiksatz", "mosaicStartButton", "mosaicLeaveButton", 100, 1800);
    row("Verrutscher Satz", "verrutscherStartButton", "verrutscherLeaveButton", 100, 1800);
}

void DosensatzWindowTest::leavingAtTheLimitShowsTheRewardButton() {
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, leave);
    QFETCH(int, points);
    QFETCH(int, left);
    Program program;
    program.click(start.constData());
    program.app.points.set(points);
    program.click(leave.constData());
    // The button lies on the panel: hidden with it.
    QVERIFY(!program.find(leave.constData())->isVisible());
    auto* reward = program.find<QAbstractButton>("rewardButton");
    QCOMPARE(reward->isVisible(), left > 0);
    if (left == 0)
        return;
    QCOMPARE(reward->pos(), QPoint(twips(left), twips(3120)));
    QCOMPARE(reward->text(),
             QStringLiteral("Du kannst dir ein Belohnungsspiel abholen . . .         "));
    QSignalSpy game(&program.window.frame(), &ExerciseFrame::rewardGameRequested);
    QTest::mouseClick(reward, Qt::LeftButton);
    QCOMPARE(game.count(), 1);
    QVERIFY(!reward->isVisible());
}

QTEST_MAIN(DosensatzWindowTest)
#include "test_dosensatz.moc"
