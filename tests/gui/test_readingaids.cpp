#include "editor/editorwindow.h"
#include "game/gamewindow.h"
#include "platform/windowscale.h"
#include "shell/infowindow.h"
#include "shell/settingswindow.h"
#include "support/recordingspeech.h"
#include "test_mainwindow_fixture.h"

#include <QComboBox>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

const QString First = Defaults.constFirst();

// The default sentences, a voice that writes down what it says, and the child's options.
struct SpeakingProgram : Program {
    explicit SpeakingProgram(bool hasVoice = true, const QByteArray& options = {})
        : Program(options.isEmpty() ? Files{} : Files{{u"TIVORAL.OPT"_s, options}}) {
        app.voice.setEngine(std::make_unique<RecordingSpeech>(said, hasVoice));
        app.voice.start();
        app.readingAids.reload();
        dialogs.clear();
    }
    QStringList said;
};

// Rectangles of every control of a window, by object path, relative to the parent.
QMap<QString, QRect> rectangles(QWidget* window) {
    QMap<QString, QRect> result;
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->objectName().isEmpty() || child->objectName().startsWith(u"qt_"_s) ||
            child->window() != window)
            continue;
        QString path;
        for (QObject* o = child; o && o != window; o = o->parent())
            path.prepend(u"/"_s + o->objectName());
        result.insert(path, child->geometry());
    }
    result.insert(window->objectName(), QRect(QPoint(), window->size()));
    return result;
}

} // namespace

class ReadingAidsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { windowscale::apply(1.0); }
    void speechButtonsSayWhatTheChildSees_data();
    void speechButtonsSayWhatTheChildSees();
    void speechButtonsHiddenWithoutVoiceOrOption_data();
    void speechButtonsHiddenWithoutVoiceOrOption();
    void umlautKeysTypeAtTheCursor_data();
    void umlautKeysTypeAtTheCursor();
    void positionInTheList();
    void everyWindowScalesAsAWhole();
    void settingsPageChangesTheChosenChildAtOnce();
};

void ReadingAidsTest::speechButtonsSayWhatTheChildSees_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("typed"); // for the puzzle: the tile the keyboard goes to
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("said");
    QTest::addColumn<int>("pointsAfter"); // from 5
    const QString dose = u"dosensatzStartButton"_s;
    const QString dosePanel = u"dosensatzPanel"_s;
    QTest::newRow("Vorlesen reads the typed text, free")
        << dose << dosePanel << u"Nach dm"_s << u"vorlesenButton"_s << QStringList{u"Nach dm"_s}
        << 5;
    QTest::newRow("nothing typed: nothing said")
        << dose << dosePanel << QString() << u"vorlesenButton"_s << QStringList() << 5;
    QTest::newRow("the target costs what the Lupe costs")
        << u"verrutscherStartButton"_s << u"verrutscherPanel"_s << u"Na"_s
        << u"satzAnhoerenButton"_s << QStringList{First} << 4;
    QTest::newRow("the Lupe's hint is read with its box")
        << u"mosaicStartButton"_s << u"mosaicPanel"_s << QString() << u"mosaicLupeButton"_s
        << QStringList{First} << 4;
    QTest::newRow("Dosensatz Lupe: the first word")
        << dose << dosePanel << QString() << u"dosensatzLupeButton"_s << QStringList{u"Nach"_s}
        << 4;
    QTest::newRow("puzzle: a tile as the child goes to it, then the placed words")
        << u"puzzleStartButton"_s << u"puzzlePanel"_s << u"puzzleTile7"_s << u"vorlesenButton"_s
        << QStringList{u"NACH"_s, u"Nach "_s} << 5;
}

void ReadingAidsTest::speechButtonsSayWhatTheChildSees() {
    QFETCH(QString, start);
    QFETCH(QString, panel);
    QFETCH(QString, typed);
    QFETCH(QString, button);
    SpeakingProgram program(true, "[*]\r\nSatzAnhoeren = ja\r\n");
    program.click(start.toLatin1().constData());
    program.app.points.set(5);
    auto* shown = program.window.findChild<QWidget*>(panel);
    if (auto* box = shown->findChild<QPlainTextEdit*>()) {
        typeKeys(box, typed);
    } else if (!typed.isEmpty()) {
        QWidget* tile = shown->findChild<QWidget*>(typed);
        QApplication::setActiveWindow(&program.window);
        tile->setFocus(Qt::TabFocusReason);
        QTest::keyClick(tile, Qt::Key_Space);
    }
    auto* pressed = shown->findChild<QAbstractButton*>(button);
    QVERIFY(pressed->isVisible());
    QTest::mouseClick(pressed, Qt::LeftButton);
    QTEST(program.said, "said");
    QTEST(program.app.points.value(), "pointsAfter");
}

void ReadingAidsTest::speechButtonsHiddenWithoutVoiceOrOption_data() {
    QTest::addColumn<bool>("hasVoice");
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<bool>("readShown");
    QTest::addColumn<bool>("targetShown");
    QTest::addColumn<int>("saidCount");   // of the target and the Lupe's hint
    QTest::addColumn<int>("pointsAfter"); // from 5
    QTest::newRow("voice, speech on by default") << true << QByteArray() << true << false << 1 << 4;
    QTest::newRow("target offered by the teacher")
        << true << QByteArray("[*]\nSatzAnhoeren = ja\n") << true << true << 2 << 3;
    QTest::newRow("no voice installed")
        << false << QByteArray("[*]\nSatzAnhoeren = ja\n") << false << false << 0 << 4;
    QTest::newRow("speech off for the children")
        << true << QByteArray("[*]\nVorlesen = nein\nSatzAnhoeren = ja\n") << false << false << 0
        << 4;
}

void ReadingAidsTest::speechButtonsHiddenWithoutVoiceOrOption() {
    QFETCH(bool, hasVoice);
    QFETCH(QByteArray, options);
    SpeakingProgram program(hasVoice, options);
    program.click("dosensatzStartButton");
    QWidget* panel = program.find("dosensatzPanel");
    QTEST(panel->findChild<QWidget*>(u"vorlesenButton"_s)->isVisible(), "readShown");
    QTEST(panel->findChild<QWidget*>(u"satzAnhoerenButton"_s)->isVisible(), "targetShown");
    // A hidden button's operation says nothing and costs nothing either.
    program.app.points.set(5);
    auto& frame = program.window.frame();
    frame.hearTarget(*frame.running());
    frame.useLupe(*frame.running());
    QTEST(int(program.said.size()), "saidCount");
    QTEST(program.app.points.value(), "pointsAfter");
}

void ReadingAidsTest::umlautKeysTypeAtTheCursor_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("box");
    QTest::newRow("Dosensatz") << u"dosensatzStartButton"_s << u"dosensatzAnswerBox"_s;
    QTest::newRow("Mosaiksatz") << u"mosaicStartButton"_s << u"mosaicAnswerBox"_s;
    QTest::newRow("Verrutscher Satz") << u"verrutscherStartButton"_s << u"verrutscherAnswerBox"_s;
}

void ReadingAidsTest::umlautKeysTypeAtTheCursor() {
    QFETCH(QString, start);
    QFETCH(QString, box);
    Program program;
    program.click(start.toLatin1().constData());
    auto* input = program.find<QPlainTextEdit>(box.toLatin1().constData());
    QApplication::setActiveWindow(&program.window);
    input->setFocus();
    typeKeys(input, u"Mllr"_s);
    QTextCursor cursor = input->textCursor();
    cursor.setPosition(1);
    input->setTextCursor(cursor);
    QWidget* row = program.find((box + u"UmlautKeys"_s).toLatin1().constData());
    QVERIFY(row->isVisible());
    QTest::mouseClick(row->findChild<QAbstractButton*>(u"umlautKeyfc"_s), Qt::LeftButton);
    cursor.setPosition(4);
    input->setTextCursor(cursor);
    QTest::mouseClick(row->findChild<QAbstractButton*>(u"umlautKeydf"_s), Qt::LeftButton);
    QCOMPARE(input->toPlainText(), u"Müllßr"_s);
    QCOMPARE(input->textCursor().position(), 5);
    QVERIFY(input->hasFocus());
    // The typing check saw the keys' letters like typed ones.
    QCOMPARE(textColour(input), Red);

    program.folder.write(u"TIVORAL.OPT"_s, "[*]\r\nUmlauttasten = nein\r\n");
    program.app.readingAids.reload();
    QVERIFY(!row->isVisible());
}

void ReadingAidsTest::positionInTheList() {
    Program program;
    program.click("puzzleStartButton");
    program.click("puzzleNewSentenceButton");
    QCOMPARE(program.find("puzzlePanel")->findChild<QLabel*>(u"sentencePosition"_s)->text(),
             u"Satz 2 von 5"_s);
    program.click("puzzleLeaveButton");
    program.click("mosaicStartButton");
    QCOMPARE(program.find("mosaicPanel")->findChild<QLabel*>(u"sentencePosition"_s)->text(),
             u"Satz 1 von 5"_s);
}

void ReadingAidsTest::everyWindowScalesAsAWhole() {
    Program program;
    SettingsWindow settings(program.app);
    EditorWindow editor(program.app);
    GameWindow game(program.app);
    InfoWindow info;
    program.click("dosensatzStartButton"); // an exercise panel shows
    const QList<QWidget*> windows{&program.window, &settings, &editor, &game, &info};
    QList<QMap<QString, QRect>> before;
    for (QWidget* window : windows)
        before.append(rectangles(window));

    constexpr double Factor = 1.5;
    windowscale::apply(Factor);
    int compared = 0;
    for (qsizetype w = 0; w < windows.size(); ++w) {
        const QMap<QString, QRect> after = rectangles(windows.at(w));
        QCOMPARE(after.keys(), before.at(w).keys());
        for (auto it = before.at(w).cbegin(); it != before.at(w).cend(); ++it) {
            const QRect& at100 = it.value();
            const QRect& at150 = after.value(it.key());
            const QList<int> expected{at100.x(), at100.y(), at100.width(), at100.height()};
            const QList<int> got{at150.x(), at150.y(), at150.width(), at150.height()};
            for (qsizetype k = 0; k < expected.size(); ++k)
                QVERIFY2(qAbs(got.at(k) - expected.at(k) * Factor) <= 1.0,
                         qPrintable(it.key() + u" "_s + QString::number(k)));
            ++compared;
        }
    }
    QVERIFY(compared > 100);

    // Back at 100 % every control is where it was, without drifting by rounding.
    windowscale::apply(2.0);
    windowscale::apply(1.0);
    for (qsizetype w = 0; w < windows.size(); ++w) {
        const QMap<QString, QRect> after = rectangles(windows.at(w));
        for (auto it = before.at(w).cbegin(); it != before.at(w).cend(); ++it)
            QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key()));
    }
}

void ReadingAidsTest::settingsPageChangesTheChosenChildAtOnce() {
    Program program({{u"TIVORAL.INF"_s, "Anna\r\nBen\r\n"}, {u"TIVORAL.INI"_s, Settings24}});
    program.app.users.selectUser(1);
    SettingsWindow settings(program.app);
    settings.activate();
    settings.findChild<QAbstractButton*>(u"readingAidsButton"_s)->click();
    auto* child = settings.findChild<QComboBox*>(u"readingAidsChild"_s);
    QVERIFY(child->isVisible());
    child->setCurrentIndex(child->findText(u"Ben"_s));
    auto* fontChoice = settings.findChild<QComboBox*>(u"readerFontChoice"_s);
    QCOMPARE(fontChoice->itemText(1), u"Andika"_s);
    QCOMPARE(fontChoice->itemText(2), u"OpenDyslexic"_s);
    fontChoice->setCurrentIndex(1);
    settings.findChild<QComboBox*>(u"letterSpacingChoice"_s)->setCurrentIndex(2);

    // Ben is the chosen child: his sentences show in his font at once; Anna keeps the default.
    const QFont words = program.find("jumbledWordsDisplay")->font();
    QCOMPARE(words.family(), u"Andika"_s);
    QVERIFY(words.letterSpacing() > 100);
    QCOMPARE(program.find("readingView")->font().family(), u"Andika"_s);
    QCOMPARE(program.app.readingAids.file().optionsFor(u"Anna"_s).fontFamily, QString());
    program.app.users.selectUser(0);
    QCOMPARE(program.find("jumbledWordsDisplay")->font().family(), u"Verdana"_s);
}

QTEST_MAIN(ReadingAidsTest)
#include "test_readingaids.moc"
