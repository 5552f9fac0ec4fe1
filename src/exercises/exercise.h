#pragma once

#include "platform/dialogs.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace tivoral {

class ExerciseFrame;

// What each exercise tells the frame about itself.
struct ExerciseProfile {
    QString name; // as the window title and the record show it, e.g. "Dosensatz"
    Icon emptyStoreIcon = Icon::None;
    QString completionPrompt;
    Icon completionIcon = Icon::None;
    QStringList instructions;    // its own lines; the frame adds what the help tools cost
    bool helpNeedsSetUp = false; // Lupe and Rettungsring do nothing before a set-up
    // The program speaks the sentence: it needs the voice, and hearing the sentence is free.
    bool dictates = false;
};

// The logic of one exercise: its set-up for the current sentence and its own help texts.
// Everything the four share lives in ExerciseFrame.
class Exercise : public QObject {
    Q_OBJECT
public:
    Exercise(ExerciseFrame& frame, ExerciseProfile profile, QObject* parent = nullptr);

    const ExerciseProfile& profile() const { return profile_; }
    ExerciseFrame& frame() const { return frame_; }

    // Builds the exercise for this sentence (the frame has already stored it as the target).
    virtual void setUp(const QString& sentence) = 0;
    // Whether the help tools may be used (the set-up has shown a sentence).
    virtual bool isSetUp() const { return true; }
    // The Lupe's message; the Mosaiksatz shows the whole sentence instead of its beginning.
    virtual void showLupeText();
    // The Rettungsring's help; the Mosaiksatz marks its grid instead of a message.
    virtual void showRettungsringHelp();
    // What the child has written or placed so far, for reading it back.
    virtual QString answerSoFar() const { return {}; }

Q_SIGNALS:
    // The view puts the keyboard focus into the exercise's input.
    void focusInputRequested();

private:
    ExerciseFrame& frame_;
    ExerciseProfile profile_;
};

} // namespace tivoral
