// One run per exercise window through its real widgets: keys into the answer box, real drop
// events onto the puzzle's target field.
#include "exercises/exercisecatalog.h"
#include "exercises/exercisepanel.h"
#include "exercises/puzzlepanel.h"
#include "platform/germanqttexts.h"
#include "support/programdriver.h"
#include "support/recordingspeech.h"
#include "worksheets/worksheetcontent.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QDragEnterEvent>
#include <QMenu>
#include <QMimeData>

#include <algorithm>
#include <memory>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

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
    void everyExerciseOfTheCatalogIsWhole();
    void dictationNeverShowsItsSentence();
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

// A new exercise cannot be half added: a start button, a panel, a record name and its rule on
// paper for every entry.
void ExerciseWindowsTest::everyExerciseOfTheCatalogIsWhole() {
    ProgramDriver program;
    QStringList recordNames;
    QStringList onPaper;
    for (const ExerciseDescriptor& descriptor : exerciseCatalog()) {
        const QString name = descriptor.profile().name;
        QVERIFY2(!name.isEmpty() && !recordNames.contains(name), qPrintable(name));
        recordNames.append(name);
        auto* start = program.find<QAbstractButton>(QLatin1String(descriptor.startButton));
        QVERIFY2(start && start->isVisible(), descriptor.startButton);
        QCOMPARE(start->accessibleName(), QString::fromUtf8(descriptor.startToolTip));
        const auto panels = program.main().findChildren<ExercisePanel*>();
        QVERIFY2(std::any_of(panels.begin(), panels.end(),
                             [&name](QWidget* panel) { return panel->accessibleName() == name; }),
                 qPrintable(name));
        if (descriptor.sheet)
            onPaper.append(name);
    }
    SequenceRandom random({0.5});
    QStringList titles;
    for (const SheetSection& section :
         composeWorksheet(u"A.TXT"_s, Defaults, random, program.app.textCase).sections)
        titles.append(section.title);
    QCOMPARE(titles, onPaper);
}

// The dictation's panel shows no word of the sentence until the child has written it.
void ExerciseWindowsTest::dictationNeverShowsItsSentence() {
    // Outlives the program, whose voice thread may still be speaking as the test ends.
    SpeechRecord record;
    ProgramDriver program({{u"A.TXT"_s, Bauer.toUtf8() + "\r\n"}});
    program.app.voice.setEngine(std::make_unique<RecordingSpeech>(record, true));
    program.app.voice.start();
    QTRY_VERIFY(program.app.voice.isAvailable());
    program.dialogs.clear();
    program.click(u"dictationStartButton"_s);
    QVERIFY(program.shown(u"dictationPanel"_s));
    QTRY_COMPARE(record.said().size(), 1);
    QWidget* panel = program.find(u"dictationPanel"_s);
    const auto showsAWord = [panel] {
        for (QLabel* label : panel->findChildren<QLabel*>())
            if (label->isVisible() && label->text().contains(u"Traktor"_s))
                return true;
        return false;
    };
    QVERIFY(!showsAWord());
    QWidget* box = program.find(u"dictationAnswerBox"_s);
    QCOMPARE(program.focus(), box);
    program.type(box, u"Der Ba"_s);
    program.click(u"hearWordButton"_s);
    QTRY_COMPARE(record.said().constLast(), u"Bauer"_s);
    QCOMPARE(program.focus(), box);
    QVERIFY(!program.find(u"satzAnhoerenButton"_s)->isVisible());
    program.type(box, Bauer.mid(6));
    QCOMPARE(program.dialogs.titles(), (QStringList{u"Hördiktat"_s, u"Dosensätze"_s}));
    QCOMPARE(program.text(u"dictationPointsDisplay"_s), u"8"_s);
}

QTEST_MAIN(ExerciseWindowsTest)
#include "test_exercisewindows.moc"
