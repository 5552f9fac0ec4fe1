#pragma once

#include "exercises/typingexercise.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace tivoral {

class RandomSource;

// The sentence misprinted: its letters spaced apart, its word gaps moved to the wrong places.
struct Misprint {
    static constexpr int WideGapExtraBlanks = 3;

    QString letters;     // the sentence without its blanks
    int gapCount = 0;    // n: the blanks of the sentence
    int groupLength = 0; // L: letters per group, 0 when there are no groups
    int shift = 0;       // r: where the wide gaps fall, 0 … n − 1
    QString line;        // every letter followed by a blank, four after each group
};

// Draws the shift from the source. Without a blank (n = 0) or with more blanks than letters
// (L = 0) the letters come evenly spaced, without wide gaps.
Misprint buildMisprint(const QString& sentence, RandomSource& random);

// The misprinted line cut into display lines, each one that `fitsOnALine` accepts. Lines break
// only at wide gaps, so that a line end never looks like a word gap; only a group wider than a
// line, or a line without any wide gap, breaks between letters. No line ends with a blank.
QStringList breakMisprint(const QString& line,
                          const std::function<bool(const QString&)>& fitsOnALine);

// "Verrutscher Satz": the child copies the misprinted sentence correctly.
class VerrutscherExercise final : public TypingExercise {
    Q_OBJECT
public:
    explicit VerrutscherExercise(ExerciseFrame& frame, QObject* parent = nullptr);

    void setUp(const QString& sentence) override;

    const Misprint& misprint() const { return misprint_; }
    // The misprinted line as the child sees it, in display form.
    const QString& displayedLine() const { return displayedLine_; }

Q_SIGNALS:
    void misprintChanged(const QString& displayedLine);

private:
    Misprint misprint_;
    QString displayedLine_;
};

} // namespace tivoral
