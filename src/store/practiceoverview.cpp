#include "store/practiceoverview.h"

#include "platform/textcase.h"
#include "platform/textmarks.h"
#include "store/practicerecord.h"

#include <QHash>
#include <QLocale>
#include <QSet>

#include <algorithm>
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

} // namespace

PracticeOverview::PracticeOverview(const PracticeRecordContents& record) : record_(record) {
    QHash<Text, Totals> totals;
    QSet<Text> exercises;
    for (const RecordedEntry& entry : record.entries) {
        Totals& sums = totals[entry.user];
        ChildFigures& child = sums.figures;
        sums.days.insert(entry.day);
        if (!sums.last || entry.secondsSinceDayZero() >= sums.last->secondsSinceDayZero())
            sums.last = &entry;
        if (isHelp(entry.event))
            ++child.helps;
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
    const QDate firstDay = lastDay.addDays(1 - ChartDays);
    std::vector<PracticeDay> days(ChartDays);
    std::vector<int> redAnswers(ChartDays);
    for (int day = 0; day < ChartDays; ++day)
        days[size_t(day)].date = firstDay.addDays(day);
    const std::optional<Text> userText = record_.find(user);
    for (const RecordedEntry& entry : record_.entries) {
        const qint64 day = entry.day - firstDay.toJulianDay();
        if (entry.user != userText || entry.event != Event::SentenceFinished || day < 0 ||
            day >= ChartDays)
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
        if (entry.user != userText || entry.event != Event::SentenceFinished)
            continue;
        TroubleSentence& trouble = bySentence[entry.sentence];
        ++trouble.attempts;
        trouble.redAnswers += entry.redAnswers;
        trouble.helps += entry.helps;
    }
    std::vector<TroubleSentence> troubles;
    for (auto trouble = bySentence.begin(); trouble != bySentence.end(); ++trouble) {
        if (trouble->redAnswers + trouble->helps == 0)
            continue;
        trouble->sentence = record_.text(trouble.key());
        troubles.push_back(*trouble);
    }
    const auto harder = [](const TroubleSentence& a, const TroubleSentence& b) {
        const int aScore = a.redAnswers + a.helps;
        const int bScore = b.redAnswers + b.helps;
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
                 << QStringLiteral("Sekunden pro Satz") << QStringLiteral("Rote Antworten pro Satz")
                 << QStringLiteral("Hilfen") << QStringLiteral("Zuletzt geübt");
    for (const ChildFigures& child : children_) {
        QStringList row{child.user, QString::number(child.daysPractised)};
        for (const QString& exercise : exercises_)
            row << QString::number(child.finishedPerExercise.value(exercise));
        row << decimal(child.averageSeconds) << decimal(child.redPerSentence)
            << QString::number(child.helps)
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
