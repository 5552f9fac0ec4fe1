#pragma once

#include "exercises/exercise.h"

#include <QString>
#include <QStringList>

namespace tivoral {

class AppState;

// "Sätze schreiben": the words of the sentence come out of the tin in random order and the
// child writes the sentence correctly.
class Dosensatz final : public Exercise {
    Q_OBJECT
public:
    explicit Dosensatz(ExerciseFrame& frame, QObject* parent = nullptr);

    static ExerciseProfile profile();

    void setUp(const QString& sentence) override;
    bool isSetUp() const override { return !wordDisplay_.isEmpty(); }

    // Every change of the input box, by the child or by the program.
    void typed(const QString& text);

    // The pieces in shuffled order, each with its blank, in the chosen display form.
    const QString& wordDisplay() const { return wordDisplay_; }
    // The word pieces in sorted order; their number is what the sentence brings.
    const QStringList& wordList() const { return wordList_; }
    const QString& input() const { return input_; }
    bool inputIsPrefix() const { return inputIsPrefix_; }

Q_SIGNALS:
    void wordDisplayChanged(const QString& display);
    // The program replaced the input (a set-up clears it).
    void inputReplaced(const QString& text);
    void inputStateChanged(bool isPrefix);

private:
    QString shuffle(QStringList pool) const;
    void clearInput();

    AppState& app_;
    QString wordDisplay_;
    QStringList wordList_;
    QString input_;
    bool inputIsPrefix_ = true;
};

} // namespace tivoral
