#include "support/practicegenerator.h"

#include "store/practicerecord.h"

#include <QStringList>

#include <array>

namespace tivoral::testing {

namespace {

using Event = PracticeEntry::Event;

const std::array<const char*, 4> Children{"Anna", "Ben", "Clara", "Müller, Jan"};
const std::array<const char*, 4> Exercises{"Dosensatz", "Satzpuzzle", "Mosaiksatz",
                                           "Verrutscher Satz"};
// Harder sentences come later; the last ones hold a ";" and quotes.
const std::array<const char*, 8> Sentences{
    "Der Hund bellt.",
    "Die Katze schläft auf dem Sofa.",
    "Wir gehen heute in den Zoo.",
    "Im Winter fällt oft Schnee.",
    "Der Fußball rollt über die Straße.",
    "Die Schüler lesen ein spannendes Buch.",
    "Mama sagt: \"Komm bitte zum Essen!\"",
    "Erst regnet es; dann scheint die Sonne.",
};
constexpr int FirstLessonHour = 8;
constexpr int MinutesPerSentence = 2;
constexpr int SchoolDaysPerWeek = 5;
constexpr int DaysPerWeek = 7;
constexpr int SecondsAtLeast = 10;
constexpr int SecondsSpread = 30;
constexpr int SecondsPerDifficulty = 5;
constexpr int PointsForNoRed = 3;

// A small fixed sequence, so every run writes the same record.
class Sequence {
public:
    int next(int below) {
        state_ = state_ * Multiplier + Increment;
        return int((state_ >> Shift) % quint64(below));
    }

private:
    static constexpr quint64 Multiplier = 6364136223846793005ULL;
    static constexpr quint64 Increment = 1442695040888963407ULL;
    static constexpr int Shift = 33;
    quint64 state_ = 1;
};

PracticeEntry entryAt(QDate day, int minute, const QString& user, Event event) {
    PracticeEntry entry;
    entry.when = QDateTime(day, QTime(FirstLessonHour, 0).addSecs(minute * 60));
    entry.user = user;
    entry.event = event;
    entry.file = QStringLiteral("SAETZE.TXT");
    return entry;
}

} // namespace

std::vector<PracticeEntry> generatePractice(QDate lastDay, int weeks) {
    constexpr int MaxSentencesPerDay = 12;
    constexpr int MaxRedAnswers = 4;
    constexpr int SkipOneIn = 9;
    constexpr int HelpOneIn = 4;
    Sequence random;
    std::vector<PracticeEntry> entries;
    const QDate firstDay = lastDay.addDays(1 - weeks * DaysPerWeek);
    for (QDate day = firstDay; day <= lastDay; day = day.addDays(1)) {
        if (day.dayOfWeek() > SchoolDaysPerWeek)
            continue;
        for (size_t child = 0; child < Children.size(); ++child) {
            const QString user = QString::fromUtf8(Children.at(child));
            // Each child misses a day now and then; the later weeks go better.
            if (random.next(DaysPerWeek) == 0)
                continue;
            const int sentences = 1 + random.next(MaxSentencesPerDay);
            const int progress = int(firstDay.daysTo(day)) * MaxRedAnswers / (weeks * DaysPerWeek);
            for (int n = 0; n < sentences; ++n) {
                const size_t which = size_t(random.next(int(Sentences.size())));
                const int minute = n * MinutesPerSentence;
                if (random.next(HelpOneIn) == 0) {
                    PracticeEntry help = entryAt(
                        day, minute, user, random.next(2) ? Event::Lupe : Event::Rettungsring);
                    help.exercise = QString::fromUtf8(Exercises.at(size_t(n) % Exercises.size()));
                    help.sentence = QString::fromUtf8(Sentences.at(which));
                    entries.push_back(help);
                }
                const bool skipped = random.next(SkipOneIn) == 0;
                PracticeEntry entry =
                    entryAt(day, minute + 1, user,
                            skipped ? Event::SentenceSkipped : Event::SentenceFinished);
                entry.exercise = QString::fromUtf8(Exercises.at(size_t(n) % Exercises.size()));
                entry.sentence = QString::fromUtf8(Sentences.at(which));
                if (!skipped) {
                    const int difficulty = int(which) / 2 + int(child);
                    entry.seconds = SecondsAtLeast + random.next(SecondsSpread) +
                                    difficulty * SecondsPerDifficulty;
                    entry.redAnswers = std::max(0, random.next(difficulty + 1) - progress / 2);
                    entry.helps = random.next(HelpOneIn) == 0 ? 1 : 0;
                    entry.points = std::max(0, PointsForNoRed - entry.redAnswers);
                }
                entries.push_back(entry);
            }
        }
    }
    return entries;
}

QByteArray practiceRecordBytes(const std::vector<PracticeEntry>& entries) {
    QByteArray bytes = PracticeRecord::headerBytes();
    for (const PracticeEntry& entry : entries)
        bytes += PracticeRecord::lineBytes(entry);
    return bytes;
}

} // namespace tivoral::testing
