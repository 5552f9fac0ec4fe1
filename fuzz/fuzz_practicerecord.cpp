// "PROTOKOLL.CSV": any bytes give entries and a count of damaged lines, never more of both than
// the bytes hold lines, and every entry read has a user and a valid moment.
#include "store/practicerecordreader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const tivoral::PracticeRecordContents contents = tivoral::practicerecord::parse(bytes);
    const qsizetype lines = bytes.count('\n') + 1;
    if (qsizetype(contents.entries.size()) + contents.damagedLines > lines)
        __builtin_trap();
    for (const tivoral::PracticeEntry& entry : contents.entries)
        if (entry.user.isEmpty() || !entry.when.isValid())
            __builtin_trap();
    return 0;
}
