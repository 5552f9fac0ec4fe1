#include "store/practicerecordreader.h"

#include "platform/safefile.h"
#include "platform/textfile.h"
#include "platform/textmarks.h"
#include "store/practicerecord.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>

namespace tivoral {

namespace {

using Text = RecordedEntry::Text;

enum class Encoding { Utf8, Windows1252 };

enum Column {
    Date,
    Time,
    User,
    EventColumn,
    Exercise,
    File,
    Sentence,
    Seconds,
    Red,
    Helps,
    Points
};
constexpr int ColumnCount = Points + 1;
constexpr char QuoteByte = '"';
constexpr char LineFeed = '\n';
constexpr char CarriageReturn = '\r';
constexpr int MaxNumberDigits = 9; // stays inside an int
constexpr int DecimalBase = 10;
constexpr int SecondsPerMinute = 60;
constexpr int SecondsPerHour = 60 * SecondsPerMinute;
constexpr qint64 SecondsPerDay = 24 * SecondsPerHour;

struct Field {
    QByteArrayView bytes;
    bool hasDoubledQuotes = false;
};
using Fields = std::array<Field, ColumnCount>;

const char* find(const char* from, const char* to, char wanted) {
    if (from >= to)
        return nullptr;
    return static_cast<const char*>(std::memchr(from, wanted, size_t(to - from)));
}

// Splits bytes into CSV lines of fields; a quoted field may hold ";", doubled quotes and line
// breaks. Any line that is not exactly one record is reported damaged. A line is read from at
// most maxLineBytes + 2 bytes, so that a reader fed in pieces gets the same lines as one fed the
// whole; only skipping a damaged line may look further.
class LineSplitter {
public:
    enum class Line { Read, Damaged };

    explicit LineSplitter(qsizetype maxLineBytes) : maxLineBytes_(maxLineBytes) {}

    void setBytes(QByteArrayView bytes) {
        position_ = bytes.data();
        end_ = bytes.data() + bytes.size();
    }
    qsizetype left() const { return end_ - position_; }
    const char* position() const { return position_; }
    // Bytes a line may need to be read as a whole, beyond which it is damaged.
    qsizetype lookahead() const { return maxLineBytes_ + 2; }

    // Reads the next line; fieldCount is 0 for an empty line. After a damaged line the position
    // stays at its start, for skipDamaged().
    Line next(Fields& fields, int& fieldCount) {
        lineStart_ = position_;
        limit_ = end_ - lineStart_ > maxLineBytes_ + 1 ? lineStart_ + maxLineBytes_ + 1 : end_;
        findLineEnd(position_);
        fieldCount = 0;
        if (lineEnd_ == position_ || (lineEnd_ == position_ + 1 && *position_ == CarriageReturn)) {
            position_ = lineEnd_ == end_ ? end_ : lineEnd_ + 1;
            return Line::Read;
        }
        for (;;) {
            Field field;
            const bool quoted = position_ != end_ && *position_ == QuoteByte;
            if (!(quoted ? readQuoted(field) : readPlain(field)) || fieldCount == ColumnCount ||
                position_ - lineStart_ > maxLineBytes_) {
                position_ = lineStart_;
                return Line::Damaged;
            }
            fields[fieldCount++] = field;
            if (position_ == end_)
                return Line::Read;
            if (*position_++ == LineFeed)
                return Line::Read;
        }
    }

    // Goes on after the first line feed of a damaged line, so a stray quote costs one line;
    // false when the bytes end before one.
    bool skipDamaged() {
        const char* lineFeed = find(position_, end_, LineFeed);
        position_ = lineFeed ? lineFeed + 1 : end_;
        return lineFeed != nullptr;
    }

private:
    void findLineEnd(const char* from) {
        const char* lineFeed = find(from, limit_, LineFeed);
        lineEnd_ = lineFeed ? lineFeed : limit_;
    }

    // Leaves the position at the ";" or line feed after the field (or at the line's limit).
    bool readPlain(Field& field) {
        const char* start = position_;
        const char* separator = find(start, lineEnd_, ';');
        const char* stop = separator ? separator : lineEnd_;
        position_ = stop;
        if (stop == lineEnd_ && stop != start && stop[-1] == CarriageReturn)
            --stop;
        field.bytes = QByteArrayView(start, stop - start);
        return true;
    }

    bool readQuoted(Field& field) {
        const char* start = ++position_;
        for (;;) {
            const char* quote = find(position_, limit_, QuoteByte);
            if (!quote)
                return false;
            position_ = quote + 1;
            if (position_ != end_ && *position_ == QuoteByte) {
                field.hasDoubledQuotes = true;
                ++position_;
                continue;
            }
            field.bytes = QByteArrayView(start, quote - start);
            if (quote > lineEnd_)
                findLineEnd(quote);
            if (lineEnd_ == position_ + 1 && *position_ == CarriageReturn)
                ++position_;
            return position_ == lineEnd_ || *position_ == ';';
        }
    }

    qsizetype maxLineBytes_;
    const char* position_ = nullptr;
    const char* end_ = nullptr;
    const char* lineStart_ = nullptr;
    const char* limit_ = nullptr;   // no byte beyond it belongs to a whole line
    const char* lineEnd_ = nullptr; // the line feed ending the line, or the limit
};

// A number field: empty is 0, otherwise an optional minus and digits.
bool readNumber(QByteArrayView bytes, int& number) {
    const bool negative = bytes.startsWith('-');
    if (negative)
        bytes = bytes.sliced(1);
    if (bytes.size() > MaxNumberDigits || (negative && bytes.isEmpty()))
        return false;
    int value = 0;
    for (const char digit : bytes) {
        if (digit < '0' || digit > '9')
            return false;
        value = value * DecimalBase + (digit - '0');
    }
    number = negative ? -value : value;
    return true;
}

// The number written in `width` digits at `at`, or -1.
int digitsAt(QByteArrayView bytes, qsizetype at, qsizetype width) {
    int value = 0;
    for (const char digit : bytes.sliced(at, width)) {
        if (digit < '0' || digit > '9')
            return -1;
        value = value * DecimalBase + (digit - '0');
    }
    return value;
}

// "2026-12-06" as a Julian day.
std::optional<qint64> readDay(QByteArrayView bytes) {
    constexpr qsizetype Length = 10;
    if (bytes.size() != Length || bytes[4] != '-' || bytes[7] != '-')
        return std::nullopt;
    const QDate date(digitsAt(bytes, 0, 4), digitsAt(bytes, 5, 2), digitsAt(bytes, 8, 2));
    return date.isValid() ? std::optional(date.toJulianDay()) : std::nullopt;
}

// "14:03:12" as seconds since midnight.
std::optional<int> readSecondOfDay(QByteArrayView bytes) {
    constexpr qsizetype Length = 8;
    if (bytes.size() != Length || bytes[2] != ':' || bytes[5] != ':')
        return std::nullopt;
    const int hours = digitsAt(bytes, 0, 2);
    const int minutes = digitsAt(bytes, 3, 2);
    const int seconds = digitsAt(bytes, 6, 2);
    if (!QTime::isValid(hours, minutes, seconds))
        return std::nullopt;
    return hours * SecondsPerHour + minutes * SecondsPerMinute + seconds;
}

bool isFormulaStart(char c) {
    return c == '=' || c == '+' || c == '-' || c == '@';
}

// The rule of every file of the folder, over all the bytes the reader takes: UTF-8 with a BOM,
// or valid UTF-8 holding a multi-byte sequence; otherwise Windows-1252 (a record that a
// spreadsheet saved again).
class EncodingProbe {
public:
    void feed(QByteArrayView bytes) {
        // Up to the first byte above ASCII the decoder has nothing to check.
        if (failed_ || (!highBytes_ && std::none_of(bytes.cbegin(), bytes.cend(), isHighByte)))
            return;
        highBytes_ = true;
        buffer_.resize(size_t(decoder_.requiredSpace(bytes.size())));
        decoder_.appendToBuffer(buffer_.data(), bytes);
        failed_ = decoder_.hasError();
    }

    Encoding result() {
        // A multi-byte sequence left open at the end is no UTF-8 either.
        feed(QByteArrayView("\n"));
        return failed_ ? Encoding::Windows1252 : Encoding::Utf8;
    }

private:
    static bool isHighByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

    QStringDecoder decoder_{QStringDecoder::Utf8};
    std::vector<QChar> buffer_;
    bool highBytes_ = false;
    bool failed_ = false;
};

// A column's last value and the field it was read from: a record repeats many a column's value
// line after line, and comparing bytes is cheaper than looking them up. The bytes are copied, as
// the buffer they came from is refilled.
template <typename Value> class LastValue {
public:
    template <typename Read> Value get(const Field& field, Read read) {
        const std::string_view bytes(field.bytes.data(), size_t(field.bytes.size()));
        if (!known_ || hasDoubledQuotes_ != field.hasDoubledQuotes || bytes != bytes_) {
            bytes_.assign(bytes);
            hasDoubledQuotes_ = field.hasDoubledQuotes;
            value_ = read();
            known_ = true;
        }
        return value_;
    }

private:
    std::string bytes_; // keeps its room, so a new value costs no allocation
    bool hasDoubledQuotes_ = false;
    Value value_{};
    bool known_ = false;
};

// Each text of the record once, by its decoded text and, for the reader, by its bytes.
class TextTable {
public:
    TextTable(std::vector<QString>& texts, Encoding encoding)
        : texts_(texts), encoding_(encoding) {}

    Text number(const QString& text) {
        const auto known = numbers_.constFind(text);
        if (known != numbers_.cend())
            return *known;
        const Text number = Text(texts_.size());
        texts_.push_back(text);
        numbers_.insert(text, number);
        return number;
    }

    // Bytes that are not valid UTF-8 may decode to a text already known; it keeps one number.
    Text number(const Field& field) {
        // Looked up as written, so that a quoted sentence is taken apart only once.
        QHash<QByteArray, Text>& byBytes = byBytes_[field.hasDoubledQuotes ? 1 : 0];
        const QByteArray written = QByteArray::fromRawData(field.bytes.data(), field.bytes.size());
        const auto known = byBytes.constFind(written);
        if (known != byBytes.cend())
            return *known;
        const Text number = this->number(decoded(field, encoding_));
        byBytes.insert(field.bytes.toByteArray(), number);
        return number;
    }

    // The field's text as written, without the apostrophe that guards it against spreadsheets.
    static QString decoded(const Field& field, Encoding encoding) {
        QByteArray bytes = unquoted(field);
        if (bytes.size() > 1 && bytes.front() == practicerecord::FormulaGuard.toLatin1() &&
            (isFormulaStart(bytes[1]) || bytes[1] == practicerecord::FormulaGuard.toLatin1()))
            bytes = bytes.sliced(1);
        return encoding == Encoding::Utf8 ? QString::fromUtf8(bytes)
                                          : textfile::decodeWindows1252(bytes);
    }

    static QByteArray unquoted(const Field& field) {
        return field.hasDoubledQuotes
                   ? field.bytes.toByteArray().replace("\"\"", "\"")
                   : QByteArray::fromRawData(field.bytes.data(), field.bytes.size());
    }

private:
    std::vector<QString>& texts_;
    Encoding encoding_;
    QHash<QString, Text> numbers_;
    std::array<QHash<QByteArray, Text>, 2> byBytes_; // plain, and holding doubled quotes
};

// Turns fields into entries.
class EntryMaker {
public:
    EntryMaker(std::vector<QString>& texts, Encoding encoding)
        : texts_(texts, encoding), encoding_(encoding) {}

    // Fills the entry from the fields; false when one does not hold what its column needs.
    bool fill(const Fields& fields, RecordedEntry& entry) {
        const auto day = lastDay_.get(fields[Date], [&] { return readDay(fields[Date].bytes); });
        const auto second = readSecondOfDay(fields[Time].bytes);
        const auto event = lastEvent_.get(fields[EventColumn], [&] {
            return practicerecord::eventFromText(
                TextTable::decoded(fields[EventColumn], encoding_));
        });
        if (!day || !second || !event || fields[User].bytes.isEmpty())
            return false;
        entry.day = *day;
        entry.secondOfDay = *second;
        entry.event = *event;
        entry.user = text(fields, User);
        entry.exercise = text(fields, Exercise);
        entry.file = text(fields, File);
        entry.sentence = text(fields, Sentence);
        return readNumber(fields[Seconds].bytes, entry.seconds) &&
               readNumber(fields[Red].bytes, entry.redAnswers) &&
               readNumber(fields[Helps].bytes, entry.helps) &&
               readNumber(fields[Points].bytes, entry.points);
    }

private:
    Text text(const Fields& fields, Column column) {
        const Field& field = fields[column];
        return lastTexts_[column].get(field, [&] { return texts_.number(field); });
    }

    TextTable texts_;
    Encoding encoding_;
    std::array<LastValue<Text>, ColumnCount> lastTexts_;
    LastValue<std::optional<qint64>> lastDay_;
    LastValue<std::optional<PracticeEntry::Event>> lastEvent_;
};

// The first field alone marks the header: older files call the child's column "Benutzer",
// newer ones "Kind".
bool isHeader(const Fields& fields, int fieldCount) {
    return fieldCount == ColumnCount &&
           fields[Date].bytes == practicerecord::columns().constFirst().toLatin1();
}

// Reads a record fed to it in pieces. It reads only the lines that lie wholly in what it was
// given, unless told that no more bytes come, so the pieces may end anywhere.
class RecordParser {
public:
    enum class Start { FileStart, MidLine };

    RecordParser(qsizetype maxLineBytes, Start start, qint64 bytes, Encoding encoding)
        : lines_(maxLineBytes), maker_(contents_.texts, encoding),
          skippingDamaged_(start == Start::MidLine), atFileStart_(start == Start::FileStart) {
        // Growing a million entries step by step would copy them over and over.
        constexpr qint64 TypicalLineBytes = 96;
        contents_.entries.reserve(size_t(bytes / TypicalLineBytes));
    }

    // The bytes used from the front of `bytes`; the rest must come again with the next piece.
    qsizetype feed(QByteArrayView bytes, bool last) {
        if (atFileStart_) {
            if (!last && bytes.size() < Utf8Bom.size())
                return 0;
            atFileStart_ = false;
            if (bytes.startsWith(Utf8Bom))
                return Utf8Bom.size() + feed(bytes.sliced(Utf8Bom.size()), last);
        }
        lines_.setBytes(bytes);
        if (skippingDamaged_)
            skippingDamaged_ = !lines_.skipDamaged();
        while (!skippingDamaged_ && lines_.left() > 0 &&
               (last || lines_.left() > lines_.lookahead()))
            readLine();
        return lines_.position() - bytes.data();
    }

    PracticeRecordContents take() { return std::move(contents_); }

private:
    void readLine() {
        int fieldCount = 0;
        const bool read = lines_.next(fields_, fieldCount) == LineSplitter::Line::Read;
        const bool header = firstLine_ && read && isHeader(fields_, fieldCount);
        if (firstLine_ && atRecordStart_ && !header && !(read && fieldCount == 0))
            contents_.notARecord = true;
        firstLine_ = false;
        if (header || (read && fieldCount == 0))
            return;
        if (read && fieldCount == ColumnCount) {
            if (maker_.fill(fields_, contents_.entries.emplace_back()))
                return;
            contents_.entries.pop_back();
        }
        ++contents_.damagedLines;
        if (!read)
            skippingDamaged_ = !lines_.skipDamaged();
    }

    PracticeRecordContents contents_;
    LineSplitter lines_;
    Fields fields_; // of the line being read
    EntryMaker maker_;
    bool skippingDamaged_;
    bool atFileStart_;
    bool atRecordStart_ = atFileStart_; // the first line read is the file's first line
    bool firstLine_ = true;
};

// Feeds the parser from `read(into, most)`, which gives at most `most` bytes and says how many
// (0 at the end, less than 0 on an error), through one buffer the size of a piece.
template <typename Read>
std::optional<PracticeRecordContents> readInPieces(RecordParser& parser, qint64 bytesToRead,
                                                   practicerecord::ReadLimits limits, Read read) {
    // What a piece leaves unread is less than a line may need; the next piece comes after it.
    QByteArray buffer(limits.chunkBytes + limits.maxLineBytes + 2, Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        const qint64 wanted = std::min<qint64>(bytesToRead, buffer.size() - filled);
        const qint64 got = wanted > 0 ? read(buffer.data() + filled, wanted) : 0;
        if (got < 0)
            return std::nullopt;
        filled += qsizetype(got);
        bytesToRead -= got;
        const bool last = got == 0 || bytesToRead == 0; // a file may shrink while it is read
        const qsizetype used = parser.feed(QByteArrayView(buffer.constData(), filled), last);
        if (last)
            return parser.take();
        std::memmove(buffer.data(), buffer.constData() + used, size_t(filled - used));
        filled -= used;
    }
}

} // namespace

QDateTime RecordedEntry::when() const {
    return QDateTime(date(), QTime::fromMSecsSinceStartOfDay(secondOfDay * 1000));
}

qint64 RecordedEntry::secondsSinceDayZero() const {
    return day * SecondsPerDay + secondOfDay;
}

std::optional<Text> PracticeRecordContents::find(const QString& wanted) const {
    const auto found = std::find(texts.cbegin(), texts.cend(), wanted);
    if (found == texts.cend())
        return std::nullopt;
    return Text(found - texts.cbegin());
}

PracticeEntry PracticeRecordContents::entry(const RecordedEntry& recorded) const {
    return {recorded.when(),     text(recorded.user),     recorded.event,   text(recorded.exercise),
            text(recorded.file), text(recorded.sentence), recorded.seconds, recorded.redAnswers,
            recorded.helps,      recorded.points};
}

PracticeRecordContents PracticeRecordContents::of(const std::vector<PracticeEntry>& entries) {
    PracticeRecordContents contents;
    TextTable texts(contents.texts, Encoding::Utf8);
    for (const PracticeEntry& entry : entries) {
        RecordedEntry& recorded = contents.entries.emplace_back();
        recorded.day = entry.when.date().toJulianDay();
        recorded.secondOfDay = entry.when.time().msecsSinceStartOfDay() / 1000;
        recorded.user = texts.number(entry.user);
        recorded.exercise = texts.number(entry.exercise);
        recorded.file = texts.number(entry.file);
        recorded.sentence = texts.number(entry.sentence);
        recorded.event = entry.event;
        recorded.seconds = entry.seconds;
        recorded.redAnswers = entry.redAnswers;
        recorded.helps = entry.helps;
        recorded.points = entry.points;
    }
    return contents;
}

namespace practicerecord {

PracticeRecordContents parse(QByteArrayView bytes, ReadLimits limits) {
    EncodingProbe probe;
    if (!bytes.startsWith(Utf8Bom))
        probe.feed(bytes);
    RecordParser parser(limits.maxLineBytes, RecordParser::Start::FileStart, bytes.size(),
                        probe.result());
    qsizetype position = 0;
    return *readInPieces(parser, bytes.size(), limits, [&](char* into, qint64 most) {
        std::memcpy(into, bytes.data() + position, size_t(most));
        position += qsizetype(most);
        return most;
    });
}

std::optional<QString> userOfLine(QByteArrayView line) {
    LineSplitter splitter(MaxLineBytes);
    splitter.setBytes(line);
    Fields fields;
    int fieldCount = 0;
    if (splitter.next(fields, fieldCount) != LineSplitter::Line::Read || fieldCount != ColumnCount)
        return std::nullopt;
    return TextTable::decoded(fields[User], Encoding::Utf8);
}

} // namespace practicerecord

namespace {

// The record's own files start with a BOM and are UTF-8 without a look at the rest; a record
// saved again by a spreadsheet is read once more to learn its encoding.
std::optional<Encoding> encodingOf(QFile& file, qint64 from, qint64 bytesToRead) {
    const QByteArray start = file.read(Utf8Bom.size());
    if (start.startsWith(Utf8Bom))
        return Encoding::Utf8;
    EncodingProbe probe;
    if (!file.seek(from))
        return std::nullopt;
    QByteArray piece(practicerecord::ReadChunkBytes, Qt::Uninitialized);
    for (qint64 left = bytesToRead; left > 0;) {
        const qint64 got = file.read(piece.data(), std::min<qint64>(left, piece.size()));
        if (got <= 0)
            return got == 0 ? probe.result() : std::optional<Encoding>();
        probe.feed(QByteArrayView(piece.constData(), got));
        left -= got;
    }
    return probe.result();
}

} // namespace

PracticeRecordContents readPracticeRecord(const QString& path) {
    PracticeRecordContents unreadable;
    unreadable.readable = false;
    if (!safefile::entryExists(path))
        return {};
    const auto resolved = safefile::resolve(path, safefile::Missing::Refused);
    QFile file;
    if (!resolved || !safefile::openForReading(*resolved, file))
        return unreadable;

    // Lines appended while the record is read wait for the next reading.
    const qint64 size = file.size();
    const bool cut = size > practicerecord::MaxReadBytes;
    // The first line of a cut record is only a line's end.
    const qint64 bytesToRead = cut ? practicerecord::MaxReadBytes : size;
    const qint64 from = size - bytesToRead;
    const std::optional<Encoding> encoding = encodingOf(file, from, bytesToRead);
    if (!encoding || !file.seek(from))
        return unreadable;
    RecordParser parser(practicerecord::MaxLineBytes,
                        cut ? RecordParser::Start::MidLine : RecordParser::Start::FileStart,
                        bytesToRead, *encoding);
    std::optional<PracticeRecordContents> contents = readInPieces(
        parser, bytesToRead, {}, [&](char* into, qint64 most) { return file.read(into, most); });
    if (!contents)
        return unreadable;
    contents->olderLinesLeftOut = cut;
    return std::move(*contents);
}

} // namespace tivoral
