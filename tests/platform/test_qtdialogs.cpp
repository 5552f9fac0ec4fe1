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
    void messageAnswersByButton_data();
    void messageAnswersByButton();
    void inputGivesTextOrEmptyOnCancel_data();
    void inputGivesTextOrEmptyOnCancel();
};

void QtDialogsTest::messageAnswersByButton_data() {
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<Answer>("defaultAnswer");
    QTest::addColumn<bool>("escape");
    QTest::addColumn<QString>("defaultCaption");
    QTest::addColumn<Answer>("answer");
    QTest::newRow("OK") << Buttons::Ok << Answer::No << false << "OK" << Answer::Ok;
    QTest::newRow("default No") << Buttons::YesNo << Answer::No << false << "Nein" << Answer::No;
    QTest::newRow("default Yes") << Buttons::YesNo << Answer::Yes << false << "Ja" << Answer::Yes;
    QTest::newRow("Escape means No") << Buttons::YesNo << Answer::Yes << true << "Ja" << Answer::No;
}

void QtDialogsTest::messageAnswersByButton() {
    QFETCH(Buttons, buttons);
    QFETCH(Answer, defaultAnswer);
    QFETCH(bool, escape);
    QFETCH(QString, defaultCaption);
    QFETCH(Answer, answer);
    QtDialogs dialogs;
    QString caption;
    QString shown;
    whenOpen<QMessageBox>([&](QMessageBox& box) {
        shown = box.text();
        caption = box.defaultButton() ? box.defaultButton()->text() : QStringLiteral("OK");
        if (escape)
            QTest::keyClick(&box, Qt::Key_Escape);
        else if (box.defaultButton())
            box.defaultButton()->click();
        else
            box.accept();
    });
    QCOMPARE(dialogs.message(QStringLiteral("Zeile 3\rlöschen?\r"), QStringLiteral("Tivoral"),
                             buttons, Icon::Question, defaultAnswer),
             answer);
    QCOMPARE(caption, defaultCaption);
    QCOMPARE(shown, QStringLiteral("Zeile 3\nlöschen?\n"));
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
