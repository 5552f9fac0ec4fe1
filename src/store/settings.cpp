#include "store/settings.h"

#include "platform/textfile.h"

#include <cmath>

namespace tivoral {

namespace {
// The settings file has three short lines; anything longer is not a settings file.
constexpr int SettingsFileMaxLines = 64;
constexpr qsizetype SettingsFileMaxLineBytes = 4096;
constexpr int FieldCount = 3;
constexpr qint64 SettingsFileMaxReadBytes = SettingsFileMaxLines * SettingsFileMaxLineBytes;

std::optional<int> wholeNumber(const QString& field) {
    bool ok = false;
    const double value = field.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > 1e9)
        return std::nullopt;
    return int(std::lround(value));
}
} // namespace

void Settings::setPreviewFont(const FontChoice& font) {
    previewFont_ = font;
    Q_EMIT previewFontChanged();
}

void Settings::applyFonts(const FontChoice& font) {
    exerciseFont_ = font;
    readingFont_ = font;
    Q_EMIT fontsApplied();
}

void Settings::applyExerciseFont(const FontChoice& font) {
    exerciseFont_ = font;
    Q_EMIT fontsApplied();
}

void Settings::setPointLimit(int limit) {
    const int clamped = std::clamp(limit, MinPointLimit, MaxPointLimit);
    if (clamped == pointLimit_)
        return;
    pointLimit_ = clamped;
    Q_EMIT pointLimitChanged(pointLimit_);
}

QStringList SettingsFile::fields(const QStringList& lines) {
    QStringList result;
    for (const QString& line : lines) {
        qsizetype pos = 0;
        do {
            while (pos < line.size() && line.at(pos) == QLatin1Char(' '))
                ++pos;
            QString field;
            if (pos < line.size() && line.at(pos) == QLatin1Char('"')) {
                const qsizetype close = line.indexOf(QLatin1Char('"'), pos + 1);
                const qsizetype end = close < 0 ? line.size() : close;
                field = line.mid(pos + 1, end - pos - 1);
                const qsizetype comma = line.indexOf(QLatin1Char(','), end);
                pos = comma < 0 ? line.size() + 1 : comma + 1;
            } else {
                const qsizetype comma = line.indexOf(QLatin1Char(','), pos);
                const qsizetype end = comma < 0 ? line.size() : comma;
                field = line.mid(pos, end - pos).trimmed();
                pos = comma < 0 ? line.size() + 1 : comma + 1;
            }
            result.append(field);
        } while (pos <= line.size());
        if (result.size() >= FieldCount)
            break;
    }
    return result;
}

std::optional<SettingsValues> SettingsFile::parse(const QStringList& lines) {
    const QStringList f = fields(lines);
    if (f.size() < FieldCount || f.at(0).isEmpty())
        return std::nullopt;
    const std::optional<int> size = wholeNumber(f.at(1));
    const std::optional<int> limit = wholeNumber(f.at(2));
    if (!size || *size < Settings::MinFontSize || *size > Settings::MaxFontSize)
        return std::nullopt;
    if (!limit || *limit < Settings::MinPointLimit || *limit > Settings::MaxPointLimit)
        return std::nullopt;
    return SettingsValues{FontChoice{f.at(0), *size}, *limit};
}

std::optional<SettingsValues> SettingsFile::read() const {
    textfile::ReadLimits limits;
    limits.maxLines = SettingsFileMaxLines;
    limits.maxLineBytes = SettingsFileMaxLineBytes;
    limits.maxReadBytes = SettingsFileMaxReadBytes;
    const textfile::ReadResult result = textfile::readLines(path(), limits);
    // A skipped overlong line would shift the later lines into the wrong fields.
    if (!result.ok || result.overlongLines > 0)
        return std::nullopt;
    return parse(result.lines);
}

std::optional<QString> SettingsFile::fontLine(const QString& fontName) {
    // Plain as before where that reads back; quoted where a comma or blanks at an end would
    // change what the reader takes.
    for (const QString& line : {fontName, QString(u'"' + fontName + u'"')}) {
        if (fields({line}) == QStringList{fontName})
            return line;
    }
    return std::nullopt;
}

bool SettingsFile::write(const QString& fontName, const QString& fontSize,
                         const QString& pointLimit, QString* error) const {
    const std::optional<QString> font = fontLine(fontName);
    if (!font) {
        if (error)
            *error = QStringLiteral("Dieser Schriftname kann nicht gespeichert werden.");
        return false;
    }
    textfile::clearReadOnly(path());
    return textfile::writeLinesAtomic(path(), {*font, fontSize, pointLimit}, error);
}

bool SettingsFile::writeDefaults() const {
    return write(QString::fromLatin1(Settings::DefaultFontName),
                 QString::number(Settings::DefaultFontSize),
                 QString::number(Settings::DefaultPointLimit));
}

} // namespace tivoral
