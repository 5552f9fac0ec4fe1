#pragma once

#include "store/ownfiles.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <optional>

namespace tivoral {

// The results of Wortfange: "BESTDOSE.LST" in the working folder and the sorted entries shown
// after a game. An entry is "  24     57   Name": characters and seconds right-aligned in four
// places, so that the plain sorted text order is fewest characters, then fewest seconds, then
// the name. In the file each entry stands behind the marker ">".
class HighScoreList {
public:
    static constexpr const char* FileName = ownfiles::HighScoreFileName;
    static constexpr int MaxFileLines = 100;
    static constexpr int FieldWidth = 4;
    static constexpr QChar Marker = QLatin1Char('>');

    explicit HighScoreList(const QDir& folder);

    static QString makeEntry(int characters, int seconds, const QString& userName);
    // Each line is one entry, taken whole (a comma in a user name stays part of it); the marker
    // goes, blank lines are skipped.
    static QStringList entriesFromLines(const QStringList& lines);
    static void sort(QStringList& entries);
    // The entries with the user's own renamed, or left out when there is no new name; the
    // order is kept, so sort afterwards.
    static QStringList withUserChanged(const QStringList& entries, const QString& user,
                                       const std::optional<QString>& newName);
    // The first MaxFileLines entries, each behind the marker.
    static QStringList fileLines(const QStringList& sortedEntries);

    enum class AddResult {
        Saved,
        Busy,   // the folder lock could not be had (refusal() says why): nothing was written
        Failed, // the file could not be read whole or written; the old file stays as it was
    };

    // Inside the folder lock: reads the file, adds the entry, sorts, and rewrites the file in
    // one piece. entries() then holds the whole sorted list, also when the file could not be
    // read or written; when the lock was busy, it holds what the file holds, without the entry.
    AddResult add(const QString& entry);
    const QStringList& entries() const { return entries_; }
    // Why the last add found the folder lock busy, in German.
    const QString& refusal() const { return refusal_; }
    void clear() { entries_.clear(); }
    QString path() const;

private:
    // The entries in the file; nothing when it exists but cannot be read whole.
    std::optional<QStringList> readEntries() const;

    QDir folder_;
    QStringList entries_;
    QString refusal_;
};

} // namespace tivoral
