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

const char* find(const char* from, const char* to, char wanted) {
    return static_cast<const char*>(std::memchr(from, wanted, size_t(to - from)));
}

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
        findLineEnd(position_);
        fieldCount = 0;
        if (lineEnd_ == position_ || (lineEnd_ == position_ + 1 && *position_ == CarriageReturn)) {
            position_ = lineEnd_ == end_ ? end_ : lineEnd_ + 1;
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
            if (*position_++ == LineFeed)
                return true;
        }
    }

private:
    void findLineEnd(const char* from) {
        const char* lineFeed = find(from, end_, LineFeed);
        lineEnd_ = lineFeed ? lineFeed : end_;
    }

    // Leaves the position at the ";" or line feed after the field (or at the end).
    bool readPlain(Field& field) {
        const char* start = position_;
        const char* separator = find(start, lineEnd_, ';');
        position_ = separator ? separator : lineEnd_;
        const char* stop = position_;
        if (!separator && stop != start && stop[-1] == CarriageReturn)
            --stop;
        field.bytes = QByteArrayView(start, stop - start);
        return true;
    }

    bool readQuoted(Field& field) {
        const char* start = ++position_;
        const char* limit = end_ - lineStart_ > practicerecord::MaxLineBytes
                                ? lineStart_ + practicerecord::MaxLineBytes
                                : end_;
        for (;;) {
            const char* quote = find(position_, limit, Quote);
            if (!quote)
                return false;
            position_ = quote + 1;
            if (position_ != end_ && *position_ == Quote) {
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

    // Goes on after the first line feed of the damaged line, so a stray quote costs one line.
    bool skipLine() {
        const char* lineFeed = find(lineStart_, end_, LineFeed);
        position_ = lineFeed ? lineFeed + 1 : end_;
        return false;
    }

    const char* position_;
    const char* end_;
    const char* lineStart_ = nullptr;
    const char* lineEnd_ = nullptr; // the line feed ending the line, or the end
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

// Local date and time to a moment. Asking the system's time zone for every line would cost a
// file lookup each; a day's offset from UTC is asked once, and only a day on which the clocks
// change is asked line by line.
class LocalTimes {
public:
    QDateTime at(QDate date, QTime time) {
        auto known = dayOffsets_.constFind(date.toJulianDay());
        if (known == dayOffsets_.cend())
            known = dayOffsets_.insert(date.toJulianDay(), steadyOffset(date));
        if (!*known)
            return QDateTime(date, time);
        return QDateTime(date, time, Qt::OffsetFromUTC, **known);
    }

private:
    static std::optional<int> steadyOffset(QDate date) {
        const int morning = QDateTime(date, QTime(0, 0)).offsetFromUtc();
        const int evening = QDateTime(date, QTime(23, 59, 59)).offsetFromUtc();
        return morning == evening ? std::optional(morning) : std::nullopt;
    }

    QHash<qint64, std::optional<int>> dayOffsets_;
};

// A column's last value and the bytes it was read from: a record repeats many a column's value
// line after line, and comparing bytes is cheaper than looking them up.
template <typename Value> class LastValue {
public:
    template <typename Read> Value get(QByteArrayView bytes, Read read) {
        if (!known_ || bytes != bytes_) {
            bytes_ = bytes;
            value_ = read();
            known_ = true;
        }
        return value_;
    }

private:
    QByteArrayView bytes_;
    Value value_{};
    bool known_ = false;
};

// Turns fields into entries. Names, files and sentences repeat thousands of times in a record,
// so each is decoded once and shared.
class EntryMaker {
public:
    // Fills the entry from the fields; false when one does not hold what its column needs.
    bool fill(const Fields& fields, PracticeEntry& entry) {
        const auto date = readDate(fields[Date].bytes);
        const auto time = readTime(fields[Time].bytes);
        const auto event =
            lastEvent_.get(fields[EventColumn].bytes, [&] { return eventOf(fields[EventColumn]); });
        if (!date || !time || !event)
            return false;
        entry.when = times_.at(*date, *time);
        entry.event = *event;
        entry.user = text(fields, User);
        if (entry.user.isEmpty())
            return false;
        entry.exercise = text(fields, Exercise);
        entry.file = text(fields, File);
        entry.sentence = text(fields, Sentence);
        return readNumber(fields[Seconds].bytes, entry.seconds) &&
               readNumber(fields[Red].bytes, entry.redAnswers) &&
               readNumber(fields[Helps].bytes, entry.helps) &&
               readNumber(fields[Points].bytes, entry.points);
    }

private:
    static QByteArray unquoted(const Field& field) {
        return field.hasDoubledQuotes
                   ? field.bytes.toByteArray().replace("\"\"", "\"")
                   : QByteArray::fromRawData(field.bytes.data(), field.bytes.size());
    }

    std::optional<PracticeEntry::Event> eventOf(const Field& field) {
        QByteArray bytes = unquoted(field);
        const auto known = events_.constFind(bytes);
        if (known != events_.cend())
            return *known;
        const auto event = practicerecord::eventFromText(QString::fromUtf8(bytes));
        bytes.detach();
        events_.insert(bytes, event);
        return event;
    }

    QString text(const Fields& fields, Column column) {
        const Field& field = fields[column];
        return lastTexts_[column].get(field.bytes, [&] { return sharedText(field); });
    }

    QString sharedText(const Field& field) {
        QByteArray bytes = unquoted(field);
        const auto known = texts_.constFind(bytes);
        if (known != texts_.cend())
            return *known;
        const QString decoded = QString::fromUtf8(bytes);
        bytes.detach();
        texts_.insert(bytes, decoded);
        return decoded;
    }

    QHash<QByteArray, QString> texts_;
    QHash<QByteArray, std::optional<PracticeEntry::Event>> events_;
    LocalTimes times_;
    std::array<LastValue<QString>, ColumnCount> lastTexts_;
    LastValue<std::optional<PracticeEntry::Event>> lastEvent_;
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
        const bool whole = split && fieldCount == ColumnCount;
        if (whole && maker.fill(fields, contents.entries.emplace_back()))
            continue;
        if (whole)
            contents.entries.pop_back();
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
