#pragma once

#include <QString>

#include <cerrno>
#include <optional>

class QFile;

namespace tivoral::safefile {

// Whether a path with nothing behind it may be used (to be created) or not.
enum class Missing { Refused, Allowed };

// The path a file of a folder is really read or written at: the file itself, or the file its
// link leads to when that stays inside the folder (judged on canonical paths, so a folder that
// is itself a link works). Nothing, with the reason in German, for a link that leads out of the
// folder or nowhere, and for anything but a regular file.
std::optional<QString> resolve(const QString& path, Missing missing, QString* error = nullptr);

// Opens a regular file for reading without ever blocking: a FIFO or device put in its place
// after resolve() is refused, not waited for.
bool openForReading(const QString& resolvedPath, QFile& file);
// Opens a regular file for writing at its end (creating it when missing), likewise, and
// unbuffered, so that each write is one system call. Not with O_APPEND: SMB clients on FUSE
// refuse it and then hang, so the caller must hold the folder lock while it extends the file.
bool openForAppending(const QString& resolvedPath, QFile& file);

// True when something stands at the path, be it a file, a folder, a FIFO or a link leading
// nowhere.
bool entryExists(const QString& path);

// What went wrong, in German, from the system's error number: each cause its own sentence, and
// "kein Platz" only for a full disk or a file grown too large.
QString failureText(int systemError);
// Why a file could not be opened for writing, in German (errno as the failed call left it).
QString openFailureText(const QString& path, int systemError = errno);
// Why writing to an open file failed, in German.
QString writeFailureText(int systemError = errno);
QString readFailureText();

} // namespace tivoral::safefile
