// The users file: every line is a name; writing the names back and reading them again must
// give the same names.
#include "platform/textfile.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const tivoral::textfile::ReadResult read = tivoral::textfile::readLines(buffer);
    if (!read.ok)
        __builtin_trap();
    QByteArray written = tivoral::textfile::encodeLines(read.lines);
    QBuffer again(&written);
    again.open(QIODevice::ReadOnly);
    tivoral::textfile::ReadLimits limits;
    limits.maxLineBytes = written.size() + 1;
    const tivoral::textfile::ReadResult reread = tivoral::textfile::readLines(again, limits);
    // A trailing empty name has no line of its own after the last line end.
    QStringList expected = read.lines;
    while (!expected.isEmpty() && expected.constLast().isEmpty())
        expected.removeLast();
    QStringList actual = reread.lines;
    while (!actual.isEmpty() && actual.constLast().isEmpty())
        actual.removeLast();
    if (actual != expected)
        __builtin_trap();
    return 0;
}
