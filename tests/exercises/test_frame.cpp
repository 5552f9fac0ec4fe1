#include "exerciserun.h"
#include "exercises/exercise.h"
#include "exercises/sentencerules.h"
#include "store/practiceentry.h"

#include <QSignalSpy>
#include <QTest>

using namespace tivoral;
using tivoral::testing::ScriptedDialogs;

namespace {

const QString Bauer = QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld.");
const QString Rotation =
    QStringLiteral("Es wurden alle Sätze bearbeitet.\rDie Satzwahl beginnt von vorne.\r\r");
const QString Blanks50 = QString(50, QLatin1Char(' '));

// Records what the frame asks of an exercise.
class RecordingExercise final : public Exercise {
public:
    explicit RecordingExercise(ExerciseFrame& frame) : Exercise(frame, profile()) {}

    static ExerciseProfile profile() {
        ExerciseProfile p;
        p.name = QStringLiteral("Probe");
        p.completionPrompt = QStringLiteral("Fertig.\r");
        p.instructions = {QStringLiteral("Erste Zeile."), QStringLiteral("Zweite Zeile.")};
        return p;
    }

    void setUp(const QString& sentence) override {
        setUps.append(sentence);
        ready = true;
    }
    bool isSetUp() const override { return ready; }

    QStringList setUps;
    bool ready = false;
};

using FrameRun = testing::ExerciseRun<RecordingExercise>;

QStringList sentences(int count) {
    QStringList result;
    for (int i = 1; i <= count; ++i)
        result.append(QStringLiteral("Satz Nummer %1.").arg(i));
    return result;
}

} // namespace

class FrameTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startWithEmptyStoreIsRefused();
    void lastSentenceRotatesToTheFirst_data();
    void lastSentenceRotatesToTheFirst();
    void nextSentenceWrapsWithoutMessage();
    void helpToolsShowAndCost_data();
    void helpToolsShowAndCost();
    void spielrundeAndInstructionsTexts();
    void rewardButtonNeedsTheLimit_data();
    void rewardButtonNeedsTheLimit();
    void rewardButtonHidesWhenClicked();
    void countWords_data();
    void countWords();
    void checkTyping_data();
    void checkTyping();
    void emptiedStoreLeavesTheExercise_data();
    void emptiedStoreLeavesTheExercise();
    void shortenedStoreStartsFromTheTop();
    void troubleSentenceAfterEveryThird_data();
    void troubleSentenceAfterEveryThird();
};

void FrameTest::startWithEmptyStoreIsRefused() {
    FrameRun run({});
    QSignalSpy shown(&run.frame, &ExerciseFrame::panelShown);
    QVERIFY(!run.start());
    QCOMPARE(shown.count(), 0);
    QVERIFY(run.exercise.setUps.isEmpty());
    QCOMPARE(run.dialogs.prompts(), QStringList{QStringLiteral("Es ist keine Datei geladen.\r\r")});
    QCOMPARE(run.dialogs.last().title, QStringLiteral("Datei laden"));
}

void FrameTest::lastSentenceRotatesToTheFirst_data() {
    QTest::addColumn<int>("count");
    QTest::newRow("one sentence rotates to itself") << 1;
    QTest::newRow("three sentences in order") << 3;
}

void FrameTest::lastSentenceRotatesToTheFirst() {
    QFETCH(int, count);
    const QStringList list = sentences(count);
    FrameRun run(list);
    QVERIFY(run.start());
    for (int i = 0; i < count; ++i)
        run.frame.completeSentence(run.exercise, 2);
    QCOMPARE(run.exercise.setUps, list + QStringList{list.first()});
    QCOMPARE(run.dialogs.prompts().count(Rotation), 1);
    QCOMPARE(run.dialogs.prompts().constLast(), Rotation);
    QCOMPARE(run.dialogs.titles().constLast(), QStringLiteral("Dosensätze"));
    QCOMPARE(run.frame.target(), list.first());
    QCOMPARE(run.app.points.value(), 2 * count);

    // Leaving and coming back starts from the top again.
    run.frame.completeSentence(run.exercise, 2);
    QCOMPARE(run.app.store.selected(), count > 1 ? 1 : 0);
    run.frame.leaveExercise(run.exercise);
    run.start();
    QCOMPARE(run.exercise.setUps.constLast(), list.first());
}

void FrameTest::nextSentenceWrapsWithoutMessage() {
    const QStringList three = sentences(3);
    FrameRun run(three);
    run.start();
    for (int k = 0; k < 3; ++k)
        run.frame.nextSentence(run.exercise);
    QCOMPARE(run.exercise.setUps, three + QStringList{three[0]});
    QVERIFY(run.dialogs.boxes.isEmpty());
    QCOMPARE(run.app.points.value(), 0);
}

void FrameTest::helpToolsShowAndCost_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<bool>("rettungsring");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::addColumn<QString>("prompt");
    const QString lupeText = QStringLiteral("Der  . . .\r") + Blanks50 + QStringLiteral("\r");
    const QString ringText = Bauer + QStringLiteral("\r") + Blanks50 + QStringLiteral("\r");
    QTest::newRow("Lupe at 0 stays 0") << Bauer << false << 0 << 0 << lupeText;
    QTest::newRow("Lupe at 2") << Bauer << false << 2 << 1 << lupeText;
    QTest::newRow("Lupe below 0 takes nothing") << Bauer << false << -4 << -4 << lupeText;
    QTest::newRow("Lupe: no blank, no word") << QStringLiteral("Hallo!") << false << 5 << 4
                                             << QStringLiteral(" . . .\r") + Blanks50 + "\r";
    QTest::newRow("Rettungsring at 2 goes to 0") << Bauer << true << 2 << 0 << ringText;
    QTest::newRow("Rettungsring at 5") << Bauer << true << 5 << 2 << ringText;
    QTest::newRow("Rettungsring below 0 lifts to 0") << Bauer << true << -4 << 0 << ringText;
}

void FrameTest::helpToolsShowAndCost() {
    QFETCH(QString, sentence);
    QFETCH(bool, rettungsring);
    QFETCH(int, before);
    QFETCH(QString, prompt);
    FrameRun run({sentence});
    // The help shows the sentence as stored, whatever the text case.
    run.app.textCase.set(TextCase::Upper);
    run.start();
    run.app.points.set(before);
    QSignalSpy focus(&run.exercise, &Exercise::focusInputRequested);
    if (rettungsring)
        run.frame.useRettungsring(run.exercise);
    else
        run.frame.useLupe(run.exercise);
    QTEST(run.app.points.value(), "after");
    QCOMPARE(run.dialogs.messages().size(), 1);
    QCOMPARE(run.dialogs.last().prompt, prompt);
    QCOMPARE(run.dialogs.last().title, rettungsring ? QStringLiteral("Gesuchter Satz:")
                                                    : QStringLiteral("Gesuchter Satzanfang:"));
    QCOMPARE(run.dialogs.last().icon, Icon::None);
    QCOMPARE(focus.count(), 1);
}

void FrameTest::spielrundeAndInstructionsTexts() {
    FrameRun run({Bauer});
    run.app.settings.setPointLimit(42);
    run.frame.showSpielrunde(run.exercise);
    run.frame.showInstructions(run.exercise);
    QCOMPARE(run.dialogs.prompts(),
             (QStringList{QStringLiteral("Nach 42 Punkten gibt es eine Spielrunde.\r\r"),
                          QStringLiteral(
                              "Erste Zeile.\rZweite Zeile.\rDie Lupe kostet einen Punktabzug und\r"
                              "der Rettungsring kostet dich 3 Punkte.\r\r")}));
    QCOMPARE(run.dialogs.titles(),
             (QStringList{QStringLiteral("Spielrunde"), QStringLiteral("Anleitung")}));
    QCOMPARE(run.dialogs.messages().at(0).icon, Icon::Information);
    QCOMPARE(run.dialogs.messages().at(1).icon, Icon::None);
}

void FrameTest::rewardButtonNeedsTheLimit_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("offered");
    QTest::newRow("at the limit") << 100 << true;
    QTest::newRow("one below") << 99 << false;
    QTest::newRow("negative after a game") << -20 << false;
}

void FrameTest::rewardButtonNeedsTheLimit() {
    QFETCH(int, points);
    QFETCH(bool, offered);
    FrameRun run({Bauer});
    run.app.settings.setPointLimit(100);
    run.start();
    run.app.points.set(points);
    QSignalSpy hidden(&run.frame, &ExerciseFrame::panelHidden);
    QSignalSpy offers(&run.frame, &ExerciseFrame::rewardOffered);
    run.frame.leaveExercise(run.exercise);
    QCOMPARE(hidden.count(), 1);
    QCOMPARE(offers.count(), offered ? 1 : 0);
    QCOMPARE(run.frame.rewardOfferedFrom(),
             offered ? static_cast<Exercise*>(&run.exercise) : nullptr);
    QCOMPARE(run.frame.running(), nullptr);
}

void FrameTest::rewardButtonHidesWhenClicked() {
    FrameRun run({Bauer});
    run.app.settings.setPointLimit(1);
    run.app.points.set(1);
    run.start();
    run.frame.leaveExercise(run.exercise);
    QSignalSpy offers(&run.frame, &ExerciseFrame::rewardOffered);
    QSignalSpy game(&run.frame, &ExerciseFrame::rewardGameRequested);
    run.frame.openRewardGame();
    QCOMPARE(run.frame.rewardOfferedFrom(), nullptr);
    QCOMPARE(offers.count(), 1);
    QCOMPARE(offers.at(0).at(0).toBool(), false);
    QCOMPARE(game.count(), 1);
    // Taking the reward costs nothing here; the game charges when it starts.
    QCOMPARE(run.app.points.value(), 1);
}

void FrameTest::countWords_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("words");
    QTest::newRow("eight words") << Bauer << 8;
    QTest::newRow("empty text") << QString() << 1;
    QTest::newRow("every blank counts") << QStringLiteral("a  b ") << 4;
}

void FrameTest::countWords() {
    QFETCH(QString, text);
    QTEST(tivoral::countWords(text), "words");
}

void FrameTest::checkTyping_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("prefix");
    QTest::addColumn<bool>("finished");
    QTest::newRow("first three letters") << QStringLiteral("Der") << Bauer << true << false;
    QTest::newRow("small d") << QStringLiteral("der") << Bauer << false << false;
    QTest::newRow("whole sentence") << Bauer << Bauer << true << true;
    QTest::newRow("one more blank") << Bauer + QStringLiteral(" ") << Bauer << false << false;
    QTest::newRow("line break") << QStringLiteral("Der\n") << Bauer << false << false;
    QTest::newRow("capitals do not finish") << Bauer.toUpper() << Bauer << false << false;
    QTest::newRow("nothing typed is black") << QString() << Bauer << true << false;
    QTest::newRow("nothing typed never finishes") << QString() << QString() << true << false;

    // A keyboard types ' " - ... where the teacher's text has typographic marks.
    const QString geht = QStringLiteral("Wie geht’s dir?");
    const QString komm = QStringLiteral("„Komm!“, rief sie – »bitte«… ‚ja‘ — gut");
    QTest::newRow("apostrophe typed as '")
        << QStringLiteral("Wie geht's dir?") << geht << true << true;
    QTest::newRow("quotes, dashes and ellipsis from the keyboard")
        << QStringLiteral("\"Komm!\", rief sie - \"bitte\"... 'ja' - gut") << komm << true << true;
    QTest::newRow("marks and keyboard forms mixed")
        << QStringLiteral("„Komm!\", rief sie – \"bitte«... 'ja‘ — gut") << komm << true << true;
    QTest::newRow("part of the way through ...")
        << QStringLiteral("\"Komm!\", rief sie - \"bitte\"..") << komm << true << false;
    QTest::newRow("a letter inside ... is red")
        << QStringLiteral("\"Komm!\", rief sie - \"bitte\".x") << komm << false << false;
    QTest::newRow("a mark where the sentence has none is red")
        << QStringLiteral("Der Bauer fährt...") << Bauer << false << false;
}

void FrameTest::checkTyping() {
    QFETCH(QString, typed);
    QFETCH(QString, target);
    QFETCH(bool, finished);
    const TypingCheck check = tivoral::checkTyping(typed, target);
    QTEST(check.isPrefix, "prefix");
    QCOMPARE(check.finished, finished);
}

void FrameTest::emptiedStoreLeavesTheExercise_data() {
    QTest::addColumn<int>("step");
    QTest::newRow("next sentence") << 0;
    QTest::newRow("same sentence again") << 1;
    QTest::newRow("sentence finished") << 2;
}

void FrameTest::emptiedStoreLeavesTheExercise() {
    QFETCH(int, step);
    FrameRun run(sentences(2));
    run.start();
    run.app.store.clear();
    QSignalSpy hidden(&run.frame, &ExerciseFrame::panelHidden);
    if (step == 0)
        run.frame.nextSentence(run.exercise);
    else if (step == 1)
        run.frame.setUpAgain(run.exercise);
    else
        run.frame.completeSentence(run.exercise, 3);
    QCOMPARE(hidden.count(), 1);
    QCOMPARE(run.frame.running(), nullptr);
    QCOMPARE(run.exercise.setUps.size(), 1);
    QCOMPARE(run.dialogs.prompts().constLast(), QStringLiteral("Es ist keine Datei geladen.\r\r"));
    QVERIFY(!run.dialogs.prompts().contains(Rotation));
}

void FrameTest::shortenedStoreStartsFromTheTop() {
    const QStringList three = sentences(3);
    FrameRun run(three);
    run.start();
    run.frame.nextSentence(run.exercise);
    run.frame.nextSentence(run.exercise);
    run.app.store.setEntries({three[0]});
    run.frame.setUpAgain(run.exercise);
    QCOMPARE(run.exercise.setUps.constLast(), three[0]);
    QCOMPARE(run.app.store.selected(), 0);
}

void FrameTest::troubleSentenceAfterEveryThird_data() {
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<QList<int>>("positions");
    QTest::newRow("off: the list order") << QByteArray() << QList<int>{0, 1, 2, 3, 4, 5, 6};
    // Sentence 2 is the hardest but was shown lately; after the inserted sentence the list goes
    // on where it left off.
    QTest::newRow("on: the hardest not shown lately after every third")
        << QByteArray("[Lena]\r\nSchwierigeSaetzeOefter = ja\r\n")
        << QList<int>{0, 1, 2, 5, 3, 4, 6};
}

void FrameTest::troubleSentenceAfterEveryThird() {
    QFETCH(QByteArray, options);
    const QStringList seven = sentences(7);
    FrameRun run(seven);
    run.folder.write(QStringLiteral("TIVORAL.INF"), "Ben\r\nLena\r\n");
    run.folder.write(QStringLiteral("TIVORAL.OPT"), options);
    run.folder.write(
        QString::fromLatin1(practicerecord::FileName),
        "\xEF\xBB\xBF"
        "Datum;Uhrzeit;Benutzer;Ereignis;Übung;Datei;Satz;Sekunden;Rot;Hilfen;Punkte\r\n"
        "2026-12-01;10:00:00;Lena;Satz fertig;Dosensatz;TIERE.TXT;Satz Nummer 2.;9;4;3;3\r\n"
        "2026-12-01;10:01:00;Lena;Satz fertig;Dosensatz;TIERE.TXT;Satz Nummer 6.;9;2;1;3\r\n"
        "2026-12-01;10:02:00;Ben;Satz fertig;Dosensatz;TIERE.TXT;Satz Nummer 4.;9;9;9;3\r\n"
        "2026-12-01;10:03:00;Lena;Satz fertig;Dosensatz;TIERE.TXT;Satz Nummer 7.;9;1;0;3\r\n");
    QVERIFY(run.app.users.load());
    run.app.users.selectUser(1);
    run.app.fileStatus.setLoaded(7, QString(), QStringLiteral("tiere.txt"));
    QSignalSpy setUps(&run.frame, &ExerciseFrame::sentenceSetUp);
    run.start();
    for (int finished = 0; finished < 6; ++finished)
        run.frame.completeSentence(run.exercise, 3);
    QList<int> positions;
    for (const QList<QVariant>& setUp : setUps)
        positions.append(setUp.at(1).toInt());
    QTEST(positions, "positions");
    QCOMPARE(run.exercise.setUps.at(3), seven.at(positions.at(3)));
}

QTEST_GUILESS_MAIN(FrameTest)
#include "test_frame.moc"
