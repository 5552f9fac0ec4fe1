// The syllable service: any text, split word by word, gives every word back from its pieces,
// and the coloured spans stay inside the text, in order.
#include "platform/syllables.h"

#include <cstddef>
#include <cstdint>

// libhyphen itself loses a few hundred bytes while it reads the patterns, once per process; its
// own loader, not this program, so the leak check passes over that library.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libhyphen.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Reading the patterns takes seconds under the sanitizers: done once, before any input.
    tivoral::syllables(QStringLiteral("Abend"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList pieces = tivoral::syllables(word);
        if (pieces.join(QString()) != word || pieces.contains(QString()))
            __builtin_trap();
    }
    qsizetype end = 0;
    for (const tivoral::SyllableSpan& span : tivoral::syllableSpans(text)) {
        if (span.start < end || span.length <= 0 || span.start + span.length > text.size())
            __builtin_trap();
        end = span.start + span.length;
    }
    return 0;
}
