// TIVORAL.GEN, which any computer of a class may have written: every entry read must be written
// back and read again as it was.
#include "platform/saveledger.h"
#include "platform/textfile.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const tivoral::SaveLedger::Entries read =
        tivoral::SaveLedger::parse(tivoral::textfile::readLines(buffer).lines);
    QByteArray written = tivoral::textfile::encodeLines(tivoral::SaveLedger::format(read));
    QBuffer again(&written);
    again.open(QIODevice::ReadOnly);
    const tivoral::SaveLedger::Entries reread =
        tivoral::SaveLedger::parse(tivoral::textfile::readLines(again).lines);
    if (reread.size() != read.size())
        __builtin_trap();
    for (auto it = read.cbegin(); it != read.cend(); ++it) {
        const tivoral::SaveLedger::Entry back = reread.value(it.key());
        if (back.fingerprint != it->fingerprint || back.savedAtMs != it->savedAtMs ||
            back.modifiedAtMs != it->modifiedAtMs)
            __builtin_trap();
    }
    return 0;
}
