#include "exercises/exerciseframe.h"

#include "exercises/exercise.h"
#include "platform/dialogs.h"
#include "platform/textmarks.h"
#include "store/appstate.h"

#include <utility>

namespace tivoral {

Exercise::Exercise(ExerciseFrame& frame, ExerciseProfile profile, QObject* parent)
    : QObject(parent), frame_(frame), profile_(std::move(profile)) {}

void Exercise::showLupeText() {
    const QString& target = frame_.target();
    const qsizetype blank = target.indexOf(QLatin1Char(' '));
    const QString beginning = blank < 0 ? QString() : target.left(blank + 1);
    frame_.showHelpMessage(beginning + QStringLiteral(" . . .") + CR +
                               QString(ExerciseFrame::HelpPaddingBlanks, QLatin1Char(' ')) + CR,
                           QStringLiteral("Gesuchter Satzanfang:"));
}

void Exercise::showRettungsringHelp() {
    frame_.showHelpMessage(frame_.target() + CR +
                               QString(ExerciseFrame::HelpPaddingBlanks, QLatin1Char(' ')) + CR,
                           QStringLiteral("Gesuchter Satz:"));
}

ExerciseFrame::ExerciseFrame(AppState& app, QObject* parent)
    : QObject(parent), app_(app), order_(app), log_(app) {}

bool ExerciseFrame::startExercise(Exercise& exercise) {
    if (exercise.profile().dictates && !(app_.voice.isAvailable() && app_.voice.isAnswering())) {
        app_.dialogs.message(QString::fromUtf8(NoVoicePrompt), exercise.profile().name,
                             Buttons::Ok, Icon::Information);
        return false;
    }
    if (app_.store.isEmpty()) {
        app_.dialogs.message(QStringLiteral("Es ist keine Datei geladen.\r\r"),
                             QStringLiteral("Datei laden"), Buttons::Ok,
                             exercise.profile().emptyStoreIcon);
        return false;
    }
    running_ = &exercise;
    order_.restart();
    Q_EMIT panelShown(&exercise);
    setUpAt(exercise, 0);
    return true;
}

void ExerciseFrame::setUpAt(Exercise& exercise, int position) {
    setUp(exercise, position, Tally::Restart);
}

void ExerciseFrame::setUp(Exercise& exercise, int position, Tally tally) {
    // The editor can empty or shorten the store while a panel is open.
    if (app_.store.isEmpty()) {
        hidePanel(exercise);
        app_.dialogs.message(QStringLiteral("Es ist keine Datei geladen.\r\r"),
                             QStringLiteral("Datei laden"), Buttons::Ok,
                             exercise.profile().emptyStoreIcon);
        return;
    }
    if (!app_.store.isValidIndex(position))
        position = 0;
    app_.store.setSelected(position);
    target_ = app_.store.entry(position);
    order_.noteShown(target_);
    if (tally == Tally::Restart)
        log_.sentenceSetUp(target_);
    Q_EMIT sentenceSetUp(&exercise, position, app_.store.count());
    exercise.setUp(target_);
}

QString ExerciseFrame::positionText(int position, int count) {
    return QStringLiteral("Satz %1 von %2").arg(position + 1).arg(count);
}

void ExerciseFrame::completeSentence(Exercise& exercise, int pointsEarned) {
    // The order learns of the child's trouble without reading the record again.
    order_.noteFinished(log_.sentenceFinished(exercise, pointsEarned));
    app_.points.add(pointsEarned);
    const ExerciseProfile& profile = exercise.profile();
    app_.dialogs.readingMessage(profile.completionPrompt, profile.name, profile.completionIcon);
    advanceSentence(exercise);
}

void ExerciseFrame::advanceSentence(Exercise& exercise) {
    int position = order_.takeListPosition().value_or(app_.store.selected() + 1);
    // A store emptied meanwhile has not been worked through; setUpAt reports it instead.
    if (position >= app_.store.count() && !app_.store.isEmpty()) {
        app_.dialogs.readingMessage(QStringLiteral("Es wurden alle Sätze bearbeitet.\r"
                                                   "Die Satzwahl beginnt von vorne.\r\r"),
                                    QStringLiteral("Dosensätze"));
        position = 0;
    }
    setUpAt(exercise, order_.afterFinished(position));
}

void ExerciseFrame::nextSentence(Exercise& exercise) {
    log_.sentenceSkipped(exercise);
    const int position = order_.takeListPosition().value_or(app_.store.selected() + 1);
    setUpAt(exercise, position >= app_.store.count() ? 0 : position);
}

void ExerciseFrame::setUpAgain(Exercise& exercise) {
    setUp(exercise, app_.store.selected(), Tally::Keep);
}

void ExerciseFrame::showHelpMessage(const QString& text, const QString& title) {
    if (std::exchange(speakNextHelp_, false)) {
        // The words only: not the dots and blanks that lay out the box.
        QString words = text.section(CR, 0, 0);
        words.remove(QStringLiteral(" . . ."));
        speak(words.trimmed());
    }
    app_.dialogs.readingMessage(text, title);
}

void ExerciseFrame::useLupe(Exercise& exercise) {
    if (exercise.profile().helpNeedsSetUp && !exercise.isSetUp())
        return;
    log_.helpUsed(exercise, PracticeEntry::Event::Lupe, LupeCost);
    speakNextHelp_ = true;
    exercise.showLupeText();
    speakNextHelp_ = false;
    takeLupeCost();
    Q_EMIT exercise.focusInputRequested();
}

void ExerciseFrame::takeLupeCost() {
    if (app_.points.value() > 0)
        app_.points.set(app_.points.value() - LupeCost);
}

bool ExerciseFrame::speechOn() const {
    return app_.voice.isAvailable() && app_.readingAids.current().speech;
}

bool ExerciseFrame::hearTargetOffered() const {
    return speechOn() && app_.readingAids.current().hearTarget;
}

void ExerciseFrame::speak(const QString& text) {
    if (!speechOn())
        return;
    // A new text replaces the one still being read, as a child expects of a button or a tile.
    app_.voice.stop();
    app_.voice.say(text);
}

bool ExerciseFrame::voiceAnswers() {
    if (app_.voice.isAnswering())
        return true;
    app_.dialogs.message(Voice::notAnsweringMessage(), QStringLiteral("Vorlesen"), Buttons::Ok,
                         Icon::Information);
    return false;
}

void ExerciseFrame::readAnswer(Exercise& exercise) {
    if (voiceAnswers())
        speak(exercise.answerSoFar());
    Q_EMIT exercise.focusInputRequested();
}

void ExerciseFrame::hearTarget(Exercise& exercise) {
    if (!hearTargetOffered() || (exercise.profile().helpNeedsSetUp && !exercise.isSetUp()))
        return;
    // Nothing is heard, so nothing is paid.
    if (!voiceAnswers()) {
        Q_EMIT exercise.focusInputRequested();
        return;
    }
    speak(target_);
    log_.addHelpCost(LupeCost);
    takeLupeCost();
    Q_EMIT exercise.focusInputRequested();
}

void ExerciseFrame::useRettungsring(Exercise& exercise) {
    if (exercise.profile().helpNeedsSetUp && !exercise.isSetUp())
        return;
    log_.helpUsed(exercise, PracticeEntry::Event::Rettungsring, RettungsringCost);
    exercise.showRettungsringHelp();
    app_.points.set(std::max(0, app_.points.value() - RettungsringCost));
    Q_EMIT exercise.focusInputRequested();
}

void ExerciseFrame::showSpielrunde(Exercise& exercise) {
    app_.dialogs.readingMessage(QStringLiteral("Nach ") +
                                    QString::number(app_.settings.pointLimit()) +
                                    QStringLiteral(" Punkten gibt es eine Spielrunde.\r\r"),
                                QStringLiteral("Spielrunde"), Icon::Information);
    Q_EMIT exercise.focusInputRequested();
}

void ExerciseFrame::showInstructions(Exercise& exercise) {
    // Every exercise's instructions end with what the two help tools cost.
    const QStringList lines = exercise.profile().instructions +
                              QStringList{QStringLiteral("Die Lupe kostet einen Punktabzug und"),
                                          QStringLiteral("der Rettungsring kostet dich 3 Punkte.")};
    app_.dialogs.readingMessage(lines.join(CR) + CR + CR, QStringLiteral("Anleitung"));
    Q_EMIT exercise.focusInputRequested();
}

void ExerciseFrame::hidePanel(Exercise& exercise) {
    if (running_ == &exercise)
        running_ = nullptr;
    Q_EMIT panelHidden(&exercise);
}

void ExerciseFrame::leaveExercise(Exercise& exercise) {
    hidePanel(exercise);
    if (app_.points.value() >= app_.settings.pointLimit()) {
        rewardOfferedFrom_ = &exercise;
        Q_EMIT rewardOffered(true, rewardOfferedFrom_);
    }
}

void ExerciseFrame::openRewardGame() {
    rewardOfferedFrom_ = nullptr;
    Q_EMIT rewardOffered(false, rewardOfferedFrom_);
    Q_EMIT rewardGameRequested();
}

} // namespace tivoral
