#include "test_mainwindow_fixture.h"

using namespace tivoral;
using namespace tivoral::testing;

namespace {

const QString Bauer = QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld.");

} // namespace

class VerrutscherWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void misprintShownAndCopiedCorrectly();
};

void VerrutscherWindowTest::misprintShownAndCopiedCorrectly() {
    // r = Int(0 · 7) = 0: the wide gaps follow every fifth letter.
    Program program({{QStringLiteral("A.TXT"), Bauer.toUtf8() + "\r\nHallo Welt.\r\n"}}, {0.0});
    program.click("verrutscherStartButton");
    // The fixture's find() reads names as Latin-1; this one has an umlaut.
    QVERIFY(program.window.findChild<QWidget*>(QStringLiteral("verrutscherPanel"))->isVisible());
    // Too long for one line, it breaks only at the wide gaps, and every line fits.
    auto* misprint = program.find<QLabel>("misprintDisplay");
    const QStringList lines = misprint->text().split(QLatin1Char('\n'));
    QVERIFY(lines.size() > 1);
    QCOMPARE(lines.join(QStringLiteral("    ")) + QStringLiteral("    "),
             QStringLiteral("D E R B A    U E R F Ä    H R T M I    T D E M T    R A K T O    "
                            "R A U F S    F E L D .    "));
    const int width = misprint->contentsRect().width() - 2 * misprint->margin();
    for (const QString& line : lines)
        QVERIFY2(misprint->fontMetrics().horizontalAdvance(line) <= width, qPrintable(line));
    QWidget* input = program.find("verrutscherAnswerBox");
    QCOMPARE(program.window.focusWidget(), input);

    typeKeys(input, QStringLiteral("DER"));
    QCOMPARE(textColour(input), Red);
    for (int k = 0; k < 2; ++k)
        QTest::keyClick(input, Qt::Key_Backspace);
    typeKeys(input, Bauer.mid(1));
    QCOMPARE(program.dialogs.last().prompt, QStringLiteral("Prima, der Satz ist fertig.\r"));
    QCOMPARE(program.dialogs.last().title, QStringLiteral("Verrutscher Satz"));
    QCOMPARE(program.find<QLabel>("verrutscherPointsDisplay")->text(), QStringLiteral("8"));
    QCOMPARE(program.find<QLabel>("puzzlePointsDisplay")->text(), QStringLiteral("8"));
    QCOMPARE(program.find<QLabel>("misprintDisplay")->text(),
             QStringLiteral("H A L L O W E L T ."));
    QCOMPARE(program.find<QPlainTextEdit>("verrutscherAnswerBox")->toPlainText(), QString());
    QCOMPARE(textColour(input), Black);
}

QTEST_MAIN(VerrutscherWindowTest)
#include "test_verrutscher.moc"
