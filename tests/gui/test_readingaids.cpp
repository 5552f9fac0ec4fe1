#include "exercises/panelstyle.h"
#include "platform/syllablecolours.h"
#include "platform/syllables.h"
#include "platform/windowscale.h"
#include "shell/settingswindow.h"
#include "support/programdriver.h"
#include "support/recordingspeech.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

const QByteArray AndikaWeiter = "[*]\r\nSchrift = Andika\r\nBuchstabenabstand = weiter\r\n";

// Opens an exercise panel ("dosensatzPanel", ...) or the game ("gameWindow").
QWidget* open(ProgramDriver& program, const QString& name) {
    program.app.points.set(Settings::DefaultPointLimit);
    if (name == u"gameWindow"_s)
        return program.openRewardGame();
    program.click(name.chopped(5) + u"StartButton"_s);
    return program.find(name);
}

// The visible texts a child reads under root (the score list's header keeps its fixed pitch).
QList<QWidget*> readTexts(QWidget* root) {
    QList<QWidget*> result;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        const auto* button = qobject_cast<QAbstractButton*>(w);
        if (w->isVisible() && w->objectName() != u"scoreHeader"_s &&
            (qobject_cast<QLabel*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
             (button && !button->text().isEmpty())))
            result.append(w);
    }
    return result;
}

// The contrast of a text against the background it stands on.
double contrastOf(QWidget* w) {
    const bool box = qobject_cast<QPlainTextEdit*>(w);
    QWidget* filled = w;
    while (!box && !filled->autoFillBackground() && filled->parentWidget())
        filled = filled->parentWidget();
    return panelstyle::contrastRatio(
        w->palette().color(box ? QPalette::Text : QPalette::WindowText).rgb(),
        filled->palette().color(box ? QPalette::Base : QPalette::Window).rgb());
}

} // namespace

class ReadingAidsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void speechButtonsSayWhatTheChildSees_data();
    void speechButtonsSayWhatTheChildSees();
    void umlautKeysTypeAtTheCursor();
    void readingAidsPageActsAtOnce();
    void everyTextTakesTheChildsLook_data();
    void everyTextTakesTheChildsLook();
    void helpBoxesFollowTheChild();
    void strayKeysCostNothing_data();
    void strayKeysCostNothing();
    void syllablesInColourFromThePage();
    void withoutPatternsTheSwitchIsNotAvailable();
};

void ReadingAidsTest::everyTextTakesTheChildsLook_data() {
    QTest::addColumn<QString>("window");
    for (const char* name :
         {"dosensatzPanel", "puzzlePanel", "mosaicPanel", "verrutscherPanel", "gameWindow"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void ReadingAidsTest::everyTextTakesTheChildsLook() {
    QFETCH(QString, window);
    const auto normalSize = qScopeGuard([] { windowscale::apply(1.0); });
    ProgramDriver program({{u"TIVORAL.OPT"_s, AndikaWeiter}});
    program.app.readingAids.reload();
    QWidget* shown = open(program, window);
    QHash<QWidget*, qreal> sizes;
    for (QWidget* text : readTexts(shown))
        sizes.insert(text, text->font().pointSizeF());
    QVERIFY(sizes.size() >= 5);

    program.folder.write(u"TIVORAL.OPT"_s, AndikaWeiter + "Fenstergroesse = 200\r\n"
                                                          "Kontrast = hoch\r\n");
    program.app.readingAids.reload();
    const double factor = windowscale::factor(); // 200 %, or the most this screen allows
    QVERIFY(factor > 1.2);
    if (auto* box = shown->findChild<QPlainTextEdit*>())
        ProgramDriver::type(box, u"x"_s); // red: the wrong answer must reach the ratio too
    for (auto it = sizes.cbegin(); it != sizes.cend(); ++it) {
        const QFont font = it.key()->font();
        const QByteArray name = it.key()->objectName().toUtf8();
        QVERIFY2(font.family() == u"Andika"_s && font.letterSpacing() == 130, name);
        QVERIFY2(qAbs(font.pointSizeF() - it.value() * factor) < 0.5, name);
        QVERIFY2(contrastOf(it.key()) >= panelstyle::HighContrastRatio, name);
    }
}

void ReadingAidsTest::helpBoxesFollowTheChild() {
    constexpr double Factor = 1.5;
    const auto normalSize = qScopeGuard([] { windowscale::apply(1.0); });
    windowscale::apply(Factor);
    Fixture f({{u"TIVORAL.OPT"_s, AndikaWeiter}});
    f.app.readingAids.reload();
    QtDialogs dialogs;
    dialogs.setReadingLook(
        [&f] { return panelstyle::readingBoxLook(f.app.settings, f.app.readingAids.current()); });
    const QString prompt = Defaults.at(2) + u"\r"_s + QString(50, u' ') + u"\r"_s;
    QString seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        const QFont font = box->findChild<QLabel*>(u"qt_msgbox_label"_s)->font();
        const bool fits = box->screen()->availableGeometry().contains(box->frameGeometry());
        seen = QStringList{box->windowTitle(),
                           box->text(),
                           box->buttons().constFirst()->text(),
                           font.family(),
                           QString::number(font.pointSizeF()),
                           QString::number(fits)}
                   .join(u'|');
        box->accept();
    });
    dialogs.readingMessage(prompt, u"Gesuchter Satz:"_s, Icon::None);
    const QString text = QString(prompt).replace(u'\r', u'\n');
    const qreal sentencePoints = panelstyle::LayoutFontPoints * Factor;
    QCOMPARE(seen, u"Gesuchter Satz:|%1|OK|Andika|%2|1"_s.arg(text).arg(sentencePoints));
}

void ReadingAidsTest::strayKeysCostNothing_data() {
    QTest::addColumn<QString>("exercise");
    for (const char* name : {"dosensatz", "mosaic", "verrutscher"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void ReadingAidsTest::strayKeysCostNothing() {
    QFETCH(QString, exercise);
    ProgramDriver program;
    QWidget* panel = open(program, exercise + u"Panel"_s);
    program.app.points.set(5);
    program.dialogs.clear();
    QApplication::setActiveWindow(&program.main());
    auto* box = panel->findChild<QPlainTextEdit*>();
    box->setFocus();
    const auto key = [](Qt::Key pressed, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), pressed, modifiers);
    };
    const auto type = [](const QString& text) {
        ProgramDriver::type(QApplication::focusWidget(), text);
    };
    const QString position = panel->findChild<QLabel*>(u"sentencePosition"_s)->text();
    type(u"Nach dem"_s);
    key(Qt::Key_Tab);
    type(u" Essen"_s);
    for (const int tabs : {2, 4, 1}) {
        for (int k = 0; k < tabs; ++k)
            key(Qt::Key_Tab);
        key(Qt::Key_Backtab, Qt::ShiftModifier);
        type(u" "_s);
    }
    QCOMPARE(box->toPlainText(), u"Nach dem Essen   "_s);
    QVERIFY(box->hasFocus() && panel->isVisible() && program.dialogs.boxes.isEmpty());
    QCOMPARE(program.app.points.value(), 5);
    QCOMPARE(panel->findChild<QLabel*>(u"sentencePosition"_s)->text(), position);

    // Ctrl+Tab reaches the buttons; a letter typed there goes to the box, Enter presses.
    key(Qt::Key_Tab, Qt::ControlModifier);
    auto* button = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    QVERIFY(button && panel->isAncestorOf(button));
    type(u"x"_s);
    QCOMPARE(box->toPlainText(), u"Nach dem Essen   x"_s);
    QVERIFY(box->hasFocus());
    key(Qt::Key_Tab, Qt::ControlModifier);
    QSignalSpy pressed(button, &QAbstractButton::clicked);
    key(Qt::Key_Return);
    QCOMPARE(pressed.count(), 1);
}

void ReadingAidsTest::speechButtonsSayWhatTheChildSees_data() {
    QTest::addColumn<QString>("exercise"); // start button <exercise>StartButton, <exercise>Panel
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("said");
    QTest::addColumn<int>("pointsAfter"); // from 5
    QTest::newRow("Vorlesen reads the typed text, free")
        << u"dosensatz"_s << u"Nach dm"_s << u"vorlesenButton"_s << QStringList{u"Nach dm"_s} << 5;
    QTest::newRow("the target costs what the Lupe costs")
        << u"verrutscher"_s << u"Na"_s << u"satzAnhoerenButton"_s
        << QStringList{Defaults.constFirst()} << 4;
    QTest::newRow("the Lupe's hint is read with its box")
        << u"mosaic"_s << QString() << u"mosaicLupeButton"_s << QStringList{Defaults.constFirst()}
        << 4;
}

void ReadingAidsTest::speechButtonsSayWhatTheChildSees() {
    QFETCH(QString, exercise);
    QFETCH(QString, typed);
    QFETCH(QString, button);
    // The default sentences with the target offered, and a voice that writes down what it says.
    // Outlives the program, whose voice thread may still be speaking as the test ends.
    SpeechRecord record;
    ProgramDriver program({{u"TIVORAL.OPT"_s, "[*]\r\nSatzAnhoeren = ja\r\n"}});
    program.app.voice.setEngine(std::make_unique<RecordingSpeech>(record, true));
    program.app.voice.start();
    QTRY_VERIFY(program.app.voice.isAvailable());
    program.app.readingAids.reload();
    program.click(exercise + u"StartButton"_s);
    program.app.points.set(5);
    auto* shown = program.main().findChild<QWidget*>(exercise + u"Panel"_s);
    ProgramDriver::type(shown->findChild<QPlainTextEdit*>(), typed);
    auto* pressed = shown->findChild<QAbstractButton*>(button);
    QVERIFY(pressed->isVisible());
    QTest::mouseClick(pressed, Qt::LeftButton);
    QFETCH(QStringList, said);
    QTRY_COMPARE(record.said(), said);
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

void ReadingAidsTest::readingAidsPageActsAtOnce() {
    const QByteArray lines = PracticeRecord::headerBytes() +
                             "2026-12-06;14:03:12;Ben;Lupe;Dosensatz;A.TXT;Eins.;3;0;1;0\r\n";
    ProgramDriver program({{u"TIVORAL.INF"_s, "Anna\r\nBen\r\n"},
                           {u"TIVORAL.INI"_s, Settings24},
                           {u"PROTOKOLL.CSV"_s, lines}});
    program.app.users.selectUser(1);
    SettingsWindow settings(program.app);
    settings.activate();
    settings.findChild<QAbstractButton*>(u"readingAidsButton"_s)->click();
    auto* child = settings.findChild<QComboBox*>(u"readingAidsChild"_s);
    child->setCurrentIndex(child->findText(u"Ben"_s));
    // The record switch is the folder's, whichever child the page shows; emptying asks first.
    auto* recordSwitch = settings.findChild<QCheckBox*>(u"recordSwitch"_s);
    QVERIFY(recordSwitch->isChecked());
    recordSwitch->click();
    QVERIFY(!program.app.practiceRecord.isOn());
    QVERIFY(!program.folder.read(u"TIVORAL.OPT"_s).contains("[Ben]"));
    auto* fontChoice = settings.findChild<QComboBox*>(u"readerFontChoice"_s);
    fontChoice->setCurrentIndex(fontChoice->findText(u"Andika"_s));

    // Ben is the chosen child: his sentences show in his font at once; Anna keeps the default.
    QCOMPARE(program.find("jumbledWordsDisplay")->font().family(), u"Andika"_s);
    QCOMPARE(program.find("readingView")->font().family(), u"Andika"_s);
    program.app.users.selectUser(0);
    QCOMPARE(program.find("jumbledWordsDisplay")->font().family(), u"Verdana"_s);

    // Every control of the page stands clear of the others and within the page.
    auto* page = settings.findChild<QWidget*>(u"readingAidsPage"_s);
    const QList<QWidget*> controls = page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QWidget* one : controls)
        for (const QWidget* other : controls)
            QVERIFY(!one->isVisible() || (page->rect().contains(one->geometry()) &&
                                          (one == other || !other->isVisible() ||
                                           !one->geometry().intersects(other->geometry()))));

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

void ReadingAidsTest::syllablesInColourFromThePage() {
    ProgramDriver program({{u"TIVORAL.TXT"_s, "Am Abend essen wir Schokolade.\r\n"}});
    SettingsWindow settings(program.app);
    settings.activate();
    settings.findChild<QAbstractButton*>(u"readingAidsButton"_s)->click();
    settings.findChild<QCheckBox*>(u"syllableColoursSwitch"_s)->click();
    QVERIFY(program.folder.read(u"TIVORAL.OPT"_s).contains("SilbenFarbig = ja"));
    program.click("dosensatzStartButton");
    auto* words = program.find<SyllableLabel>(u"jumbledWordsDisplay"_s);

    // In the capitals shown at first, each word starts blue and alternates per syllable.
    static const QRegularExpression piece(u"<span style=\"color: (#[0-9a-f]+)\">([^<]*)</span>"_s);
    QMap<QString, QStringList> colours; // of each word, by its beginning
    QString word;
    qsizetype end = -1;
    for (const QRegularExpressionMatch& match : piece.globalMatch(words->richText())) {
        if (match.capturedStart() != end)
            word.clear();
        end = match.capturedEnd();
        const QStringList before = colours.value(word);
        word += match.captured(2);
        colours[word] = before + QStringList{match.captured(1)};
    }
    const QString blue = ReadingSyllableColours.first.name();
    const QString red = ReadingSyllableColours.second.name();
    QCOMPARE(colours.value(u"SCHOKOLADE."_s), (QStringList{blue, red, blue, red}));
    QCOMPARE(colours.value(u"ABEND"_s), (QStringList{blue, red}));
    QCOMPARE(colours.value(u"WIR"_s), QStringList{blue});

    // The reading view colours its lines the same way.
    program.click("dosensatzLeaveButton");
    program.click("readingViewButton");
    auto* reading = program.find<QPlainTextEdit>(u"readingView"_s);
    QTRY_VERIFY(!reading->document()->firstBlock().layout()->formats().isEmpty());
    QCOMPARE(reading->document()->firstBlock().layout()->formats().at(1).format.foreground(),
             QBrush(ReadingSyllableColours.first)); // "A" of "Abend"

    settings.findChild<QCheckBox*>(u"syllableColoursSwitch"_s)->click();
    QVERIFY(words->richText().isEmpty());
    QVERIFY(reading->document()->firstBlock().layout()->formats().isEmpty());
}

void ReadingAidsTest::withoutPatternsTheSwitchIsNotAvailable() {
    const QTemporaryDir empty;
    setHyphenationFolder(empty.path());
    ProgramDriver program({{u"TIVORAL.OPT"_s, "[*]\r\nSilbenFarbig = ja\r\n"}});
    SettingsWindow settings(program.app);
    settings.activate();
    settings.findChild<QAbstractButton*>(u"readingAidsButton"_s)->click();
    auto* offered = settings.findChild<QCheckBox*>(u"syllableColoursSwitch"_s);
    const bool enabled = offered->isEnabled();
    const QString caption = offered->text();
    program.click("dosensatzStartButton");
    const QString shown = program.find<SyllableLabel>(u"jumbledWordsDisplay"_s)->richText();
    setHyphenationFolder(QString::fromLatin1(SystemHyphenationFolder));
    QVERIFY(!enabled);
    QCOMPARE(caption, u"Silben farbig (nicht verfügbar)"_s);
    QVERIFY(shown.isEmpty());
}

QTEST_MAIN(ReadingAidsTest)
#include "test_readingaids.moc"
