#include "platform/qtdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace tivoral;

namespace {

// Runs `act` on the box once it is open, from inside its own event loop.
template <typename Box> void whenOpen(const std::function<void(Box&)>& act) {
    QTimer::singleShot(0, [act] {
        if (auto* box = qobject_cast<Box*>(QApplication::activeModalWidget()))
            act(*box);
    });
}

} // namespace

class QtDialogsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void messageShowsCrAsLineBreak();
    void questionAnswersByButton_data();
    void questionAnswersByButton();
    void inputGivesTextOrEmptyOnCancel_data();
    void inputGivesTextOrEmptyOnCancel();
};

void QtDialogsTest::messageShowsCrAsLineBreak() {
    QtDialogs dialogs;
    QString shown;
    QString title;
    whenOpen<QMessageBox>([&](QMessageBox& box) {
        shown = box.text();
        title = box.windowTitle();
        box.accept();
    });
    const Answer answer =
        dialogs.message(QStringLiteral("Es wurden keine Dosensätze gefunden,\r"
                                       "darum wird eine Standarddatei erzeugt.\r"),
                        QStringLiteral("Dosensätze"), Buttons::Ok, Icon::Warning, Answer::No);
    QCOMPARE(answer, Answer::Ok);
    QCOMPARE(shown, QStringLiteral("Es wurden keine Dosensätze gefunden,\n"
                                   "darum wird eine Standarddatei erzeugt.\n"));
    QCOMPARE(title, QStringLiteral("Dosensätze"));
}

void QtDialogsTest::questionAnswersByButton_data() {
    QTest::addColumn<Answer>("defaultAnswer");
    QTest::addColumn<QString>("press"); // "default" or "escape"
    QTest::addColumn<QString>("defaultCaption");
    QTest::addColumn<Answer>("answer");
    QTest::newRow("default No") << Answer::No << "default"
                                << "Nein" << Answer::No;
    QTest::newRow("default Yes") << Answer::Yes << "default"
                                 << "Ja" << Answer::Yes;
    QTest::newRow("Escape means No") << Answer::Yes << "escape"
                                     << "Ja" << Answer::No;
}

void QtDialogsTest::questionAnswersByButton() {
    QFETCH(Answer, defaultAnswer);
    QFETCH(QString, press);
    QFETCH(QString, defaultCaption);
    QFETCH(Answer, answer);
    QtDialogs dialogs;
    QString caption;
    whenOpen<QMessageBox>([&](QMessageBox& box) {
        caption = box.defaultButton()->text();
        if (press == QLatin1String("default"))
            box.defaultButton()->click();
        else
            QTest::keyClick(&box, Qt::Key_Escape);
    });
    QCOMPARE(dialogs.message(QStringLiteral("Zeile 3 löschen?\r"), QStringLiteral("Tivoral"),
                             Buttons::YesNo, Icon::Question, defaultAnswer),
             answer);
    QCOMPARE(caption, defaultCaption);
}

void QtDialogsTest::inputGivesTextOrEmptyOnCancel_data() {
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("answer");
    QTest::newRow("OK keeps the text") << true << QStringLiteral("Benutzer");
    QTest::newRow("cancel gives empty") << false << QString();
}

void QtDialogsTest::inputGivesTextOrEmptyOnCancel() {
    QFETCH(bool, accept);
    QFETCH(QString, answer);
    QtDialogs dialogs;
    QString prompt;
    whenOpen<QInputDialog>([&](QInputDialog& box) {
        prompt = box.labelText();
        accept ? box.accept() : box.reject();
    });
    QCOMPARE(dialogs.input(QStringLiteral("Neuer Benutzer:"), QStringLiteral("Benutzereingabe"),
                           QStringLiteral("Benutzer")),
             answer);
    QCOMPARE(prompt, QStringLiteral("Neuer Benutzer:"));
}

QTEST_MAIN(QtDialogsTest)
#include "test_qtdialogs.moc"
