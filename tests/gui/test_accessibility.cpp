// Screen readers and keyboard users: every control that is shown and can be operated or read
// has a name, in every window and panel of the program.

#include "support/programdriver.h"

#include <QAccessible>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QToolButton>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

// The installed fonts are listed a moment after the settings window shows.
constexpr int ListFillWaitMs = 5000;

// A control a user can operate or read: a label with text, a button, a text box or list, a scroll
// bar, a drop target or anything that takes the keyboard. The scroll bars and viewport of a scroll
// area belong to the area, which has its own name.
bool needsName(const QWidget* widget) {
    for (const QWidget* up = widget->parentWidget(); up; up = up->parentWidget())
        if (const auto* area = qobject_cast<const QAbstractScrollArea*>(up))
            if (area->verticalScrollBar() == widget || area->horizontalScrollBar() == widget ||
                area->viewport() == widget)
                return false;
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return !label->text().isEmpty();
    return widget->acceptDrops() || widget->focusPolicy() != Qt::NoFocus ||
           qobject_cast<const QAbstractButton*>(widget) ||
           qobject_cast<const QScrollBar*>(widget) ||
           qobject_cast<const QAbstractScrollArea*>(widget);
}

// What a screen reader says about the control (the description falls back to the tool tip).
QString accessibleText(QWidget* widget, QAccessible::Text which) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(which).trimmed() : QString();
}

// What is wrong with the name a screen reader gets for the control; empty when nothing is.
QString nameFault(QWidget* widget) {
    static const QRegularExpression bareNumber(QStringLiteral("^[\\s\\d]*$"));
    const QString name = accessibleText(widget, QAccessible::Name);
    if (name.isEmpty())
        return QStringLiteral("no name");
    if (bareNumber.match(name).hasMatch() &&
        bareNumber.match(accessibleText(widget, QAccessible::Description)).hasMatch())
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
        if (widget->window() != window || !widget->isVisible() || !needsName(widget))
            continue;
        if (const QString fault = nameFault(widget); !fault.isEmpty())
            offenders.append(QString::fromLatin1(widget->metaObject()->className()) + u' ' +
                             widget->objectName() + QStringLiteral(" (") + fault + u')');
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
    // Buttons to click in turn; "name=text" types into a text box, "name+" presses Space on a
    // control, "(play)" plays the reward game to its end.
    QTest::addColumn<QString>("steps");
    // A control that must be on screen (and filled, if a list), so that a broken way there
    // cannot pass unnoticed; its window is checked.
    QTest::addColumn<QString>("shown");
    const auto row = [](const QString& steps, const char* shown) {
        QTest::newRow(shown) << steps << QString::fromLatin1(shown);
    };
    const QString reward = QStringLiteral("dosensatzStartButton dosensatzLeaveButton rewardButton");
    row({}, "sentenceFileList");
    row(u"readingViewButton"_s, "readingView");
    row(u"textCaseButton"_s, "upperCaseOption");
    row(u"userPanelButton"_s, "userList");
    row(u"dosensatzStartButton"_s, "dosensatzAnswerBox");
    row(u"puzzleStartButton puzzleTile2+"_s, "targetField"); // "Oma" placed
    row(u"mosaicStartButton"_s, "mosaicAnswerBox");
    row(u"verrutscherStartButton"_s, "verrutscherAnswerBox");
    row(u"dosensatzStartButton dosensatzLeaveButton"_s, "rewardButton");
    row(u"infoButton"_s, "infoWindow");
    row(u"editorButton sentenceInput="_s + u"Wort_"_s.repeated(19) + u" addSentenceButton"_s,
        "wordLimitWarning");
    row(u"settingsButton"_s, "fontList");
    row(reward, "playingField");
    row(reward + u" (play)"_s, "highScoreList");
}

void AccessibilityTest::everyShownControlHasAName() {
    QFETCH(QString, steps);
    QFETCH(QString, shown);
    ProgramDriver running({{QStringLiteral("SAETZE.TXT"), "Oma kocht.\r\nOpa liest.\r\n"},
                           {QStringLiteral("TIVORAL.INI"), Settings24},
                           {QStringLiteral("TIVORAL.INF"), "Anna\r\nBen\r\n"}});
    running.app.points.set(Settings::DefaultPointLimit);
    running.app.users.selectUser(0); // so that the name displays show more than their start text
    running.dialogs.queueInput(QStringLiteral("2")); // the teacher password, if a step meets it

    for (const QString& step : steps.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype equals = step.indexOf(u'=');
        if (step == QStringLiteral("(play)"))
            running.playGame();
        else if (step.endsWith(u'+'))
            QTest::keyClick(running.find(step.chopped(1)), Qt::Key_Space);
        else if (equals > 0)
            running.find<QLineEdit>(step.left(equals))
                ->setText(step.mid(equals + 1).replace(u'_', u' ').trimmed());
        else
            running.click(step);
        if (QTest::currentTestFailed())
            return;
    }
    QWidget* control = running.find(shown);
    QVERIFY2(control && control->isVisible(), qPrintable(shown + QStringLiteral(" is not shown")));
    auto* list = qobject_cast<QListWidget*>(control);
    QVERIFY2(!list || QTest::qWaitFor([&] { return list->count() > 0; }, ListFillWaitMs),
             qPrintable(shown + QStringLiteral(" stays empty")));

    const QStringList offenders = misnamedControls(control->window());
    QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(QStringLiteral(", "))));
}

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
