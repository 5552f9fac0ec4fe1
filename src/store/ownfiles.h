#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

namespace tivoral::ownfiles {

// The game's high-score list; its library sits above the store, which must still know it.
inline constexpr const char* HighScoreFileName = "BESTDOSE.LST";
// The sentence editor's unsaved edits, kept when a desktop session ended without asking.
inline constexpr const char* RecoveryFileName = "TIVORAL.REC";

// Every file the program keeps for itself in the working folder. A saved sentence list never
// replaces one of them; a file added to the program belongs here.
const QStringList& names();

// True when fileName (a bare name or a path) names one of them, whatever its letter case.
bool isOwnFile(const QString& fileName);

// Removes temporary files that a write of the program left when it was killed (TIVORAL.INF.a1B2c3):
// those of its own files' names that no copy has touched for a while.
void removeStaleTemporaries(const QDir& folder);

} // namespace tivoral::ownfiles
