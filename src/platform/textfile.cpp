#include "platform/textfile.h"

#include "platform/safefile.h"
#include "platform/textmarks.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

namespace tivoral::textfile {

namespace {

constexpr qsizetype ReadChunkBytes = 64 * 1024;
constexpr char LineEnd[] = "\r\n";

// The characters of Windows-1252 bytes 0x80 to 0x9F; 0 marks the five unused bytes, which map
// to the C1 control of the same number.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QChar cp1252Char(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        const char16_t mapped = Cp1252High[byte - 0x80];
        return QChar(mapped ? mapped : char16_t(byte));
    }
    return QChar(char16_t(byte));
}

// Windows-1252 byte for a character, or -1 when it has none.
int cp1252Byte(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (std::size_t i = 0; i < Cp1252High.size(); ++i)
        if (Cp1252High[i] == u && u != 0)
            return int(0x80 + i);
    if (u >= 0x80 && u <= 0x9F)
        return Cp1252High[u - 0x80] == 0 ? int(u) : -1;
    return -1;
}

bool isC1Byte(char b) {
    return static_cast<unsigned char>(b) - 0x80u < 0x20u;
}

QString decodeCp1252(QByteArrayView bytes) {
    // Latin-1 agrees with Windows-1252 except for 0x80 to 0x9F, which most lines lack.
    QString text = QString::fromLatin1(bytes);
    bool anyC1 = false;
    for (char b : bytes)
        anyC1 |= isC1Byte(b);
    if (!anyC1)
        return text;
    QChar* out = text.data();
    for (char b : bytes) {
        if (isC1Byte(b))
            *out = cp1252Char(static_cast<unsigned char>(b));
        ++out;
    }
    return text;
}

// A BOM inside a line is a character of that line; only the file's own BOM is dropped.
QString decodeUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    return decoder(bytes);
}

// Eight bytes at a time: a whole list of plain ASCII is gone through quickly, and a list with
// umlauts stops at the first.
bool hasHighByte(QByteArrayView bytes) {
    constexpr std::uint64_t HighBits = 0x8080808080808080;
    const char* const data = bytes.data();
    qsizetype at = 0;
    for (; at + qsizetype(sizeof HighBits) <= bytes.size(); at += sizeof HighBits) {
        std::uint64_t word = 0;
        std::memcpy(&word, data + at, sizeof word);
        if (word & HighBits)
            return true;
    }
    for (; at < bytes.size(); ++at)
        if (static_cast<unsigned char>(data[at]) >= 0x80)
            return true;
    return false;
}

bool isValidUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString unused = decoder(bytes);
    return !decoder.hasError();
}

// Splits a byte stream into lines at CR LF, LF or a lone CR, across chunk borders.
class LineSplitter {
public:
    LineSplitter(const ReadLimits& limits, const LineFilter& keep, ReadResult& result)
        : limits_(limits), keep_(keep), result_(result) {}

    // False once a limit is reached and reading should stop.
    bool feed(const char* data, qsizetype size) {
        qsizetype pos = 0;
        if (afterCr_ && size > 0 && data[0] == '\n')
            pos = 1;
        afterCr_ = false;
        while (pos < size) {
            const char* start = data + pos;
            const auto* end = static_cast<const char*>(findLineEnd(start, size - pos));
            const qsizetype take = end ? end - start : size - pos;
            addToLine(start, take);
            pos += take;
            if (!end)
                break;
            if (*end == '\r') {
                if (pos + 1 < size && data[pos + 1] == '\n')
                    ++pos;
                else if (pos + 1 == size)
                    afterCr_ = true;
            }
            ++pos;
            if (!endLine())
                return false;
        }
        return true;
    }

    void finish() {
        if (!line_.isEmpty() || overlong_)
            endLine();
    }

    // All kept lines one after the other, without their line ends.
    QByteArrayView keptBytes() const { return kept_; }

    // The kept lines, as views into a buffer that lives as long as the splitter.
    QList<QByteArrayView> lines() const {
        QList<QByteArrayView> views;
        views.reserve(lineEnds_.size());
        qsizetype begin = 0;
        for (qsizetype end : lineEnds_) {
            views.append(QByteArrayView(kept_).sliced(begin, end - begin));
            begin = end;
        }
        return views;
    }

private:
    static const void* findLineEnd(const char* start, qsizetype size) {
        const void* lf = std::memchr(start, '\n', size_t(size));
        const qsizetype limit = lf ? static_cast<const char*>(lf) - start : size;
        const void* cr = std::memchr(start, '\r', size_t(limit));
        return cr ? cr : lf;
    }

    void addToLine(const char* start, qsizetype size) {
        if (overlong_)
            return;
        if (line_.size() + size > limits_.maxLineBytes) {
            overlong_ = true;
            line_.clear();
            return;
        }
        line_.append(start, size);
    }

    bool endLine() {
        if (overlong_) {
            ++result_.overlongLines;
        } else if (!keep_ || keep_(line_)) {
            if (lineEnds_.size() >= limits_.maxLines ||
                kept_.size() + line_.size() > limits_.maxTotalBytes) {
                result_.truncated = true;
                return false;
            }
            // One buffer for all lines spares an allocation per line.
            kept_.append(line_);
            lineEnds_.append(kept_.size());
        }
        line_.resize(0); // keeps its capacity for the next line
        overlong_ = false;
        return true;
    }

    const ReadLimits& limits_;
    const LineFilter& keep_;
    ReadResult& result_;
    QByteArray kept_;
    QList<qsizetype> lineEnds_;
    QByteArray line_;
    bool overlong_ = false;
    bool afterCr_ = false;
};

// The new file takes over the permissions of the one it replaces; a file its owner cannot read
// would be written in vain and replaced again at every start.
void grantOwnerRead(const QString& resolvedPath) {
    const QFileDevice::Permissions permissions = QFile::permissions(resolvedPath);
    if (!(permissions & QFileDevice::ReadOwner))
        QFile::setPermissions(resolvedPath,
                              permissions | QFileDevice::ReadOwner | QFileDevice::ReadUser);
}

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

// Every byte written, flushed and the file closed without an error. commit() alone does not see a
// failed flush of the last buffered bytes and would put a cut file in place of the old one.
// On failure, cause holds the system's error number of the step that failed.
bool writeAndCommit(QSaveFile& file, const QByteArray& bytes, int& cause) {
    errno = 0;
    if (file.write(bytes) == bytes.size() && file.flush() && file.commit())
        return true;
    cause = errno;
    return false;
}

std::optional<QByteArray> readWhole(const QString& resolvedPath) {
    QFile file;
    if (!safefile::openForReading(resolvedPath, file))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// Only for a folder that refuses the temporary file or the rename while the file itself may be
// written (a locked class folder with writable data files, a folder with the sticky bit). This path
// is NOT atomic: the file is truncated and rewritten in place, so a failure is mended by writing
// the old bytes back.
bool writeInPlace(const QString& resolvedPath, const QByteArray& bytes, QString* error) {
    const std::optional<QByteArray> old = readWhole(resolvedPath);
    if (!old) {
        setError(error, safefile::openFailureText(resolvedPath));
        return false;
    }
    QFile file(resolvedPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        setError(error, safefile::openFailureText(resolvedPath));
        return false;
    }
    errno = 0;
    if (file.write(bytes) == bytes.size() && file.flush())
        return true;
    setError(error, safefile::writeFailureText(errno));
    file.close();
    QFile restore(resolvedPath);
    if (restore.open(QIODevice::WriteOnly | QIODevice::Truncate))
        restore.write(*old);
    return false;
}

} // namespace

bool writeBytesAtomic(const QString& path, const QByteArray& bytes, QString* error) {
    const std::optional<QString> target =
        safefile::resolve(path, safefile::Missing::Allowed, error);
    if (!target)
        return false;
    const QFileInfo existing(*target);
    const bool mayRewriteInPlace = existing.isFile() && existing.isWritable();
    QSaveFile file(*target);
    if (!file.open(QIODevice::WriteOnly)) {
        if (mayRewriteInPlace)
            return writeInPlace(*target, bytes, error);
        setError(error, safefile::openFailureText(*target));
        return false;
    }
    int cause = 0;
    if (!writeAndCommit(file, bytes, cause)) {
        // The temporary file goes; the old file stays as it was.
        file.cancelWriting();
        // A folder with the sticky bit (a class folder of mode 3775) takes new files but lets
        // nobody replace another user's file; a file the group may write is rewritten in place.
        if ((cause == EPERM || cause == EACCES) && mayRewriteInPlace)
            return writeInPlace(*target, bytes, error);
        setError(error, safefile::writeFailureText(cause));
        return false;
    }
    grantOwnerRead(*target);
    return true;
}

namespace {

// Windows-1252 bytes of a text, or nothing when a character has no byte there.
std::optional<QByteArray> toCp1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const int b = cp1252Byte(c);
        if (b < 0)
            return std::nullopt;
        bytes.append(char(b));
    }
    return bytes;
}

// What an append must know about the file it extends.
struct AppendTarget {
    bool hasText = false;
    bool utf8 = false; // a BOM, or valid UTF-8 holding a multi-byte sequence
    bool highBytes = false;
    bool endsWithLineEnd = true;
};

// Nothing when the file exists but cannot be read.
std::optional<AppendTarget> inspectForAppend(const QString& resolvedPath, QString* error) {
    AppendTarget target;
    if (!QFileInfo::exists(resolvedPath))
        return target;
    QFile file;
    if (!safefile::openForReading(resolvedPath, file)) {
        setError(error, safefile::readFailureText());
        return std::nullopt;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    bool bom = false;
    char last = '\n';
    for (QByteArray chunk; !(chunk = file.read(ReadChunkBytes)).isEmpty();) {
        if (!target.hasText)
            bom = chunk.startsWith(Utf8Bom);
        target.hasText = true;
        target.highBytes = target.highBytes || hasHighByte(chunk);
        const QString checked = utf8(chunk);
        last = chunk.back();
    }
    // A line end after the last chunk shows up a multi-byte sequence left unfinished.
    const QString end = utf8(QByteArrayView(LineEnd));
    target.utf8 = bom || (target.highBytes && !utf8.hasError());
    target.endsWithLineEnd = last == '\n' || last == '\r';
    return target;
}

// Errors of a client that cannot write into an existing file at a position, while the same
// file may well be replaced whole (some SMB and FUSE clients).
bool refusesWritingInPlace(int cause) {
    return cause == EIO || cause == EINVAL || cause == EOPNOTSUPP || cause == ENOSYS;
}

// A failed append cuts the file back to its old end, so no half line stays behind. Where the
// file system cannot extend the file, it is read, changed and replaced as a whole.
bool appendResolved(const QString& resolvedPath, const QByteArray& bytes, QString* error) {
    QFile file;
    errno = 0;
    int cause = 0;
    if (safefile::openForAppending(resolvedPath, file)) {
        const qint64 oldSize = file.pos();
        errno = 0;
        if (file.write(bytes) == bytes.size())
            return true;
        cause = errno;
        file.resize(oldSize);
    } else {
        cause = errno;
    }
    if (refusesWritingInPlace(cause)) {
        if (const std::optional<QByteArray> old = readWhole(resolvedPath))
            return writeBytesAtomic(resolvedPath, *old + bytes, error);
    }
    setError(error, file.isOpen() ? safefile::writeFailureText(cause)
                                  : safefile::openFailureText(resolvedPath, cause));
    return false;
}

// A Windows-1252 file that must take a character it cannot hold becomes UTF-8 as a whole.
bool rewriteAsUtf8WithLine(const QString& resolvedPath, const QString& line, QString* error) {
    const std::optional<QByteArray> old = readWhole(resolvedPath);
    if (!old) {
        setError(error, safefile::readFailureText());
        return false;
    }
    QByteArray bytes = Utf8Bom.toByteArray() + decodeCp1252(*old).toUtf8();
    if (!bytes.endsWith('\n') && !bytes.endsWith('\r'))
        bytes += LineEnd;
    bytes += line.toUtf8() + LineEnd;
    return writeBytesAtomic(resolvedPath, bytes, error);
}

} // namespace

QString decodeWindows1252(QByteArrayView bytes) {
    return decodeCp1252(bytes);
}

QString decode(const QByteArray& bytes) {
    if (bytes.startsWith(Utf8Bom))
        return decodeUtf8(bytes.mid(Utf8Bom.size()));
    if (hasHighByte(bytes) && isValidUtf8(bytes))
        return decodeUtf8(bytes);
    return decodeCp1252(bytes);
}

ReadResult readLines(const QString& path, const ReadLimits& limits, const LineFilter& keep) {
    const std::optional<QString> target = safefile::resolve(path, safefile::Missing::Refused);
    QFile file;
    if (!target || !safefile::openForReading(*target, file))
        return {};
    return readLines(file, limits, keep);
}

std::optional<QByteArray> readWholeUpTo(const QString& path, qint64 maxBytes) {
    const std::optional<QString> target = safefile::resolve(path, safefile::Missing::Refused);
    QFile file;
    if (!target || !safefile::openForReading(*target, file))
        return std::nullopt;
    // One byte more than allowed tells a larger file apart.
    QByteArray bytes = readUpTo(file, maxBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > maxBytes)
        return std::nullopt;
    return bytes;
}

QByteArray readUpTo(QIODevice& device, qint64 maxBytes) {
    QByteArray bytes;
    while (bytes.size() < maxBytes) {
        const QByteArray chunk =
            device.read(std::min<qint64>(ReadChunkBytes, maxBytes - bytes.size()));
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    return bytes;
}

ReadResult readLines(QIODevice& file, const ReadLimits& limits, const LineFilter& keep) {
    ReadResult result;
    LineSplitter splitter(limits, keep, result);
    QByteArray chunk(ReadChunkBytes, Qt::Uninitialized);
    bool first = true;
    bool utf8Bom = false;
    bool more = true;
    qint64 readBytes = 0;
    while (more) {
        if (readBytes >= limits.maxReadBytes) {
            result.truncated = true;
            more = false; // the line read last is not known to be whole
            break;
        }
        const qint64 got = file.read(chunk.data(), ReadChunkBytes);
        if (got < 0)
            return result;
        if (got == 0)
            break;
        readBytes += got;
        const char* data = chunk.constData();
        qsizetype size = got;
        if (first && QByteArrayView(data, size).startsWith(Utf8Bom)) {
            utf8Bom = true;
            data += Utf8Bom.size();
            size -= Utf8Bom.size();
        }
        first = false;
        more = splitter.feed(data, size);
    }
    if (more)
        splitter.finish();

    const QList<QByteArrayView> raw = splitter.lines();
    // Plain ASCII reads the same in either encoding; its lines need no looking at one by one.
    const bool ascii = !hasHighByte(splitter.keptBytes());
    bool utf8 = utf8Bom;
    if (!utf8 && !ascii) {
        bool anyHigh = false;
        bool valid = true;
        for (QByteArrayView line : raw) {
            if (hasHighByte(line)) {
                anyHigh = true;
                if (!isValidUtf8(line)) {
                    valid = false;
                    break;
                }
            }
        }
        utf8 = anyHigh && valid;
    }
    result.lines.reserve(raw.size());
    for (QByteArrayView line : raw)
        result.lines.append(ascii  ? QString::fromLatin1(line)
                            : utf8 ? decodeUtf8(line)
                                   : decodeCp1252(line));
    result.ok = true;
    return result;
}

QByteArray encodeLines(const QStringList& lines) {
    QByteArray bytes;
    bool representable = true;
    for (const QString& line : lines) {
        const std::optional<QByteArray> encoded = toCp1252(line);
        representable = encoded.has_value();
        if (!representable)
            break;
        bytes.append(*encoded);
        bytes.append(LineEnd);
    }
    // Windows-1252 bytes that start like a BOM, or that happen to form valid UTF-8, would be
    // read back as other characters; UTF-8 with BOM keeps them.
    if (representable && !bytes.startsWith(Utf8Bom) && !(hasHighByte(bytes) && isValidUtf8(bytes)))
        return bytes;

    bytes = Utf8Bom.toByteArray();
    for (const QString& line : lines) {
        bytes.append(line.toUtf8());
        bytes.append(LineEnd);
    }
    return bytes;
}

bool writeLinesAtomic(const QString& path, const QStringList& lines, QString* error) {
    return writeBytesAtomic(path, encodeLines(lines), error);
}

bool appendLine(const QString& path, const QString& line, QString* error) {
    const std::optional<QString> resolved =
        safefile::resolve(path, safefile::Missing::Allowed, error);
    if (!resolved)
        return false;
    const std::optional<AppendTarget> target = inspectForAppend(*resolved, error);
    if (!target)
        return false;
    if (!target->hasText)
        return appendResolved(*resolved, encodeLines({line}), error);

    // The new line goes on a line of its own and in the file's encoding, so that the whole
    // file still reads back as one encoding.
    QByteArray bytes = target->endsWithLineEnd ? QByteArray() : QByteArray(LineEnd);
    const std::optional<QByteArray> cp1252 = toCp1252(line);
    if (target->utf8 || (!cp1252 && !target->highBytes))
        bytes += line.toUtf8();
    else if (cp1252)
        bytes += *cp1252;
    else
        return rewriteAsUtf8WithLine(*resolved, line, error);
    bytes += LineEnd;
    return appendResolved(*resolved, bytes, error);
}

bool appendBytes(const QString& path, const QByteArray& bytes, QString* error) {
    const std::optional<QString> resolved =
        safefile::resolve(path, safefile::Missing::Allowed, error);
    return resolved && appendResolved(*resolved, bytes, error);
}

bool isReadOnly(const QString& path) {
    const std::optional<QString> target = safefile::resolve(path, safefile::Missing::Refused);
    return target && !(QFile::permissions(*target) & QFileDevice::WriteOwner);
}

bool clearReadOnly(const QString& path) {
    // A file outside the folder keeps its protection: it is not the program's to write.
    const std::optional<QString> target = safefile::resolve(path, safefile::Missing::Refused);
    if (!target)
        return !safefile::entryExists(path);
    const QFileDevice::Permissions permissions = QFile::permissions(*target);
    if (permissions & QFileDevice::WriteOwner)
        return true;
    return QFile::setPermissions(*target,
                                 permissions | QFileDevice::WriteOwner | QFileDevice::WriteUser);
}

} // namespace tivoral::textfile
