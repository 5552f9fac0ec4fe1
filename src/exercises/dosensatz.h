#pragma once

#include "exercises/typingexercise.h"

#include <QString>
#include <QStringList>

namespace tivoral {

class AppState;
class RandomSource;

// Draws a position of the sorted pieces until none is left, so every order is equally likely.
// The Dosensatz on screen and on paper both jumble their words this way.
QString shufflePieces(QStringList sortedPieces, RandomSource& random);

// "Sätze schreiben": the words of the sentence come out of the tin in random order and the
// child writes the sentence correctly.
class DosensatzExercise final : public TypingExercise {
    Q_OBJECT
public:
    explicit DosensatzExercise(ExerciseFrame& frame, QObject* parent = nullptr);

    void setUp(const QString& sentence) override;
    bool isSetUp() const override { return !wordDisplay_.isEmpty(); }

    // The pieces in shuffled order, each with its blank, in the chosen display form.
    const QString& wordDisplay() const { return wordDisplay_; }
    // The word pieces in sorted order; their number is what the sentence brings.
    const QStringList& wordList() const { return wordList_; }

Q_SIGNALS:
    void wordDisplayChanged(const QString& display);

protected:
    int pointsEarned() const override { return int(wordList_.size()); }

private:
    AppState& app_;
    QString wordDisplay_;
    QStringList wordList_;
};

} // namespace tivoral
