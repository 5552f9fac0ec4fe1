#include "store/practiceoverview.h"

#include "platform/textcase.h"
#include "store/practicerecord.h"

#include <QHash>
#include <QLocale>
#include <QSet>

#include <algorithm>

namespace tivoral {

namespace {

using Event = PracticeEntry::Event;

constexpr QByteArrayView Utf8Bom("\xEF\xBB\xBF");
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

struct Totals {
    QSet<QDate> days;
    int seconds = 0;
    int redAnswers = 0;
};

} // namespace

PracticeOverview::PracticeOverview(const std::vector<PracticeEntry>& entries) : entries_(entries) {
    QHash<QString, ChildFigures> figures;
    QHash<QString, Totals> totals;
    QSet<QString> exercises;
    for (const PracticeEntry& entry : entries) {
        ChildFigures& child = figures[entry.user];
        Totals& sums = totals[entry.user];
        child.user = entry.user;
        sums.days.insert(entry.when.date());
        child.lastPractice = std::max(child.lastPractice, entry.when);
        if (isHelp(entry.event))
            ++child.helps;
        if (entry.event != Event::SentenceFinished)
            continue;
        ++child.finished;
        ++child.finishedPerExercise[entry.exercise];
        exercises.insert(entry.exercise);
        sums.seconds += entry.seconds;
        sums.redAnswers += entry.redAnswers;
    }

    QStringList users = figures.keys();
    sortCaseInsensitive(users);
    for (const QString& user : users) {
        ChildFigures child = figures.value(user);
        const Totals& sums = totals[user];
        child.daysPractised = int(sums.days.size());
        child.averageSeconds = perSentence(sums.seconds, child.finished);
        child.redPerSentence = perSentence(sums.redAnswers, child.finished);
        children_.push_back(child);
    }
    exercises_ = exercises.values();
    sortCaseInsensitive(exercises_);
}

std::vector<PracticeDay> PracticeOverview::days(const QString& user, QDate lastDay) const {
    const QDate firstDay = lastDay.addDays(1 - ChartDays);
    std::vector<PracticeDay> days(ChartDays);
    std::vector<int> redAnswers(ChartDays);
    for (int day = 0; day < ChartDays; ++day)
        days[size_t(day)].date = firstDay.addDays(day);
    for (const PracticeEntry& entry : entries_) {
        const qint64 day = firstDay.daysTo(entry.when.date());
        if (entry.user != user || entry.event != Event::SentenceFinished || day < 0 ||
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
    QHash<QString, TroubleSentence> bySentence;
    for (const PracticeEntry& entry : entries_) {
        if (entry.user != user || entry.event != Event::SentenceFinished)
            continue;
        TroubleSentence& trouble = bySentence[entry.sentence];
        trouble.sentence = entry.sentence;
        ++trouble.attempts;
        trouble.redAnswers += entry.redAnswers;
        trouble.helps += entry.helps;
    }
    std::vector<TroubleSentence> troubles;
    for (const TroubleSentence& trouble : std::as_const(bySentence))
        if (trouble.redAnswers + trouble.helps > 0)
            troubles.push_back(trouble);
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
                 << QStringLiteral("Sekunden pro Satz") << QStringLiteral("Rot pro Satz")
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
