// The editor's paste: whatever the clipboard holds, only new, non-empty lines are added.
#include "editor/listrules.h"
#include "store/sentencefiles.h"

#include <QRegularExpression>
#include <QStringList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first line of the input is the list, one entry per '|'; the rest the clipboard text.
    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf(QLatin1Char('\n'));
    const QStringList entries =
        split < 0 ? QStringList() : input.left(split).split(QLatin1Char('|'));
    const QString clipboard = split < 0 ? input : input.mid(split + 1);

    const QStringList pasted = tivoral::listrules::linesToPaste(entries, clipboard);
    // Pasted lines come cleaned as typed text is, line by line.
    QString plainClipboard;
    for (QString line : clipboard.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        tivoral::cleanTypedText(line);
        plainClipboard += line + QLatin1Char('\n');
    }
    QStringList seen = entries;
    for (const QString& line : pasted) {
        if (line.isEmpty() || line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')))
            __builtin_trap();
        if (seen.contains(line, Qt::CaseInsensitive) || !plainClipboard.contains(line))
            __builtin_trap();
        seen.append(line);
    }
    return 0;
}
