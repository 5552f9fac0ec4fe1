// The reading-options file: any bytes give options the windows can use, and whatever is
// written back reads back the same.
#include "platform/textfile.h"
#include "store/readingoptions.h"

#include <QBuffer>

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tivoral::ReadingOptions;
    using tivoral::ReadingOptionsFile;
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const tivoral::textfile::ReadResult read = tivoral::textfile::readLines(buffer);
    const ReadingOptionsFile::Sections sections = ReadingOptionsFile::parse(read.lines);
    for (const ReadingOptionsFile::Section& section : sections) {
        const ReadingOptions options = ReadingOptionsFile::apply(ReadingOptions{}, section);
        if (std::find(ReadingOptions::WindowPercents.begin(), ReadingOptions::WindowPercents.end(),
                      options.windowPercent) == ReadingOptions::WindowPercents.end())
            __builtin_trap();
    }
    if (ReadingOptionsFile::parse(ReadingOptionsFile::format(sections)) != sections)
        __builtin_trap();
    return 0;
}
