#include "exercises/verrutscher.h"

#include "exercises/exerciseframe.h"
#include "exercises/exerciseprofiles.h"
#include "platform/random.h"
#include "platform/textmarks.h"
#include "store/appstate.h"

#include <utility>

namespace tivoral {

Misprint buildMisprint(const QString& sentence, RandomSource& random) {
    Misprint misprint;
    misprint.letters.reserve(sentence.size());
    for (const QChar c : sentence) {
        if (c == Blank)
            ++misprint.gapCount;
        else
            misprint.letters.append(c);
    }
    const int letterCount = int(misprint.letters.size());
    misprint.groupLength = misprint.gapCount > 0 ? letterCount / misprint.gapCount : 0;
    misprint.shift = random.draw(misprint.gapCount);

    static const QString wideGapExtra(Misprint::WideGapExtraBlanks, Blank);
    const bool hasGroups = misprint.groupLength > 0;
    // At most one wide gap per letter.
    misprint.line.reserve(qsizetype(letterCount) * (2 + Misprint::WideGapExtraBlanks));
    for (int j = 1; j <= letterCount; ++j) {
        misprint.line.append(misprint.letters.at(j - 1));
        misprint.line.append(Blank);
        if (hasGroups && j % misprint.groupLength == misprint.shift)
            misprint.line.append(wideGapExtra);
    }
    return misprint;
}

QStringList breakMisprint(const QString& line,
                          const std::function<bool(const QString&)>& fitsOnALine) {
    static const QString wideGap(1 + Misprint::WideGapExtraBlanks, Blank);
    const bool hasWideGap = line.contains(wideGap);
    QStringList lines;
    QString current;
    const auto append = [&](const QString& piece, const QString& joint) {
        if (current.isEmpty()) {
            current = piece;
            return;
        }
        const QString longer = current + joint + piece;
        if (fitsOnALine(longer)) {
            current = longer;
            return;
        }
        lines.append(current);
        current = piece;
    };
    const auto appendLetters = [&](const QString& group) {
        for (const QString& letter : group.split(Blank, Qt::SkipEmptyParts))
            append(letter, QString(Blank));
    };

    if (!hasWideGap) {
        appendLetters(line);
    } else {
        for (const QString& group : line.split(wideGap, Qt::SkipEmptyParts)) {
            // The line ends with the blank after its last letter.
            const QString letters = group.endsWith(Blank) ? group.chopped(1) : group;
            if (fitsOnALine(letters)) {
                append(letters, wideGap);
                continue;
            }
            // Too wide for any line: it starts a line of its own and breaks between letters.
            if (!current.isEmpty())
                lines.append(std::exchange(current, QString()));
            appendLetters(letters);
        }
    }
    if (!current.isEmpty())
        lines.append(current);
    return lines;
}

VerrutscherExercise::VerrutscherExercise(ExerciseFrame& frame, QObject* parent)
    : TypingExercise(frame, exerciseprofiles::verrutscher(), parent) {}

void VerrutscherExercise::setUp(const QString& sentence) {
    clearAnswer();
    RandomSource& random = frame().app().random;
    random.seedFromTimeOfDay();
    misprint_ = buildMisprint(sentence, random);
    displayedLine_ = frame().app().textCase.displayForm(misprint_.line);
    Q_EMIT misprintChanged(displayedLine_);
}

} // namespace tivoral
