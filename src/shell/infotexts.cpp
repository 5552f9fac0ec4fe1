#include "shell/infotexts.h"
#include "platform/textmarks.h"

#include <QStringList>

namespace tivoral::infotexts {

namespace {
constexpr int SeparatorLength = 52;
} // namespace

QString notice() {
    return QStringList{
        QStringLiteral("Tivoral ist ein Übungsprogramm für Kinder,"),
        QStringLiteral("denen Lesen und Rechtschreiben schwerfallen."),
        QStringLiteral("Lehrkräfte und Eltern schreiben die Übungssätze"),
        QStringLiteral("in einfache Textdateien; die Kinder üben sie in"),
        QStringLiteral("vier Übungen und sammeln dabei Punkte"),
        QStringLiteral("für das Belohnungsspiel „Wortfange“."),
    }
        .join(CRLF);
}

QString credits() {
    const QString separator(SeparatorLength, QLatin1Char('-'));
    return QStringList{
        QStringLiteral("Programm und Gestaltung: Tivoral-Entwicklerteam"),
        separator,
        QStringLiteral("Freie Software unter der GNU General Public License,"),
        QStringLiteral("Version 3 oder neuer: Sie darf weitergegeben und"),
        QStringLiteral("verändert werden, ohne jede Gewährleistung."),
        separator,
        QStringLiteral("Erstellt mit dem Qt-Toolkit."),
    }
        .join(CRLF);
}

} // namespace tivoral::infotexts
