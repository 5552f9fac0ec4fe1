// The teacher password file: any bytes give no password, a well-formed hash, or "damaged" —
// never a hash that would take minutes to check.
#include "platform/textfile.h"
#include "store/teacherpassword.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const tivoral::textfile::ReadResult read = tivoral::textfile::readLines(buffer);
    const tivoral::PasswordFile::Entry entry = tivoral::PasswordFile::parse(read.lines);
    const bool hasHash = !entry.hash.isEmpty();
    if (hasHash != (entry.state == tivoral::PasswordFile::State::Set) ||
        (hasHash && !tivoral::passwordhash::isWellFormed(entry.hash)))
        __builtin_trap();
    return 0;
}
