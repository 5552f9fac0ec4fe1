#include "store/practiceoverview.h"

#include "platform/countwording.h"
#include "platform/textcase.h"
#include "platform/textmarks.h"
#include "store/practicerecord.h"

#include <QHash>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <limits>
#include <map>

namespace tivoral {

namespace {

using Event = PracticeEntry::Event;
using Text = RecordedEntry::Text;

constexpr int Decimals = 1;

bool isHelp(Event event) {
    return event == Event::Lupe || event == Event::Rettungsring;
}

double perSentence(int total, int sentences) {
    return sentences == 0 ? 0 : double(total) / sentences;
}

QString decimal(double value) {
    return QLocale(QLocale::German).toString(value, 'f', Decimals);
}

// One child's sums while the record is read; texts are the record's numbers.
struct Totals {
    ChildFigures figures;
    QSet<qint64> days;
    const RecordedEntry* last = nullptr;
    std::map<Text, int> finishedPerExercise;
    int seconds = 0;
    int redAnswers = 0;
};

constexpr int DaysPerWeek = 7;
constexpr int WeeksPerFourWeeks = 4;
constexpr int SchoolYearFirstMonth = 8;

} // namespace

QString troubleWording(const TroubleSentence& trouble) {
    QStringList parts;
    if (trouble.attempts > 0)
        parts << QStringLiteral("%1-mal geübt").arg(trouble.attempts)
              << QStringLiteral("%1 rot").arg(trouble.redAnswers)
              << countWording(trouble.helpPoints, QStringLiteral("1 Hilfepunkt"),
                              QStringLiteral("%1 Hilfepunkte"));
    if (trouble.skipped > 0)
        parts << QStringLiteral("%1-mal übersprungen").arg(trouble.skipped);
    return parts.join(QStringLiteral(", "));
}

QString periodText(OverviewPeriod period) {
    switch (period) {
    case OverviewPeriod::LastWeek:
        return QStringLiteral("Letzte 7 Tage");
    case OverviewPeriod::LastFourWeeks:
        return QStringLiteral("Letzte 4 Wochen");
    case OverviewPeriod::SchoolYear:
        return QStringLiteral("Dieses Schuljahr");
    case OverviewPeriod::All:
        break;
    }
    return QStringLiteral("Alles");
}

std::optional<QDate> firstDayOf(OverviewPeriod period, QDate today) {
    switch (period) {
    case OverviewPeriod::LastWeek:
        return today.addDays(1 - DaysPerWeek);
    case OverviewPeriod::LastFourWeeks:
        return today.addDays(1 - DaysPerWeek * WeeksPerFourWeeks);
    case OverviewPeriod::SchoolYear:
        return QDate(today.month() >= SchoolYearFirstMonth ? today.year() : today.year() - 1,
                     SchoolYearFirstMonth, 1);
    case OverviewPeriod::All:
        break;
    }
    return std::nullopt;
}

PracticeOverview::PracticeOverview(const PracticeRecordContents& record,
                                   std::optional<QDate> firstDay)
    : record_(record),
      firstDay_(firstDay ? firstDay->toJulianDay() : std::numeric_limits<qint64>::min()) {
    QHash<Text, Totals> totals;
    QSet<Text> exercises;
    for (const RecordedEntry& entry : record.entries) {
        if (!counts(entry))
            continue;
        Totals& sums = totals[entry.user];
        ChildFigures& child = sums.figures;
        sums.days.insert(entry.day);
        if (!sums.last || entry.secondsSinceDayZero() >= sums.last->secondsSinceDayZero())
            sums.last = &entry;
        if (isHelp(entry.event))
            ++child.helps;
        if (entry.event == Event::SentenceSkipped)
            ++child.skipped;
        if (entry.event != Event::SentenceFinished)
            continue;
        ++child.finished;
        ++sums.finishedPerExercise[entry.exercise];
        exercises.insert(entry.exercise);
        sums.seconds += entry.seconds;
        sums.redAnswers += entry.redAnswers;
    }

    QHash<QString, ChildFigures> byUser;
    for (auto sums = totals.cbegin(); sums != totals.cend(); ++sums) {
        ChildFigures child = sums->figures;
        child.user = record.text(sums.key());
        child.daysPractised = int(sums->days.size());
        child.lastPractice = sums->last->when();
        for (const auto& [exercise, finished] : sums->finishedPerExercise)
            child.finishedPerExercise.insert(record.text(exercise), finished);
        child.averageSeconds = perSentence(sums->seconds, child.finished);
        child.redPerSentence = perSentence(sums->redAnswers, child.finished);
        byUser.insert(child.user, child);
    }
    QStringList users = byUser.keys();
    sortCaseInsensitive(users);
    for (const QString& user : std::as_const(users))
        children_.push_back(byUser.value(user));
    for (const Text exercise : std::as_const(exercises))
        exercises_.append(record.text(exercise));
    sortCaseInsensitive(exercises_);
}

std::vector<PracticeDay> PracticeOverview::days(const QString& user, QDate lastDay) const {
    const std::optional<Text> userText = record_.find(user);
    qint64 first = firstDay_;
    if (first == std::numeric_limits<qint64>::min()) {
        first = lastDay.toJulianDay();
        for (const RecordedEntry& entry : record_.entries) {
            if (entry.user == userText)
                first = std::min(first, entry.day);
        }
    }
    const qint64 count = std::clamp<qint64>(lastDay.toJulianDay() - first + 1, 1, MaxChartDays);
    const QDate firstDay = lastDay.addDays(1 - count);
    const auto dayCount = size_t(count);
    std::vector<PracticeDay> days(dayCount);
    std::vector<int> redAnswers(dayCount);
    for (qint64 day = 0; day < count; ++day)
        days[size_t(day)].date = firstDay.addDays(day);
    for (const RecordedEntry& entry : record_.entries) {
        const qint64 day = entry.day - firstDay.toJulianDay();
        if (entry.user != userText || entry.event != Event::SentenceFinished || day < 0 ||
            day >= count)
            continue;
        ++days[size_t(day)].finished;
        redAnswers[size_t(day)] += entry.redAnswers;
    }
    for (size_t day = 0; day < days.size(); ++day)
        days[day].redPerSentence = perSentence(redAnswers[day], days[day].finished);
    return days;
}

std::vector<TroubleSentence> PracticeOverview::troubleSentences(const QString& user) const {
    const std::optional<Text> userText = record_.find(user);
    QHash<Text, TroubleSentence> bySentence;
    for (const RecordedEntry& entry : record_.entries) {
        const bool finished = entry.event == Event::SentenceFinished;
        if (entry.user != userText || !counts(entry) ||
            (!finished && entry.event != Event::SentenceSkipped))
            continue;
        TroubleSentence& trouble = bySentence[entry.sentence];
        if (!finished) {
            ++trouble.skipped;
            continue;
        }
        ++trouble.attempts;
        trouble.redAnswers += entry.redAnswers;
        trouble.helpPoints += entry.helps;
    }
    const auto score = [](const TroubleSentence& trouble) {
        return trouble.redAnswers + trouble.helpPoints + SkipWeight * trouble.skipped;
    };
    std::vector<TroubleSentence> troubles;
    for (auto trouble = bySentence.begin(); trouble != bySentence.end(); ++trouble) {
        if (score(*trouble) == 0)
            continue;
        trouble->sentence = record_.text(trouble.key());
        troubles.push_back(*trouble);
    }
    const auto harder = [&score](const TroubleSentence& a, const TroubleSentence& b) {
        const int aScore = score(a);
        const int bScore = score(b);
        if (aScore != bScore)
            return aScore > bScore;
        if (a.redAnswers != b.redAnswers)
            return a.redAnswers > b.redAnswers;
        return a.sentence < b.sentence;
    };
    std::sort(troubles.begin(), troubles.end(), harder);
    if (troubles.size() > size_t(MaxTroubleSentences))
        troubles.resize(size_t(MaxTroubleSentences));
    return troubles;
}

OverviewTable PracticeOverview::table() const {
    OverviewTable table;
    table.header << QStringLiteral("Kind") << QStringLiteral("Tage geübt") << exercises_
                 << QStringLiteral("Übersprungen") << QStringLiteral("Sekunden pro Satz")
                 << QStringLiteral("Rote Antworten pro Satz") << QStringLiteral("Hilfen")
                 << QStringLiteral("Zuletzt geübt");
    for (const ChildFigures& child : children_) {
        QStringList row{child.user, QString::number(child.daysPractised)};
        for (const QString& exercise : exercises_)
            row << QString::number(child.finishedPerExercise.value(exercise));
        row << QString::number(child.skipped) << decimal(child.averageSeconds)
            << decimal(child.redPerSentence) << QString::number(child.helps)
            << child.lastPractice.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
        table.rows.push_back(row);
    }
    return table;
}

QByteArray overviewCsv(const OverviewTable& table) {
    QByteArray bytes = Utf8Bom.toByteArray() + practicerecord::csvLine(table.header);
    for (const QStringList& row : table.rows)
        bytes += practicerecord::csvLine(row);
    return bytes;
}

} // namespace tivoral
