#pragma once

// One exercise running in the frame over a temporary working folder, for the logic tests.

#include "exercises/exerciseframe.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QTest>

namespace tivoral::testing {

template <typename T> struct ExerciseRun {
    explicit ExerciseRun(const QStringList& sentences, QList<double> draws = {0.0},
                         TextCase textCase = TextCase::Normal)
        : random(std::move(draws)) {
        app.store.setEntries(sentences);
        app.textCase.set(textCase);
    }
    bool start() { return frame.startExercise(exercise); }
    // Types like a child, one more character at a time.
    void type(const QString& text) {
        for (qsizetype n = 1; n <= text.size(); ++n)
            exercise.typeAnswer(text.left(n));
    }

    WorkFolder folder;
    ScriptedDialogs dialogs;
    SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
    ExerciseFrame frame{app};
    T exercise{frame};
};

} // namespace tivoral::testing
