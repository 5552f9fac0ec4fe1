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

#include <functional>
#include <optional>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

const QByteArray Sentences = "Oma kocht.\r\nOpa liest.\r\n";
const QString Password = QStringLiteral("2");
const QString TooManyWords = QStringLiteral("Wort ").repeated(19).trimmed();
constexpr int PointsForTheGame = 150;
constexpr int FontListWaitMs = 5000;

// The scroll bars that a scroll area brings along belong to that area, which has its own name.
bool isScrollAreaPart(const QWidget* widget) {
    for (const QWidget* up = widget->parentWidget(); up; up = up->parentWidget()) {
        if (const auto* area = qobject_cast<const QAbstractScrollArea*>(up))
            if (area->verticalScrollBar() == widget || area->horizontalScrollBar() == widget ||
                area->viewport() == widget)
                return true;
    }
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

// What a screen reader calls the control, and what it adds about it (the tool tip when no
// description is set).
QString accessibleText(QWidget* widget, QAccessible::Text which) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(which).trimmed() : QString();
}
QString accessibleName(QWidget* widget) {
    return accessibleText(widget, QAccessible::Name);
}

bool isBareNumber(const QString& text) {
    static const QRegularExpression bareNumber(QStringLiteral("^[\\s\\d]*$"));
    return bareNumber.match(text).hasMatch();
}

// A label's name replaces its text for the screen reader (labels have no value to read), so a
// name given to a display must still carry what the display shows.
bool hidesItsText(QWidget* widget) {
    const auto* label = qobject_cast<const QLabel*>(widget);
    return label && !label->text().isEmpty() && !widget->accessibleName().isEmpty() &&
           !widget->accessibleName().contains(label->text());
}

// What is wrong with the name a screen reader gets for the control; empty when nothing is.
QString nameFault(QWidget* widget) {
    const QString name = accessibleName(widget);
    if (name.isEmpty())
        return QStringLiteral("no name");
    if (isBareNumber(name) && isBareNumber(accessibleText(widget, QAccessible::Description)))
        return QStringLiteral("a number without saying what it counts");
    if (hidesItsText(widget))
        return QStringLiteral("name hides the text");
    return QString();
}

// The shown controls of a window (and the window itself) whose name is missing or says too
// little.
QStringList unnamedControls(QWidget* window) {
    QStringList offenders;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        if (widget->window() != window || !needsName(widget))
            continue;
        const QString fault = nameFault(widget);
        if (!fault.isEmpty())
            offenders.append(describe(widget) + QStringLiteral(" (") + fault + QLatin1Char(')'));
    }
    return offenders;
}

// The picture buttons (icon, no caption): what the tool tip shows, the screen reader says.
QStringList pictureButtonsNamedOtherwise(QWidget* window) {
    QStringList offenders;
    const QList<QToolButton*> buttons = window->findChildren<QToolButton*>();
    for (QToolButton* button : buttons)
        if (button->isVisible() && button->window() == window && !button->toolTip().isEmpty() &&
            accessibleName(button) != button->toolTip())
            offenders.append(describe(button) + QStringLiteral(": ") + accessibleName(button));
    return offenders;
}

// A started program over a folder of two sentences, with enough points for the reward game.
struct Program {
    Program() {
        folder.write(QStringLiteral("SAETZE.TXT"), Sentences);
        folder.write(QStringLiteral("TIVORAL.INI"), "Verdana\r\n24\r\n100\r\n");
        folder.write(QStringLiteral("TIVORAL.INF"), "Anna\r\nBen\r\n");
        running.emplace(folder.dir());
        running->program.start();
        running->app.points.set(PointsForTheGame);
        // A chosen name, so that the name displays show more than their start text.
        running->app.users.selectUser(0);
    }
    RunningProgram& operator*() { return *running; }
    RunningProgram* operator->() { return &*running; }
    QWidget* main() { return &running->program.mainWindow(); }

    QWidget* openTeacherWindow(const char* lockButton) {
        running->dialogs.queueInput(Password);
        running->click(QString::fromLatin1(lockButton));
        return lockButton == QByteArrayView("Picture8")
                   ? static_cast<QWidget*>(running->program.editorWindow())
                   : static_cast<QWidget*>(running->program.settingsWindow());
    }

    WorkFolder folder;
    std::optional<RunningProgram> running;
};

// Opens one window or view and returns the window to look at.
using Opener = std::function<QWidget*(Program&)>;

struct View {
    const char* name;
    Opener open;
    // A control that must be on screen, so that a broken way there cannot pass unnoticed.
    const char* shown;
};

const QList<View>& views() {
    static const QList<View> list = {
        {"main window with the sentence files", [](Program& p) { return p.main(); }, "File1"},
        {"reading view",
         [](Program& p) {
             p->click(QStringLiteral("Picture25"));
             return p.main();
         },
         "Text4"},
        {"text-case frame",
         [](Program& p) {
             p->click(QStringLiteral("Picture4"));
             return p.main();
         },
         "Option1"},
        {"user panel",
         [](Program& p) {
             p->click(QStringLiteral("Picture6"));
             return p.main();
         },
         "List1"},
        {"Dosensatz",
         [](Program& p) {
             p->click(QStringLiteral("Picture5"));
             return p.main();
         },
         "Text1"},
        {"Satzpuzzle",
         [](Program& p) {
             p->click(QStringLiteral("Picture18"));
             return p.main();
         },
         "ziel"},
        {"Mosaiksatz",
         [](Program& p) {
             p->click(QStringLiteral("Picture32"));
             return p.main();
         },
         "Text3"},
        {"Verrutscher Satz",
         [](Program& p) {
             p->click(QStringLiteral("Picture33"));
             return p.main();
         },
         "Text5"},
        {"reward button",
         [](Program& p) {
             p->click(QStringLiteral("Picture5"));
             p->click(QStringLiteral("Picture12"));
             return p.main();
         },
         "Command3"},
        {"info window",
         [](Program& p) -> QWidget* {
             p->click(QStringLiteral("Picture9"));
             return p.main()->findChild<QWidget*>(QStringLiteral("TIVLABEL"));
         },
         "TIVLABEL"},
        {"sentence editor", [](Program& p) { return p.openTeacherWindow("Picture8"); }, "Text1"},
        {"sentence editor with its word-limit warning",
         [](Program& p) {
             QWidget* editor = p.openTeacherWindow("Picture8");
             p->find<QLineEdit>(QStringLiteral("Text1"))->setText(TooManyWords);
             p->click(QStringLiteral("Picture1"));
             return editor;
         },
         "Command1"},
        {"settings window",
         [](Program& p) -> QWidget* {
             QWidget* settings = p.openTeacherWindow("Picture10");
             // The installed fonts are listed a moment after the window shows.
             auto* fonts = p->find<QListWidget>(QStringLiteral("List1"));
             if (!fonts || !QTest::qWaitFor([&] { return fonts->count() > 0; }, FontListWaitMs))
                 return nullptr;
             return settings;
         },
         "List1"},
        {"Wortfange", [](Program& p) { return p->openRewardGame(); }, "Bild5"},
        {"Wortfange high-score list",
         [](Program& p) {
             p->openRewardGame();
             p->playGame();
             return p->program.gameWindow();
         },
         "Liste1"},
    };
    return list;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyShownControlHasAName_data();
    void everyShownControlHasAName();
    void pictureButtonsSayTheirToolTip_data();
    void pictureButtonsSayTheirToolTip();
};

namespace {

void addViewRows() {
    QTest::addColumn<int>("viewIndex");
    for (int i = 0; i < views().size(); ++i)
        QTest::newRow(views().at(i).name) << i;
}

// Opens the row's view; nullptr (and the test failed) when it did not come up.
QWidget* openView(Program& program, int viewIndex) {
    const View& view = views().at(viewIndex);
    QWidget* window = view.open(program);
    if (!window || !window->isVisible()) {
        QTest::qFail("the window did not open", __FILE__, __LINE__);
        return nullptr;
    }
    const QString shown = QString::fromLatin1(view.shown);
    QWidget* control = window->objectName() == shown ? window : window->findChild<QWidget*>(shown);
    if (!control || !control->isVisible()) {
        QTest::qFail(qPrintable(shown + QStringLiteral(" is not shown")), __FILE__, __LINE__);
        return nullptr;
    }
    return window;
}

} // namespace

void AccessibilityTest::everyShownControlHasAName_data() {
    addViewRows();
}

void AccessibilityTest::everyShownControlHasAName() {
    QFETCH(int, viewIndex);
    Program program;
    QWidget* window = openView(program, viewIndex);
    if (!window)
        return;
    const QStringList offenders = unnamedControls(window);
    QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(QStringLiteral(", "))));
}

void AccessibilityTest::pictureButtonsSayTheirToolTip_data() {
    addViewRows();
}

void AccessibilityTest::pictureButtonsSayTheirToolTip() {
    QFETCH(int, viewIndex);
    Program program;
    QWidget* window = openView(program, viewIndex);
    if (!window)
        return;
    const QStringList offenders = pictureButtonsNamedOtherwise(window);
    QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(QStringLiteral(", "))));
}

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
