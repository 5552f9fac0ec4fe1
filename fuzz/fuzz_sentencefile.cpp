// Sentence files through both loaders' line rules and the clean-up.
#include "platform/textfile.h"
#include "store/sentencefiles.h"
#include "store/sentencestore.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

namespace {

// Small limits reach the limit paths quickly; the real ones differ only in size.
constexpr int FuzzMaxLines = 200;
constexpr qsizetype FuzzMaxLineBytes = 512;

void loadAs(const QByteArray& bytes, const tivoral::textfile::LineFilter& keep) {
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    tivoral::textfile::ReadLimits limits;
    limits.maxLines = FuzzMaxLines;
    limits.maxLineBytes = FuzzMaxLineBytes;
    tivoral::textfile::ReadResult result = tivoral::textfile::readLines(buffer, limits, keep);
    if (result.lines.size() > FuzzMaxLines)
        __builtin_trap();
    tivoral::SentenceStore store;
    store.setEntries(std::move(result.lines));
    tivoral::normaliseSentences(store);
    for (const QString& entry : store.entries()) {
        if (entry.isEmpty() || entry.endsWith(QLatin1Char(' ')) ||
            entry.contains(QLatin1String("  ")))
            __builtin_trap();
    }
    // What is written back must read back the same.
    const QByteArray written = tivoral::textfile::encodeLines(store.entries());
    QByteArray copy = written;
    QBuffer again(&copy);
    again.open(QIODevice::ReadOnly);
    tivoral::textfile::ReadLimits unlimited;
    unlimited.maxLineBytes = written.size() + 1;
    const tivoral::textfile::ReadResult reread = tivoral::textfile::readLines(again, unlimited);
    QStringList expected = store.entries();
    // Line ends inside an entry cannot survive a round trip; they never come from a loader.
    for (const QString& entry : expected)
        if (entry.contains(QLatin1Char('\r')) || entry.contains(QLatin1Char('\n')))
            return;
    if (reread.lines != expected)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    loadAs(bytes, [](const QByteArray& line) {
        return !line.isEmpty() && line.count(' ') != line.size();
    });
    loadAs(bytes, [](const QByteArray& line) { return !line.isEmpty(); });
    return 0;
}
