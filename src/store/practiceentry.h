#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace tivoral {

// One line of the practice record PROTOKOLL.CSV: what a child did, when, in which exercise.
struct PracticeEntry {
    enum class Event { SentenceFinished, Lupe, Rettungsring, SentenceSkipped, Wortfange };

    QDateTime when; // local time, to the second
    QString user;
    Event event = Event::SentenceFinished;
    QString exercise; // the exercise's name as its window title shows it; empty for Wortfange
    QString file;     // the sentence file's name, without its folder
    QString sentence; // for Wortfange: the characters caught
    int seconds = 0;
    int redAnswers = 0; // how often the answer turned red
    int helps = 0;      // help points spent
    int points = 0;

    bool operator==(const PracticeEntry&) const = default;
};

namespace practicerecord {

inline constexpr const char* FileName = "PROTOKOLL.CSV";
inline constexpr char Separator = ';';

// The header line and, in this order, the columns of every line.
QStringList columns();
// "Satz fertig", "Lupe", "Rettungsring", "Satz übersprungen", "Wortfange".
QString eventText(PracticeEntry::Event event);
std::optional<PracticeEntry::Event> eventFromText(const QString& text);

} // namespace practicerecord
} // namespace tivoral
