#include "editor/editorwindow.h"
#include "game/gamewindow.h"
#include "platform/windowscale.h"
#include "shell/infowindow.h"
#include "shell/settingswindow.h"
#include "support/programdriver.h"
#include "support/recordingspeech.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

const QString First = Defaults.constFirst();
const QByteArray TargetOffered = "[*]\r\nSatzAnhoeren = ja\r\n";

// The default sentences, a voice that writes down what it says, and the child's options.
struct SpeakingProgram : ProgramDriver {
    explicit SpeakingProgram(bool hasVoice, const QByteArray& options)
        : ProgramDriver(options.isEmpty() ? Files{} : Files{{u"TIVORAL.OPT"_s, options}}) {
        app.voice.setEngine(std::make_unique<RecordingSpeech>(said, hasVoice));
        app.voice.start();
        app.readingAids.reload();
        dialogs.clear();
    }
    QStringList said;
};

// Every named control of a window by object path, with its geometry.
QMap<QString, QRect> rectangles(QWidget* window) {
    QMap<QString, QRect> result{{window->objectName(), QRect(QPoint(), window->size())}};
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->objectName().isEmpty() || child->objectName().startsWith(u"qt_"_s) ||
            child->window() != window)
            continue;
        QString path;
        for (QObject* o = child; o && o != window; o = o->parent())
            path.prepend(u"/"_s + o->objectName());
        result.insert(path, child->geometry());
    }
    return result;
}

// The settings window opened on the reading-aids page for the named child.
QComboBox* openReadingAidsFor(SettingsWindow& settings, const QString& name) {
    settings.activate();
    settings.findChild<QAbstractButton*>(u"readingAidsButton"_s)->click();
    auto* child = settings.findChild<QComboBox*>(u"readingAidsChild"_s);
    child->setCurrentIndex(child->findText(name));
    return child;
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
    void umlautKeysTypeAtTheCursor();
    void everyWindowScalesAsAWhole();
    void settingsPageChangesTheChosenChildAtOnce();
    void recordSwitchAndEmptyButtonServeTheWholeFolder();
};

void ReadingAidsTest::speechButtonsSayWhatTheChildSees_data() {
    QTest::addColumn<QString>("exercise"); // start button <exercise>StartButton, <exercise>Panel
    QTest::addColumn<QString>("typed");    // for the puzzle: the tile the keyboard goes to
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("said");
    QTest::addColumn<int>("pointsAfter"); // from 5
    QTest::newRow("Vorlesen reads the typed text, free")
        << u"dosensatz"_s << u"Nach dm"_s << u"vorlesenButton"_s << QStringList{u"Nach dm"_s} << 5;
    QTest::newRow("nothing typed: nothing said")
        << u"dosensatz"_s << QString() << u"vorlesenButton"_s << QStringList() << 5;
    QTest::newRow("the target costs what the Lupe costs")
        << u"verrutscher"_s << u"Na"_s << u"satzAnhoerenButton"_s << QStringList{First} << 4;
    QTest::newRow("the Lupe's hint is read with its box")
        << u"mosaic"_s << QString() << u"mosaicLupeButton"_s << QStringList{First} << 4;
    QTest::newRow("puzzle: a tile as the child goes to it, then the placed words")
        << u"puzzle"_s << u"puzzleTile7"_s << u"vorlesenButton"_s
        << QStringList{u"NACH"_s, u"Nach "_s} << 5;
}

void ReadingAidsTest::speechButtonsSayWhatTheChildSees() {
    QFETCH(QString, exercise);
    QFETCH(QString, typed);
    QFETCH(QString, button);
    SpeakingProgram program(true, TargetOffered);
    program.click(exercise + u"StartButton"_s);
    program.app.points.set(5);
    auto* shown = program.main().findChild<QWidget*>(exercise + u"Panel"_s);
    if (auto* box = shown->findChild<QPlainTextEdit*>()) {
        ProgramDriver::type(box, typed);
    } else {
        QWidget* tile = shown->findChild<QWidget*>(typed);
        QApplication::setActiveWindow(&program.main());
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
    QTest::newRow("target offered") << true << TargetOffered << true << true << 2 << 3;
    QTest::newRow("no voice installed") << false << TargetOffered << false << false << 0 << 4;
    QTest::newRow("speech off for the children")
        << true << QByteArray("[*]\nVorlesen = nein\nSatzAnhoeren = ja\n") << false << false << 0
        << 4;
}

void ReadingAidsTest::speechButtonsHiddenWithoutVoiceOrOption() {
    QFETCH(bool, hasVoice);
    QFETCH(QByteArray, options);
    SpeakingProgram program(hasVoice, options);
    program.click("dosensatzStartButton");
    QTEST(program.shown("vorlesenButton"), "readShown");
    QTEST(program.shown("satzAnhoerenButton"), "targetShown");
    // A hidden button's operation says nothing and costs nothing either.
    program.app.points.set(5);
    auto& frame = program.main().frame();
    frame.hearTarget(*frame.running());
    frame.useLupe(*frame.running());
    QTEST(int(program.said.size()), "saidCount");
    QTEST(program.app.points.value(), "pointsAfter");
}

void ReadingAidsTest::umlautKeysTypeAtTheCursor() {
    ProgramDriver program;
    program.click("mosaicStartButton");
    auto* input = program.find<QPlainTextEdit>(u"mosaicAnswerBox"_s);
    QApplication::setActiveWindow(&program.main());
    input->setFocus();
    ProgramDriver::type(input, u"Mllr"_s);
    QWidget* row = program.find(u"mosaicAnswerBoxUmlautKeys"_s);
    QVERIFY(row->isVisible());
    for (const auto& [at, key] : {std::pair{1, "umlautKeyfc"}, std::pair{4, "umlautKeydf"}}) {
        QTextCursor cursor = input->textCursor();
        cursor.setPosition(at);
        input->setTextCursor(cursor);
        QTest::mouseClick(row->findChild<QAbstractButton*>(QLatin1String(key)), Qt::LeftButton);
    }
    QCOMPARE(input->toPlainText(), u"Müllßr"_s);
    QCOMPARE(input->textCursor().position(), 5);
    QVERIFY(input->hasFocus());
    QCOMPARE(textColour(input), Red); // the typing check saw the keys' letters

    program.folder.write(u"TIVORAL.OPT"_s, "[*]\r\nUmlauttasten = nein\r\n");
    program.app.readingAids.reload();
    QVERIFY(!row->isVisible());
}

void ReadingAidsTest::everyWindowScalesAsAWhole() {
    ProgramDriver program;
    SettingsWindow settings(program.app);
    EditorWindow editor(program.app);
    GameWindow game(program.app);
    InfoWindow info;
    program.click("dosensatzStartButton"); // an exercise panel shows
    const QList<QWidget*> windows{&program.main(), &settings, &editor, &game, &info};
    QList<QMap<QString, QRect>> before;
    for (QWidget* window : windows)
        before.append(rectangles(window));

    constexpr double Factor = 1.5;
    windowscale::apply(Factor);
    int compared = 0;
    for (qsizetype w = 0; w < windows.size(); ++w) {
        const QMap<QString, QRect> after = rectangles(windows.at(w));
        QCOMPARE(after.keys(), before.at(w).keys());
        for (auto it = before.at(w).cbegin(); it != before.at(w).cend(); ++it, ++compared) {
            const QRect& a = it.value();
            const QRect& b = after.value(it.key());
            const QList<int> expected{a.x(), a.y(), a.width(), a.height()};
            const QList<int> got{b.x(), b.y(), b.width(), b.height()};
            for (qsizetype k = 0; k < expected.size(); ++k)
                QVERIFY2(qAbs(got.at(k) - expected.at(k) * Factor) <= 1.0, qPrintable(it.key()));
        }
    }
    QVERIFY(compared > 100);

    // Back at 100 % every control is where it was, without drifting by rounding.
    windowscale::apply(2.0);
    windowscale::apply(1.0);
    for (qsizetype w = 0; w < windows.size(); ++w)
        QCOMPARE(rectangles(windows.at(w)), before.at(w));
}

void ReadingAidsTest::settingsPageChangesTheChosenChildAtOnce() {
    ProgramDriver program({{u"TIVORAL.INF"_s, "Anna\r\nBen\r\n"}, {u"TIVORAL.INI"_s, Settings24}});
    program.app.users.selectUser(1);
    SettingsWindow settings(program.app);
    QVERIFY(openReadingAidsFor(settings, u"Ben"_s)->isVisible());
    auto* fontChoice = settings.findChild<QComboBox*>(u"readerFontChoice"_s);
    fontChoice->setCurrentIndex(fontChoice->findText(u"Andika"_s));
    settings.findChild<QComboBox*>(u"letterSpacingChoice"_s)->setCurrentIndex(2);
    settings.findChild<QCheckBox*>(u"troubleMoreOftenSwitch"_s)->click();

    // Ben is the chosen child: his sentences show in his font at once; Anna keeps the default.
    const QFont words = program.find("jumbledWordsDisplay")->font();
    QCOMPARE(words.family(), u"Andika"_s);
    QVERIFY(words.letterSpacing() > 100);
    QCOMPARE(program.find("readingView")->font().family(), u"Andika"_s);
    QVERIFY(program.app.readingAids.current().troubleMoreOften);
    QCOMPARE(program.app.readingAids.file().optionsFor(u"Anna"_s).fontFamily, QString());
    QVERIFY(!program.app.readingAids.file().optionsFor(u"Anna"_s).troubleMoreOften);

    // Every control of the page stands clear of the others and within the page.
    auto* page = settings.findChild<QWidget*>(u"readingAidsPage"_s);
    QList<QRect> controls;
    for (QWidget* control : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control->isVisible())
            controls.append(control->geometry());
    for (qsizetype i = 0; i < controls.size(); ++i) {
        QVERIFY(page->rect().contains(controls.at(i)));
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            QVERIFY(!controls.at(i).intersects(controls.at(j)));
    }
    program.app.users.selectUser(0);
    QCOMPARE(program.find("jumbledWordsDisplay")->font().family(), u"Verdana"_s);
}

void ReadingAidsTest::recordSwitchAndEmptyButtonServeTheWholeFolder() {
    const QByteArray lines = PracticeRecord::headerBytes() +
                             "2026-12-06;14:03:12;Ben;Lupe;Dosensatz;A.TXT;Eins.;3;0;1;0\r\n";
    ProgramDriver program({{u"TIVORAL.INF"_s, "Anna\r\nBen\r\n"}, {u"PROTOKOLL.CSV"_s, lines}});
    SettingsWindow settings(program.app);
    openReadingAidsFor(settings, u"Ben"_s); // whichever child the page shows
    auto* recordSwitch = settings.findChild<QCheckBox*>(u"recordSwitch"_s);
    QVERIFY(recordSwitch->isVisible() && recordSwitch->isChecked());
    recordSwitch->click();
    QVERIFY(!program.app.practiceRecord.isOn());
    QVERIFY(!program.folder.read(u"TIVORAL.OPT"_s).contains("[Ben]"));

    auto* empty = settings.findChild<QPushButton*>(u"emptyRecordButton"_s);
    program.dialogs.clear();
    program.dialogs.queueAnswer(Answer::No);
    empty->click();
    QCOMPARE(program.folder.read(u"PROTOKOLL.CSV"_s), lines);
    program.dialogs.queueAnswer(Answer::Yes);
    empty->click();
    QCOMPARE(program.folder.read(u"PROTOKOLL.CSV"_s), PracticeRecord::headerBytes());
    QCOMPARE(program.dialogs.prompts(), QStringList(2, u"Das Übungsprotokoll wirklich leeren?"_s));
}

QTEST_MAIN(ReadingAidsTest)
#include "test_readingaids.moc"
