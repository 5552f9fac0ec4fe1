#pragma once

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QString>
#include <QTime>

// A class's year of practice record for the benchmarks: 25 children, four thousand lines a day,
// every tenth sentence quoted with ";" and doubled quotes.
namespace tivoral::benchrecord {

inline constexpr int Lines = 1'000'000;
inline constexpr int Children = 25;
inline constexpr int SentencesPerFile = 40;
inline constexpr int LinesPerDay = 4000;
inline constexpr int SecondsPerDay = 24 * 60 * 60;
inline constexpr int QuotedEvery = 10;

inline QByteArray line(int number, const QDate& firstDay = QDate(2026, 1, 1)) {
    const QDate day = firstDay.addDays(number / LinesPerDay);
    const QTime time = QTime(0, 0).addSecs(number % LinesPerDay * SecondsPerDay / LinesPerDay);
    const int sentence = number % SentencesPerFile;
    const QByteArray text = sentence % QuotedEvery == 0
                                ? QByteArray("\"Er rief: \"\"Halt; warte!\"\" und lief weiter.\"")
                                : "Der Bauer f\xC3\xA4hrt mit dem Traktor aufs Feld " +
                                      QByteArray::number(sentence) + '.';
    return day.toString(Qt::ISODate).toLatin1() + ';' + time.toString(Qt::ISODate).toLatin1() +
           ";Kind " + QByteArray::number(number % Children) + ";Satz fertig;Dosensatz;SAETZE.TXT;" +
           text + ';' + QByteArray::number(number % 60) + ";1;0;3\r\n";
}

// Writes the record; its size in bytes, or -1 when it could not be written.
inline qint64 write(const QString& path, int lines = Lines,
                    const QDate& firstDay = QDate(2026, 1, 1)) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    file.write("\xEF\xBB\xBF"
               "Datum;Uhrzeit;Benutzer;Ereignis;\xC3\x9C"
               "bung;Datei;Satz;Sekunden;Rot;Hilfen;Punkte\r\n");
    for (int number = 0; number < lines; ++number)
        file.write(line(number, firstDay));
    return file.size();
}

} // namespace tivoral::benchrecord
