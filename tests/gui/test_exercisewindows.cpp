// One run per exercise window through its real widgets: keys into the answer box, real drop
// events onto the puzzle's target field.
#include "exercises/puzzlepanel.h"
#include "platform/germanqttexts.h"
#include "support/programdriver.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QDragEnterEvent>
#include <QMenu>
#include <QMimeData>

#include <memory>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

const QString Bauer = QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld.");
constexpr int LongestSentenceBytes = 64 * 1024 - 1;
// The slowest step takes half a second in a release build: room for sanitizer and coverage builds.
constexpr qint64 StepLimitMs = 5000;

// Sends the target the drag-enter and drop events a real drag of `mime` would end with, and
// runs the queued check. Returns whether the target accepted the drag.
bool drop(QWidget* target, QMimeData* mime) {
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &dropped);
    QCoreApplication::processEvents();
    return dropped.isAccepted();
}

PuzzleTile* tileShowing(ProgramDriver& program, const QString& word) {
    for (auto* tile : program.main().findChildren<PuzzleTile*>())
        if (tile->isVisible() && tile->text().compare(word, Qt::CaseInsensitive) == 0)
            return tile;
    return nullptr;
}

// Runs the entry of the box's own right-click menu that reads `german`, without its & mark.
void runMenuEntry(QPlainTextEdit* box, const QString& german) {
    const std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    for (QAction* action : menu->actions())
        if (action->text().remove(u'&').startsWith(german) && action->isEnabled())
            return action->trigger();
    QFAIL(qPrintable(german));
}

} // namespace

class ExerciseWindowsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(installGermanQtTexts(*QCoreApplication::instance())); }
    void sentenceFinishedThroughTheWidgets_data();
    void sentenceFinishedThroughTheWidgets();
    void oddSentencesKeepEveryButtonResponsive_data();
    void oddSentencesKeepEveryButtonResponsive();
};

void ExerciseWindowsTest::sentenceFinishedThroughTheWidgets_data() {
    QTest::addColumn<QString>("panel"); // the prefix of the panel's controls
    // Whether the reading view, moved away by the start, keeps its text.
    QTest::addColumn<bool>("readingTextKept");
    QTest::newRow("Dosensatz") << "dosensatz" << true;
    QTest::newRow("Satzpuzzle, words dropped") << "puzzle" << true;
    QTest::newRow("Mosaiksatz") << "mosaic" << false;
}

void ExerciseWindowsTest::sentenceFinishedThroughTheWidgets() {
    QFETCH(QString, panel);
    QFETCH(bool, readingTextKept);
    ProgramDriver program({{QStringLiteral("A.TXT"), Bauer.toUtf8() + "\r\nHallo Welt.\r\n"}});
    program.app.points.set(5);
    program.click(QStringLiteral("readingViewButton"));
    program.click(panel + "StartButton");
    QVERIFY(program.shown(panel + "Panel"));
    QCOMPARE(program.find(panel + "Panel")->pos(), QPoint(0, 0));
    QVERIFY(!program.shown(QStringLiteral("readingView")));
    QCOMPARE(program.lines(QStringLiteral("readingView")).size(), readingTextKept ? 2 : 0);
    program.dialogs.clear();
    const QString answerBox = panel + "AnswerBox";

    if (panel == "puzzle") {
        QWidget* field = program.find(QStringLiteral("targetField"));
        auto* focused = qobject_cast<PuzzleTile*>(program.focus());
        QVERIFY(focused && focused->isVisible());
        // Neither plain text nor a tile of another running copy lands in the field.
        QMimeData foreign;
        foreign.setText(Bauer.section(QLatin1Char(' '), 0, 0));
        QVERIFY(!drop(field, &foreign));
        const std::unique_ptr<QMimeData> own(focused->dragData());
        QMimeData otherCopy;
        for (const QString& format : own->formats())
            otherCopy.setData(format, "1:" + own->data(format).split(':').constLast());
        QVERIFY(!drop(field, &otherCopy));
        for (const QString& word : Bauer.split(QLatin1Char(' '))) {
            PuzzleTile* tile = tileShowing(program, word);
            QVERIFY2(tile, qPrintable(word));
            const std::unique_ptr<QMimeData> mime(tile->dragData());
            QVERIFY2(drop(field, mime.get()), qPrintable(word));
            QVERIFY(!tile->isVisible());
        }
    } else {
        QWidget* box = program.find(answerBox);
        QCOMPARE(program.focus(), box);
        program.type(box, Bauer.left(3));
        QCOMPARE(textColour(box), Black);
        program.type(box, QStringLiteral("x"));
        QCOMPARE(textColour(box), Red);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(textColour(box), Black);
        // Enter is never typed into the answer.
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(program.find<QPlainTextEdit>(answerBox)->toPlainText(), Bauer.left(3));
        // Qt's menu of the box is German, and what it pastes or takes back is checked as typed.
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        runMenuEntry(program.find<QPlainTextEdit>(answerBox), QStringLiteral("Einfügen"));
        QCOMPARE(textColour(box), Red);
        runMenuEntry(program.find<QPlainTextEdit>(answerBox), QStringLiteral("Rückgängig"));
        QCOMPARE(textColour(box), Black);
        program.type(box, Bauer.mid(3));
        QVERIFY(program.find<QPlainTextEdit>(answerBox)->toPlainText().isEmpty());
        QCOMPARE(textColour(box), Black);
    }
    // One box, the sentence's end; the points it brings show on every panel.
    QCOMPARE(program.dialogs.boxes.size(), 1);
    for (const char* display : {"dosensatz", "puzzle", "mosaic", "verrutscher"})
        QCOMPARE(program.text(display + QStringLiteral("PointsDisplay")), QStringLiteral("13"));
}

void ExerciseWindowsTest::oddSentencesKeepEveryButtonResponsive_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("64 KiB without a blank") << QByteArray(LongestSentenceBytes, 'x');
    QTest::newRow("NUL bytes and control characters")
        << QByteArrayLiteral("Ein\0Satz\t\x01\x1B mit\x7F.");
}

// Each exercise: start, type a letter, then every button; the panels are painted.
void ExerciseWindowsTest::oddSentencesKeepEveryButtonResponsive() {
    QFETCH(QByteArray, line);
    ProgramDriver program({{QStringLiteral("A.TXT"), line + "\r\n"}});
    QCOMPARE(program.app.store.count(), 1);
    const QStringList steps = QStringLiteral("StartButton AnswerBox LupeButton NewSentenceButton "
                                             "InstructionsButton SpielrundeButton LeaveButton")
                                  .split(QLatin1Char(' '));
    for (const char* exercise : {"dosensatz", "puzzle", "mosaic", "verrutscher"}) {
        for (const QString& step : steps) {
            const QDeadlineTimer deadline(StepLimitMs);
            if (auto* box = program.find<QPlainTextEdit>(exercise + step))
                ProgramDriver::type(box, QStringLiteral("W"));
            else if (step != QLatin1String("AnswerBox"))
                program.click(exercise + step);
            QCoreApplication::processEvents();
            QVERIFY2(!deadline.hasExpired(), qPrintable(exercise + step));
        }
    }
    QCOMPARE(program.dialogs.titles().count(QStringLiteral("Anleitung")), 4);
}

QTEST_MAIN(ExerciseWindowsTest)
#include "test_exercisewindows.moc"
