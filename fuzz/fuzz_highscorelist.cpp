// "BESTDOSE.LST": any bytes read into entries; the rewritten file holds at most 100 lines and
// reads back as the first 100 sorted entries.
#include "game/highscorelist.h"
#include "platform/textfile.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

namespace {

QStringList readAll(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    tivoral::textfile::ReadLimits limits;
    limits.maxLineBytes = bytes.size() + 1;
    return tivoral::textfile::readLines(buffer, limits).lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tivoral::HighScoreList;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList entries = HighScoreList::entriesFromLines(readAll(bytes));
    HighScoreList::sort(entries);
    const QStringList lines = HighScoreList::fileLines(entries);
    if (lines.size() > HighScoreList::MaxFileLines)
        __builtin_trap();
    for (const QString& entry : entries)
        if (entry.contains(QLatin1Char('\r')) || entry.contains(QLatin1Char('\n')))
            __builtin_trap();
    QStringList reread = HighScoreList::entriesFromLines(readAll(tivoral::textfile::encodeLines(lines)));
    HighScoreList::sort(reread);
    if (reread != entries.mid(0, HighScoreList::MaxFileLines))
        __builtin_trap();
    return 0;
}
