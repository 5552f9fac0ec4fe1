#include "exerciserun.h"
#include "exercises/dictation.h"
#include "support/recordingspeech.h"

#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

const QString Schule = u"Die Schule macht Spaß."_s;
const QString Rief = u"Er rief: \"Halt!\""_s;

// A dictation over the sentences, with a voice that writes down what it says.
struct DictationRun : ExerciseRun<DictationExercise> {
    DictationRun(const QStringList& sentences, bool hasVoice = true, const QByteArray& options = {})
        : ExerciseRun(sentences) {
        folder.write(u"TIVORAL.OPT"_s, options);
        app.readingAids.reload();
        app.voice.setEngine(std::make_unique<RecordingSpeech>(record, hasVoice));
        app.voice.start();
    }
    SpeechRecord record;
};

} // namespace

class DictationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void marksAreSpokenByName_data();
    void marksAreSpokenByName();
    void nextWordFollowsTheCorrectBeginning_data();
    void nextWordFollowsTheCorrectBeginning();
    void setUpSpeaksAndFinishingBringsAWordAPoint();
    void withoutVoiceTheTeacherIsToldWhatToInstall();
};

void DictationTest::marksAreSpokenByName_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<bool>("announce");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("full stop") << Schule << true << u"Die Schule macht Spaß, Punkt."_s;
    QTest::newRow("direct speech")
        << Rief << true
        << u"Er rief, Doppelpunkt, Anführungszeichen unten, Halt, Ausrufezeichen, "
           "Anführungszeichen oben."_s;
    QTest::newRow("comma and question, typographic quotes")
        << u"Sie fragt: „Kommst du, Tim?“"_s << true
        << u"Sie fragt, Doppelpunkt, Anführungszeichen unten, Kommst du, Komma, Tim, "
           "Fragezeichen, Anführungszeichen oben."_s;
    QTest::newRow("marks not announced") << Rief << false << Rief;
}

void DictationTest::marksAreSpokenByName() {
    QFETCH(QString, sentence);
    QFETCH(bool, announce);
    QTEST(dictationText(sentence, announce), "spoken");
}

void DictationTest::nextWordFollowsTheCorrectBeginning_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("announce");
    QTest::addColumn<QString>("word");
    QTest::newRow("nothing typed") << Schule << QString() << true << u"Die"_s;
    QTest::newRow("a word and its blank") << Schule << u"Die "_s << true << u"Schule"_s;
    QTest::newRow("a word without its blank") << Schule << u"Die"_s << true << u"Schule"_s;
    QTest::newRow("halfway through a word") << Schule << u"Die Sch"_s << true << u"Schule"_s;
    QTest::newRow("a wrong letter") << Schule << u"Die Schu1e m"_s << true << u"Schule"_s;
    QTest::newRow("all but the mark") << Schule << u"Die Schule macht Spaß"_s << true << u"Punkt"_s;
    QTest::newRow("all but the mark, marks not announced")
        << Schule << u"Die Schule macht Spaß"_s << false << Schule;
    QTest::newRow("opening quote after the colon")
        << Rief << u"Er rief: "_s << true << u"Anführungszeichen unten"_s;
    QTest::newRow("closing quote") << Rief << u"Er rief: \"Halt!"_s << true
                                   << u"Anführungszeichen oben"_s;
    QTest::newRow("all typed") << Schule << Schule << true << QString();
}

void DictationTest::nextWordFollowsTheCorrectBeginning() {
    QFETCH(QString, sentence);
    QFETCH(QString, typed);
    QFETCH(bool, announce);
    QTEST(nextDictationWord(sentence, typed, announce), "word");
}

void DictationTest::setUpSpeaksAndFinishingBringsAWordAPoint() {
    DictationRun run({Schule, Rief}, true, "[*]\r\nSatzzeichenAnsagen = nein\r\n");
    QTRY_VERIFY(run.app.voice.isAvailable());
    QVERIFY(run.start());
    QTRY_COMPARE(run.record.said(), QStringList{Schule});
    run.type(u"Die Schu"_s);
    run.exercise.hearNextWord();
    QTRY_COMPARE(run.record.said(), (QStringList{Schule, u"Schule"_s}));
    run.exercise.hearSentence();
    QTRY_COMPARE(run.record.said(), (QStringList{Schule, u"Schule"_s, Schule}));
    run.type(Schule);
    QCOMPARE(run.app.points.value(), 4);
    QCOMPARE(run.dialogs.titles(), QStringList{u"Hördiktat"_s});
    QCOMPARE(run.dialogs.prompts(), QStringList{u"Prima, der Satz ist fertig.\r\r"_s});
    QTRY_COMPARE(run.record.said().constLast(), Rief);
}

void DictationTest::withoutVoiceTheTeacherIsToldWhatToInstall() {
    DictationRun run({Schule}, false);
    QVERIFY(!run.start());
    QCOMPARE(run.dialogs.titles(), QStringList{u"Hördiktat"_s});
    QVERIFY(run.dialogs.prompts().constFirst().startsWith(
        u"Für das Hördiktat wird eine deutsche Stimme gebraucht."_s));
    QVERIFY(run.dialogs.prompts().constFirst().contains(u"espeak-ng"_s));
    QVERIFY(run.record.said().isEmpty());
    QCOMPARE(run.frame.running(), nullptr);
}

QTEST_GUILESS_MAIN(DictationTest)
#include "test_dictation.moc"
