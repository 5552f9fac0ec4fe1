#include "store/practiceentry.h"

#include <array>
#include <utility>

namespace tivoral::practicerecord {

namespace {
using Event = PracticeEntry::Event;
const std::array<std::pair<Event, const char*>, 5> EventTexts{{
    {Event::SentenceFinished, "Satz fertig"},
    {Event::Lupe, "Lupe"},
    {Event::Rettungsring, "Rettungsring"},
    {Event::SentenceSkipped, "Satz übersprungen"},
    {Event::Wortfange, "Wortfange"},
}};
} // namespace

QStringList columns() {
    return QString::fromUtf8("Datum;Uhrzeit;Kind;Ereignis;Übung;Datei;Satz;Sekunden;Rot;"
                             "Hilfen;Punkte")
        .split(QLatin1Char(Separator));
}

QString eventText(Event event) {
    for (const auto& [known, text] : EventTexts)
        if (known == event)
            return QString::fromUtf8(text);
    return {};
}

std::optional<Event> eventFromText(const QString& text) {
    for (const auto& [event, known] : EventTexts)
        if (text == QString::fromUtf8(known))
            return event;
    return std::nullopt;
}

} // namespace tivoral::practicerecord
