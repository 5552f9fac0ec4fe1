#include "store/practicerecordrewriter.h"

#include "platform/textfile.h"
#include "platform/textmarks.h"
#include "store/practicerecord.h"
#include "store/practicerecordreader.h"

#include <algorithm>

namespace tivoral {

namespace {
constexpr char FieldQuote = '"';
constexpr char LineEndByte = '\n';
} // namespace

PracticeRecordRewriter::PracticeRecordRewriter(const QString& user,
                                               const std::optional<QString>& newName)
    : user_(user), newName_(newName),
      userBytes_(QString(user).replace(QStringLiteral("\""), QStringLiteral("\"\"")).toUtf8()) {}

qsizetype PracticeRecordRewriter::lineLength(QByteArrayView rest) {
    // Most lines hold no quote, and then their first line feed ends them.
    const qsizetype lineFeed = rest.indexOf(LineEndByte);
    const qsizetype plainEnd = lineFeed < 0 ? rest.size() : lineFeed + 1;
    if (!rest.first(plainEnd).contains(FieldQuote))
        return plainEnd;
    // The record's reader never reads a line longer than this; neither is one looked for here.
    const qsizetype limit = std::min(rest.size(), practicerecord::MaxLineBytes + 2);
    bool quoted = false;
    bool fieldStart = true;
    for (qsizetype i = 0; i < limit; ++i) {
        const char c = rest[i];
        if (quoted) {
            if (c == FieldQuote && i + 1 < rest.size() && rest[i + 1] == FieldQuote)
                ++i;
            else if (c == FieldQuote)
                quoted = false;
            continue;
        }
        if (c == LineEndByte)
            return i + 1;
        quoted = fieldStart && c == FieldQuote;
        fieldStart = c == practicerecord::Separator;
    }
    if (limit == rest.size() && !quoted)
        return rest.size();
    // A quote never closed: as the reader does, the damaged line ends at the first line feed.
    return plainEnd;
}

std::optional<QByteArray> PracticeRecordRewriter::changed(QByteArrayView line) const {
    if (userBytes_.isEmpty() || !line.contains(userBytes_))
        return std::nullopt;
    // A whole line of another child keeps its bytes without being read: the name may stand in
    // its sentence, and most lines of a class are another child's.
    if (const std::optional<QString> lineUser = practicerecord::userOfLine(line);
        lineUser && *lineUser != user_)
        return std::nullopt;
    practicerecord::ReadLimits limits;
    // One line only: a buffer of the line's size, not of the file's pieces.
    limits.chunkBytes = line.size();
    limits.maxLineBytes = std::min(line.size(), practicerecord::MaxLineBytes);
    const PracticeRecordContents read = practicerecord::parse(line, limits);
    if (read.entries.size() == 1 && read.damagedLines == 0) {
        PracticeEntry entry = read.entry(read.entries.front());
        if (entry.user != user_)
            return std::nullopt;
        if (!newName_)
            return QByteArray();
        entry.user = *newName_;
        return PracticeRecord::lineBytes(entry);
    }
    if (!newName_ && read.damagedLines > 0)
        return QByteArray();
    return std::nullopt;
}

PracticeRecordRewriter::Result PracticeRecordRewriter::rewrite(QByteArrayView record) const {
    // A record a spreadsheet saved in Windows-1252 is rewritten as UTF-8 with BOM, as the program
    // writes it: renamed lines in UTF-8 among Windows-1252 ones would read wrongly.
    if (!record.startsWith(Utf8Bom) && !record.isValidUtf8())
        return rewriteUtf8(
            QByteArray(Utf8Bom.toByteArray() + textfile::decodeWindows1252(record).toUtf8()));
    return rewriteUtf8(record);
}

PracticeRecordRewriter::Result PracticeRecordRewriter::rewriteUtf8(QByteArrayView record) const {
    Result result;
    result.bytes.reserve(record.size());
    QByteArrayView rest = record;
    if (rest.startsWith(Utf8Bom)) {
        result.bytes.append(Utf8Bom);
        rest = rest.sliced(Utf8Bom.size());
    }
    while (!rest.isEmpty()) {
        const QByteArrayView line = rest.first(lineLength(rest));
        if (const std::optional<QByteArray> now = changed(line)) {
            result.bytes.append(*now);
            ++result.changedLines;
        } else {
            result.bytes.append(line);
        }
        rest = rest.sliced(line.size());
    }
    return result;
}

} // namespace tivoral
