#pragma once

// One exercise running in the frame over a Fixture, for the logic tests.

#include "exercises/exerciseframe.h"
#include "support/fixture.h"

#include <QTest>

namespace tivoral::testing {

template <typename T> struct ExerciseRun : Fixture {
    explicit ExerciseRun(const QStringList& sentences, QList<double> draws = {0.0},
                         TextCase textCase = TextCase::Normal)
        : Fixture({}, std::move(draws)) {
        app.store.setEntries(sentences);
        app.textCase.set(textCase);
    }
    bool start() { return frame.startExercise(exercise); }
    // Types like a child, one more character at a time.
    void type(const QString& text) {
        for (qsizetype n = 1; n <= text.size(); ++n)
            exercise.typeAnswer(text.left(n));
    }

    ExerciseFrame frame{app};
    T exercise{frame};
};

} // namespace tivoral::testing
