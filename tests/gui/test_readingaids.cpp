#include "platform/syllablecolours.h"
#include "platform/syllables.h"
#include "shell/settingswindow.h"
#include "support/programdriver.h"
#include "support/recordingspeech.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

class ReadingAidsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void speechButtonsSayWhatTheChildSees_data();
    void speechButtonsSayWhatTheChildSees();
    void umlautKeysTypeAtTheCursor();
    void readingAidsPageActsAtOnce();
    void syllablesInColourFromThePage();
    void withoutPatternsTheSwitchIsNotAvailable();
};

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
    ProgramDriver program({{u"TIVORAL.OPT"_s, "[*]\r\nSatzAnhoeren = ja\r\n"}});
    QStringList said;
    program.app.voice.setEngine(std::make_unique<RecordingSpeech>(said, true));
    program.app.voice.start();
    program.app.readingAids.reload();
    program.click(exercise + u"StartButton"_s);
    program.app.points.set(5);
    auto* shown = program.main().findChild<QWidget*>(exercise + u"Panel"_s);
    ProgramDriver::type(shown->findChild<QPlainTextEdit*>(), typed);
    auto* pressed = shown->findChild<QAbstractButton*>(button);
    QVERIFY(pressed->isVisible());
    QTest::mouseClick(pressed, Qt::LeftButton);
    QTEST(said, "said");
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
