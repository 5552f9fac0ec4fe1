// The settings file: any bytes give either valid values or the defaults.
#include "platform/textfile.h"
#include "store/settings.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const tivoral::textfile::ReadResult read = tivoral::textfile::readLines(buffer);
    const std::optional<tivoral::SettingsValues> values = tivoral::SettingsFile::parse(read.lines);
    if (values) {
        if (values->pointLimit < tivoral::Settings::MinPointLimit ||
            values->pointLimit > tivoral::Settings::MaxPointLimit ||
            values->font.pointSize < tivoral::Settings::MinFontSize ||
            values->font.pointSize > tivoral::Settings::MaxFontSize ||
            values->font.family.isEmpty())
            __builtin_trap();
        // What the settings window writes back must read back as the same values.
        const std::optional<QString> fontLine =
            tivoral::SettingsFile::fontLine(values->font.family);
        if (fontLine) {
            const std::optional<tivoral::SettingsValues> again =
                tivoral::SettingsFile::parse({*fontLine, QString::number(values->font.pointSize),
                                              QString::number(values->pointLimit)});
            if (!again || again->font != values->font || again->pointLimit != values->pointLimit)
                __builtin_trap();
        }
    }
    return 0;
}
