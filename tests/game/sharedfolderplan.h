#pragma once

#include "game/highscorelist.h"
#include "store/practiceentry.h"

// What each copy in the shared-folder test adds, known to the copies and to the test alike.
namespace tivoral::testing::sharedfolder {

constexpr int Rounds = 200;

inline QString userName(const QString& copy, int round) {
    return copy + QLatin1Char('-') + QString::number(round);
}

// Later rounds do better, so each copy keeps pushing the other's results out of the best 100;
// both copies reach the same times, so the names must order the ties.
inline QString result(const QString& copy, int round) {
    return HighScoreList::makeEntry(20 + round % 3, Rounds - round, userName(copy, round));
}

// A record line each copy appends; its quotes and separator make it longer than it looks.
inline PracticeEntry recordEntry(const QString& copy, int round) {
    PracticeEntry entry;
    entry.when = QDateTime(QDate(2026, 12, 6), QTime(14, 3, 12));
    entry.user = userName(copy, round);
    entry.exercise = QStringLiteral("Dosensatz");
    entry.sentence =
        QStringLiteral("Er rief \"Halt; sofort!\" ") + QString(round, QLatin1Char('x'));
    entry.seconds = round;
    return entry;
}

} // namespace tivoral::testing::sharedfolder
