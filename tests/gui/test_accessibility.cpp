// Screen readers and keyboard users: every control that is shown and can be operated or read
// has a name, in every window and panel of the program.

#include "runningprogram.h"
#include "support/workfolder.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolButton>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

const QString Password = QStringLiteral("2");
// A view step that plays the reward game to its end; "Name=text" types text into a text box,
// "Name+Space" presses Space on a control.
const QString PlayGame = QStringLiteral("(play)");
const QString SpaceKey = QStringLiteral("+Space");
// The installed fonts are listed a moment after the settings window shows.
constexpr int ListFillWaitMs = 5000;

// The scroll bars that a scroll area brings along belong to that area, which has its own name.
bool isScrollAreaPart(const QWidget* widget) {
    for (const QWidget* up = widget->parentWidget(); up; up = up->parentWidget())
        if (const auto* area = qobject_cast<const QAbstractScrollArea*>(up))
            if (area->verticalScrollBar() == widget || area->horizontalScrollBar() == widget ||
                area->viewport() == widget)
                return true;
    return false;
}

// A control a user can operate or read: buttons, text boxes, lists, scroll bars, labels that
// show text, drop targets, and anything else that takes the keyboard.
bool needsName(const QWidget* widget) {
    if (!widget->isVisible() || isScrollAreaPart(widget))
        return false;
    if (widget->acceptDrops())
        return true;
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return !label->text().isEmpty();
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget) ||
           qobject_cast<const QScrollBar*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) || widget->focusPolicy() != Qt::NoFocus;
}

QString describe(const QWidget* widget) {
    if (!widget->objectName().isEmpty())
        return widget->objectName();
    // An unnamed control: its class and the nearest named parent say where it is.
    const QWidget* named = widget->parentWidget();
    while (named && named->objectName().isEmpty())
        named = named->parentWidget();
    return QString::fromLatin1(widget->metaObject()->className()) + QStringLiteral(" in ") +
           (named ? named->objectName() : QStringLiteral("?"));
}

// What a screen reader says about the control (the description falls back to the tool tip).
QString accessibleText(QWidget* widget, QAccessible::Text which) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(which).trimmed() : QString();
}

bool isBareNumber(const QString& text) {
    static const QRegularExpression bareNumber(QStringLiteral("^[\\s\\d]*$"));
    return bareNumber.match(text).hasMatch();
}

// What is wrong with the name a screen reader gets for the control; empty when nothing is.
QString nameFault(QWidget* widget) {
    const QString name = accessibleText(widget, QAccessible::Name);
    if (name.isEmpty())
        return QStringLiteral("no name");
    if (isBareNumber(name) && isBareNumber(accessibleText(widget, QAccessible::Description)))
        return QStringLiteral("a number without saying what it counts");
    // A label's name replaces its text for the screen reader, so it must still carry the text.
    const auto* label = qobject_cast<const QLabel*>(widget);
    if (label && !widget->accessibleName().isEmpty() &&
        !widget->accessibleName().contains(label->text()))
        return QStringLiteral("name hides the text");
    // A picture button (icon, no caption): what the tool tip shows, the screen reader says.
    const auto* picture = qobject_cast<const QToolButton*>(widget);
    if (picture && !picture->toolTip().isEmpty() && name != picture->toolTip())
        return QStringLiteral("name is not the tool tip: ") + name;
    return QString();
}

// The shown controls of a window (and the window itself) whose name is missing or wrong.
QStringList misnamedControls(QWidget* window) {
    QStringList offenders;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        if (widget->window() != window || !needsName(widget))
            continue;
        if (const QString fault = nameFault(widget); !fault.isEmpty())
            offenders.append(describe(widget) + QStringLiteral(" (") + fault + QLatin1Char(')'));
    }
    return offenders;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyShownControlHasAName_data();
    void everyShownControlHasAName();
};

void AccessibilityTest::everyShownControlHasAName_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("window");
    // A control that must be on screen (and filled, if a list), so that a broken way there
    // cannot pass unnoticed.
    QTest::addColumn<QString>("shown");
    const QStringList reward{QStringLiteral("dosensatzStartButton"),
                             QStringLiteral("dosensatzLeaveButton"),
                             QStringLiteral("rewardButton")};
    const auto row = [](const char* name, const QStringList& steps, const char* window,
                        const char* shown) {
        QTest::newRow(name) << steps << QString::fromLatin1(window) << QString::fromLatin1(shown);
    };
    row("main window with the sentence files", {}, "mainWindow", "sentenceFileList");
    row("reading view", {QStringLiteral("readingViewButton")}, "mainWindow", "readingView");
    row("text-case frame", {QStringLiteral("textCaseButton")}, "mainWindow", "upperCaseOption");
    row("user panel", {QStringLiteral("userPanelButton")}, "mainWindow", "userList");
    row("Dosensatz", {QStringLiteral("dosensatzStartButton")}, "mainWindow", "dosensatzAnswerBox");
    row("Satzpuzzle", {QStringLiteral("puzzleStartButton")}, "mainWindow", "targetField");
    // "Oma" lies on puzzleTile2, after "kocht.".
    row("Satzpuzzle with a word placed",
        {QStringLiteral("puzzleStartButton"), QStringLiteral("puzzleTile2") + SpaceKey},
        "mainWindow", "targetField");
    row("Mosaiksatz", {QStringLiteral("mosaicStartButton")}, "mainWindow", "mosaicAnswerBox");
    row("Verrutscher Satz", {QStringLiteral("verrutscherStartButton")}, "mainWindow",
        "verrutscherAnswerBox");
    row("reward button", reward.first(2), "mainWindow", "rewardButton");
    row("info window", {QStringLiteral("infoButton")}, "infoWindow", "infoWindow");
    row("sentence editor", {QStringLiteral("editorButton")}, "editorWindow", "sentenceInput");
    row("sentence editor with its word-limit warning",
        {QStringLiteral("editorButton"),
         QStringLiteral("sentenceInput=") + QStringLiteral("Wort ").repeated(19).trimmed(),
         QStringLiteral("addSentenceButton")},
        "editorWindow", "wordLimitWarning");
    row("settings window", {QStringLiteral("settingsButton")}, "settingsWindow", "fontList");
    row("Wortfange", reward, "gameWindow", "playingField");
    row("Wortfange high-score list", reward + QStringList{PlayGame}, "gameWindow", "highScoreList");
}

void AccessibilityTest::everyShownControlHasAName() {
    QFETCH(QStringList, steps);
    QFETCH(QString, window);
    QFETCH(QString, shown);
    WorkFolder folder;
    folder.write(QStringLiteral("SAETZE.TXT"), "Oma kocht.\r\nOpa liest.\r\n");
    folder.write(QStringLiteral("TIVORAL.INI"), "Verdana\r\n24\r\n100\r\n");
    folder.write(QStringLiteral("TIVORAL.INF"), "Anna\r\nBen\r\n");
    RunningProgram running(folder.dir());
    running.program.start();
    running.app.points.set(Settings::DefaultPointLimit);
    // A chosen name, so that the name displays show more than their start text.
    running.app.users.selectUser(0);
    running.dialogs.queueInput(Password); // for the teacher lock, if a step meets it

    for (const QString& step : steps) {
        if (step == PlayGame)
            running.playGame();
        else if (step.endsWith(SpaceKey))
            QTest::keyClick(running.find(step.chopped(SpaceKey.size())), Qt::Key_Space);
        else if (const qsizetype equals = step.indexOf(QLatin1Char('=')); equals > 0)
            running.find<QLineEdit>(step.left(equals))->setText(step.mid(equals + 1));
        else
            running.click(step);
        if (QTest::currentTestFailed())
            return;
    }
    auto* shownWindow = running.find(window);
    QVERIFY2(shownWindow && shownWindow->isVisible(), "the window did not open");
    QWidget* control = window == shown ? shownWindow : shownWindow->findChild<QWidget*>(shown);
    QVERIFY2(control && control->isVisible(), qPrintable(shown + QStringLiteral(" is not shown")));
    auto* list = qobject_cast<QListWidget*>(control);
    QVERIFY2(!list || QTest::qWaitFor([&] { return list->count() > 0; }, ListFillWaitMs),
             qPrintable(shown + QStringLiteral(" stays empty")));

    const QStringList offenders = misnamedControls(shownWindow);
    QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(QStringLiteral(", "))));
}

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
