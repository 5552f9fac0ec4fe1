// "PROTOKOLL.CSV": any bytes give entries and a count of damaged lines, never more of both than
// the bytes hold lines, and every entry read has a user and a valid moment. Read in small pieces,
// with a short line limit so that lines cross the pieces' seams, the bytes give the same record
// as read whole.
#include "store/practicerecordreader.h"

#include <cstddef>
#include <cstdint>

using namespace tivoral;

namespace {
constexpr qsizetype ShortLineBytes = 64;
constexpr int PieceSizes = 97;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const PracticeRecordContents contents = practicerecord::parse(bytes);
    const qsizetype lines = bytes.count('\n') + 1;
    if (qsizetype(contents.entries.size()) + contents.damagedLines > lines)
        __builtin_trap();
    for (const RecordedEntry& entry : contents.entries)
        if (contents.text(entry.user).isEmpty() || !entry.when().isValid())
            __builtin_trap();

    if (size == 0)
        return 0;
    const qsizetype pieceBytes = 1 + data[0] % PieceSizes;
    const PracticeRecordContents whole =
        practicerecord::parse(bytes, {ShortLineBytes, qsizetype(size)});
    const PracticeRecordContents inPieces =
        practicerecord::parse(bytes, {ShortLineBytes, pieceBytes});
    if (whole.entries != inPieces.entries || whole.texts != inPieces.texts ||
        whole.damagedLines != inPieces.damagedLines)
        __builtin_trap();
    return 0;
}
