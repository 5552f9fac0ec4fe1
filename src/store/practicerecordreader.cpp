#include "store/practicerecordreader.h"

#include "platform/safefile.h"

#include <QFile>
#include <QHash>

#include <array>
#include <cstring>

namespace tivoral {

namespace {

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
constexpr char Quote = '"';
constexpr char LineFeed = '\n';
constexpr char CarriageReturn = '\r';
constexpr QByteArrayView Utf8Bom("\xEF\xBB\xBF");
constexpr int MaxNumberDigits = 9; // stays inside an int
constexpr int DecimalBase = 10;

struct Field {
    QByteArrayView bytes;
    bool hasDoubledQuotes = false;
};
using Fields = std::array<Field, ColumnCount>;

// Splits the bytes into CSV lines of fields; a quoted field may hold ";", doubled quotes and
// line breaks. Any line that is not exactly one record is reported damaged, and reading goes on
// at the next line.
class LineSplitter {
public:
    explicit LineSplitter(QByteArrayView bytes)
        : position_(bytes.data()), end_(bytes.data() + bytes.size()) {}

    bool atEnd() const { return position_ == end_; }

    // Reads the next line; false when it is damaged. fieldCount is 0 for an empty line.
    bool next(Fields& fields, int& fieldCount) {
        lineStart_ = position_;
        fieldCount = 0;
        if (*position_ == LineFeed || startsWithCrLf()) {
            position_ += *position_ == LineFeed ? 1 : 2;
            return true;
        }
        for (;;) {
            Field field;
            const bool quoted = position_ != end_ && *position_ == Quote;
            if (!(quoted ? readQuoted(field) : readPlain(field)))
                return skipLine();
            if (fieldCount == ColumnCount)
                return skipLine();
            fields[fieldCount++] = field;
            if (position_ - lineStart_ > practicerecord::MaxLineBytes)
                return skipLine();
            if (position_ == end_)
                return true;
            const char stop = *position_++;
            if (stop == LineFeed)
                return true;
        }
    }

private:
    bool startsWithCrLf() const {
        return *position_ == CarriageReturn && end_ - position_ > 1 && position_[1] == LineFeed;
    }

    const char* lineLimit() const {
        return end_ - lineStart_ > practicerecord::MaxLineBytes
                   ? lineStart_ + practicerecord::MaxLineBytes
                   : end_;
    }

    // Leaves the position at the ";" or line feed after the field (or at the end).
    bool readPlain(Field& field) {
        const char* start = position_;
        while (position_ != end_ && *position_ != ';' && *position_ != LineFeed)
            ++position_;
        const char* stop = position_;
        if (stop != start && stop[-1] == CarriageReturn && (stop == end_ || *stop == LineFeed))
            --stop;
        field.bytes = QByteArrayView(start, stop - start);
        return true;
    }

    bool readQuoted(Field& field) {
        const char* start = ++position_;
        const char* limit = lineLimit();
        for (;;) {
            const auto* quote =
                static_cast<const char*>(std::memchr(position_, Quote, size_t(limit - position_)));
            if (!quote)
                return false;
            position_ = quote + 1;
            if (position_ != end_ && *position_ == Quote) {
                field.hasDoubledQuotes = true;
                ++position_;
                continue;
            }
            field.bytes = QByteArrayView(start, quote - start);
            if (startsWithCrLf())
                ++position_;
            return position_ == end_ || *position_ == ';' || *position_ == LineFeed;
        }
    }

    // Goes on after the first line feed of the damaged line, so a stray quote costs one line.
    bool skipLine() {
        const auto* lineFeed =
            static_cast<const char*>(std::memchr(lineStart_, LineFeed, size_t(end_ - lineStart_)));
        position_ = lineFeed ? lineFeed + 1 : end_;
        return false;
    }

    const char* position_;
    const char* end_;
    const char* lineStart_ = nullptr;
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

// "2026-12-06"
std::optional<QDate> readDate(QByteArrayView bytes) {
    constexpr qsizetype Length = 10;
    if (bytes.size() != Length || bytes[4] != '-' || bytes[7] != '-')
        return std::nullopt;
    const QDate date(digitsAt(bytes, 0, 4), digitsAt(bytes, 5, 2), digitsAt(bytes, 8, 2));
    return date.isValid() ? std::optional(date) : std::nullopt;
}

// "14:03:12"
std::optional<QTime> readTime(QByteArrayView bytes) {
    constexpr qsizetype Length = 8;
    if (bytes.size() != Length || bytes[2] != ':' || bytes[5] != ':')
        return std::nullopt;
    const QTime time(digitsAt(bytes, 0, 2), digitsAt(bytes, 3, 2), digitsAt(bytes, 6, 2));
    return time.isValid() ? std::optional(time) : std::nullopt;
}

// Turns fields into entries. Names, files and sentences repeat thousands of times in a record,
// so each is decoded once and shared.
class EntryMaker {
public:
    std::optional<PracticeEntry> make(const Fields& fields) {
        PracticeEntry entry;
        const auto date = readDate(fields[Date].bytes);
        const auto time = readTime(fields[Time].bytes);
        const auto event = practicerecord::eventFromText(text(fields[EventColumn]));
        if (!date || !time || !event)
            return std::nullopt;
        entry.when = QDateTime(*date, *time);
        entry.event = *event;
        entry.user = text(fields[User]);
        if (entry.user.isEmpty())
            return std::nullopt;
        entry.exercise = text(fields[Exercise]);
        entry.file = text(fields[File]);
        entry.sentence = text(fields[Sentence]);
        if (!readNumber(fields[Seconds].bytes, entry.seconds) ||
            !readNumber(fields[Red].bytes, entry.redAnswers) ||
            !readNumber(fields[Helps].bytes, entry.helps) ||
            !readNumber(fields[Points].bytes, entry.points))
            return std::nullopt;
        return entry;
    }

private:
    QString text(const Field& field) {
        QByteArray bytes = field.hasDoubledQuotes
                               ? field.bytes.toByteArray().replace("\"\"", "\"")
                               : QByteArray::fromRawData(field.bytes.data(), field.bytes.size());
        const auto known = texts_.constFind(bytes);
        if (known != texts_.cend())
            return *known;
        const QString decoded = QString::fromUtf8(bytes);
        bytes.detach();
        texts_.insert(bytes, decoded);
        return decoded;
    }

    QHash<QByteArray, QString> texts_;
};

bool isHeader(const Fields& fields, int fieldCount) {
    return fieldCount == ColumnCount &&
           QString::fromUtf8(fields[Date].bytes) == practicerecord::columns().constFirst();
}

} // namespace

namespace practicerecord {

PracticeRecordContents parse(QByteArrayView bytes) {
    PracticeRecordContents contents;
    if (bytes.startsWith(Utf8Bom))
        bytes = bytes.sliced(Utf8Bom.size());
    constexpr qsizetype TypicalLineBytes = 96;
    contents.entries.reserve(size_t(bytes.size() / TypicalLineBytes));
    LineSplitter lines(bytes);
    EntryMaker maker;
    Fields fields;
    int fieldCount = 0;
    bool firstLine = true;
    while (!lines.atEnd()) {
        const bool split = lines.next(fields, fieldCount);
        const bool header = firstLine && split && isHeader(fields, fieldCount);
        firstLine = false;
        if (header || (split && fieldCount == 0))
            continue;
        std::optional<PracticeEntry> entry;
        if (split && fieldCount == ColumnCount)
            entry = maker.make(fields);
        if (entry)
            contents.entries.push_back(std::move(*entry));
        else
            ++contents.damagedLines;
    }
    return contents;
}

} // namespace practicerecord

PracticeRecordContents readPracticeRecord(const QString& path) {
    PracticeRecordContents unreadable;
    unreadable.readable = false;
    if (!safefile::entryExists(path))
        return {};
    const auto resolved = safefile::resolve(path, safefile::Missing::Refused);
    QFile file;
    if (!resolved || !safefile::openForReading(*resolved, file))
        return unreadable;

    const qint64 size = file.size();
    const bool cut = size > practicerecord::MaxReadBytes;
    if (cut && !file.seek(size - practicerecord::MaxReadBytes))
        return unreadable;
    QByteArray bytes(qsizetype(cut ? practicerecord::MaxReadBytes : size), Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < bytes.size()) {
        const qint64 got = file.read(bytes.data() + filled, bytes.size() - filled);
        if (got < 0)
            return unreadable;
        if (got == 0)
            break; // the file shrank meanwhile
        filled += qsizetype(got);
    }
    QByteArrayView view(bytes.constData(), filled);
    if (cut)
        view = view.sliced(view.indexOf(LineFeed) + 1); // the first line is only a line's end
    PracticeRecordContents contents = practicerecord::parse(view);
    contents.olderLinesLeftOut = cut;
    return contents;
}

} // namespace tivoral
