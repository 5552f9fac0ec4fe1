#pragma once

#include "exercises/practicelog.h"
#include "exercises/sentenceorder.h"

#include <QObject>
#include <QString>

namespace tivoral {

class AppState;
class Exercise;

// The mechanics the four exercises share: start, the order of sentences, points, the help
// tools, the information boxes, leaving and the reward button.
class ExerciseFrame final : public QObject {
    Q_OBJECT
public:
    static constexpr int LupeCost = 1;
    static constexpr int RettungsringCost = 3;
    static constexpr int HelpPaddingBlanks = 50;
    static constexpr const char* NoVoicePrompt =
        "Für das Hördiktat wird eine deutsche Stimme gebraucht.\r\r"
        "Für die Lehrkraft: Bitte die Pakete „speech-dispatcher“ und "
        "„speech-dispatcher-espeak-ng“ installieren.\r";

    explicit ExerciseFrame(AppState& app, QObject* parent = nullptr);

    AppState& app() const { return app_; }

    // Refused with a message when no sentence is loaded or a dictation has no voice that
    // answers; otherwise
    // shows the panel at the first sentence.
    bool startExercise(Exercise& exercise);
    void completeSentence(Exercise& exercise, int pointsEarned);
    void nextSentence(Exercise& exercise);
    // Builds the exercise again for the same sentence (a new random layout).
    void setUpAgain(Exercise& exercise);
    // Builds the exercise for the sentence at this position (the first when out of range).
    void setUpAt(Exercise& exercise, int position);

    // The exercise showed the child's answer as wrong (red, or a refused piece).
    void answerTurnedRed() { log_.answerTurnedRed(); }

    void useLupe(Exercise& exercise);
    // Reads back what the child has written or placed so far; free.
    void readAnswer(Exercise& exercise);
    // Reads the whole target sentence; costs what the Lupe costs, offered where the teacher
    // switched it on.
    void hearTarget(Exercise& exercise);
    // Says a text when the child's speech is on and a voice is there.
    void speak(const QString& text);
    bool speechOn() const;
    bool hearTargetOffered() const;
    void useRettungsring(Exercise& exercise);
    void showSpielrunde(Exercise& exercise);
    void showInstructions(Exercise& exercise);
    void leaveExercise(Exercise& exercise);
    void openRewardGame();

    // Where the child is in the list: "Satz 2 von 5" for the second of five.
    static QString positionText(int position, int count);

    // The message boxes of the help tools, for exercises that show their own text.
    void showHelpMessage(const QString& text, const QString& title);

    const QString& target() const { return target_; }
    int wordCount() const { return wordCount_; }
    void setWordCount(int count) { wordCount_ = count; }
    Exercise* running() const { return running_; }
    // The exercise the child left with enough points for the reward game, until it is taken.
    Exercise* rewardOfferedFrom() const { return rewardOfferedFrom_; }

Q_SIGNALS:
    void panelShown(Exercise* exercise);
    void panelHidden(Exercise* exercise);
    // The reward game is offered on leaving this exercise, or no longer offered (no exercise).
    void rewardOffered(bool offered, Exercise* from);
    void rewardGameRequested();
    // The exercise was built for the sentence at this position (from 0) of so many.
    void sentenceSetUp(Exercise* exercise, int position, int count);

private:
    // Whether a set-up starts the sentence's count anew or builds the same sentence again.
    enum class Tally { Restart, Keep };

    void setUp(Exercise& exercise, int position, Tally tally);
    void advanceSentence(Exercise& exercise);
    void takeLupeCost();
    // A speech button pressed while the voice is not answering says so instead.
    bool voiceAnswers();
    void hidePanel(Exercise& exercise);

    AppState& app_;
    SentenceOrder order_;
    QString target_;
    int wordCount_ = 0;
    Exercise* running_ = nullptr;
    Exercise* rewardOfferedFrom_ = nullptr;
    PracticeLog log_;
    // The Lupe's hint is read aloud as its box shows.
    bool speakNextHelp_ = false;
};

} // namespace tivoral
