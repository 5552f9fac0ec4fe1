#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QIODevice;

namespace tivoral::textfile {

struct ReadLimits {
    static constexpr qsizetype DefaultMaxLineBytes = 64 * 1024;
    static constexpr qsizetype DefaultMaxTotalBytes = 32 * 1024 * 1024;
    static constexpr qint64 DefaultMaxReadBytes = 256 * 1024 * 1024;
    // Lines kept at most; reading stops there, so any file size reads in bounded memory.
    int maxLines = 32767;
    // Longer lines are skipped without being kept in memory.
    qsizetype maxLineBytes = DefaultMaxLineBytes;
    // Reading also stops before the kept lines grow beyond this many bytes, so that many long
    // lines cannot fill the memory either.
    qsizetype maxTotalBytes = DefaultMaxTotalBytes;
    // Reading stops after this many bytes, skipped lines included, so no file (however made)
    // keeps the program waiting.
    qint64 maxReadBytes = DefaultMaxReadBytes;
};

struct ReadResult {
    bool ok = false;        // the file was opened and read to its end or to the line limit
    QStringList lines;      // decoded, without their line ends
    bool truncated = false; // more lines followed after a limit
    int overlongLines = 0;  // lines skipped because they exceeded maxLineBytes
};

// Decides per raw line (before decoding) whether it is kept; blanks and empty lines look the
// same in every encoding this program reads.
using LineFilter = std::function<bool(const QByteArray& rawLine)>;

// Reads a text file in UTF-8 (with BOM, or valid UTF-8 holding a multi-byte sequence) or
// otherwise Windows-1252. CR LF, LF and a lone CR all end a line; a last line without a line
// end counts too.
ReadResult readLines(const QString& path, const ReadLimits& limits = {},
                     const LineFilter& keep = {});
// The same from an open device (ok is false when a read fails).
ReadResult readLines(QIODevice& device, const ReadLimits& limits = {}, const LineFilter& keep = {});
// The whole file, opened as readLines opens it; nothing when it cannot be read or holds more
// than maxBytes.
std::optional<QByteArray> readWholeUpTo(const QString& path, qint64 maxBytes);
// At most maxBytes from an open device, read to its end rather than by its size, which a shared
// folder may report stale while another computer writes the file.
QByteArray readUpTo(QIODevice& device, qint64 maxBytes);

// Windows-1252 with CR LF; UTF-8 with BOM when a character has no Windows-1252 byte.
QByteArray encodeLines(const QStringList& lines);
QString decode(const QByteArray& bytes);
// For a reader that has decided on the file's encoding by the same rule itself.
QString decodeWindows1252(QByteArrayView bytes);

// Files are read and written only where they are regular files inside their folder, also when
// reached through a link (see safefile.h); anything else counts as unreadable or unwritable.

// Replaces the file as a whole or not at all, and says why in German (error, if given) when it
// failed. A folder that refuses new files but holds a writable file gets it rewritten in place.
bool writeLinesAtomic(const QString& path, const QStringList& lines, QString* error = nullptr);
// The same for bytes already encoded.
bool writeBytesAtomic(const QString& path, const QByteArray& bytes, QString* error = nullptr);
// Adds one line at the end, on a line of its own and in the encoding the file already has; a
// Windows-1252 file that cannot hold the line is rewritten as UTF-8 with BOM first.
bool appendLine(const QString& path, const QString& line, QString* error = nullptr);
// Adds bytes at the end as they are, or cuts the file back to its old end when that fails. The
// caller holds the folder lock: the file is extended at its end as it was seen, not with
// O_APPEND, which SMB clients on FUSE refuse.
bool appendBytes(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Grants the owner write permission when it is missing. True when the file is writable after.
bool clearReadOnly(const QString& path);
bool isReadOnly(const QString& path);

} // namespace tivoral::textfile
