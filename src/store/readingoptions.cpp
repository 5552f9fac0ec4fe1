#include "store/readingoptions.h"

#include "platform/dialogs.h"
#include "platform/enumtexts.h"
#include "platform/folderlock.h"
#include "platform/syllables.h"
#include "platform/textfile.h"
#include "store/users.h"

#include <QFileInfo>
#include <QUrl>

namespace tivoral {

namespace {

constexpr qsizetype OptionsFileMaxLineBytes = 4096;

constexpr ValueTexts<bool, 2> SwitchTexts{{{true, u"ja"}, {false, u"nein"}}};
constexpr ValueTexts<bool, 2> ContrastTexts{{{true, u"hoch"}, {false, u"normal"}}};
constexpr ValueTexts<LetterSpacing, 3> SpacingTexts{{
    {LetterSpacing::Normal, u"normal"},
    {LetterSpacing::Wide, u"weit"},
    {LetterSpacing::Wider, u"weiter"},
}};

bool isSectionHeading(const QString& line) {
    return line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'));
}

void applySwitch(bool& target, const ReadingOptionsFile::Section& section, const char* key) {
    if (const std::optional<bool> on = valueOf(SwitchTexts, section.value(QLatin1String(key))))
        target = *on;
}

} // namespace

QString spacingValue(LetterSpacing spacing) {
    return textOf(SpacingTexts, spacing);
}

QString windowPercentValue(int percent) {
    return percent == ReadingOptions::FillScreen ? QStringLiteral("Bildschirm")
                                                 : QString::number(percent);
}

QString switchValue(bool on) {
    return textOf(SwitchTexts, on);
}

QString contrastValue(bool high) {
    return textOf(ContrastTexts, high);
}

QString ReadingOptionsFile::sectionName(const std::optional<QString>& user) {
    if (!user)
        return QString::fromLatin1(DefaultSection);
    return QString::fromLatin1(QUrl::toPercentEncoding(*user));
}

ReadingOptionsFile::Sections ReadingOptionsFile::parse(const QStringList& lines) {
    Sections sections;
    QString current;
    bool inSection = false;
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (isSectionHeading(line)) {
            current = line.mid(1, line.size() - 2).trimmed();
            inSection = true;
            sections[current];
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inSection || equals <= 0)
            continue;
        sections[current][line.left(equals).trimmed()] = line.mid(equals + 1).trimmed();
    }
    return sections;
}

QStringList ReadingOptionsFile::format(const Sections& sections) {
    QStringList lines;
    // The default section first: it is the one a reader of the file looks for.
    const QString defaultName = QString::fromLatin1(DefaultSection);
    QList<QString> order = sections.keys();
    if (order.removeOne(defaultName))
        order.prepend(defaultName);
    for (const QString& name : order) {
        if (!lines.isEmpty())
            lines.append(QString());
        lines.append(QLatin1Char('[') + name + QLatin1Char(']'));
        const Section& section = sections.value(name);
        for (auto it = section.cbegin(); it != section.cend(); ++it)
            lines.append(it.key() + QStringLiteral(" = ") + it.value());
    }
    return lines;
}

ReadingOptions ReadingOptionsFile::apply(ReadingOptions options, const Section& section) {
    using K = ReadingOptionKeys;
    const QString percent = section.value(QLatin1String(K::WindowPercent));
    for (const int offered : ReadingOptions::WindowPercents) {
        if (!percent.isEmpty() && percent == windowPercentValue(offered))
            options.windowPercent = offered;
    }
    if (section.contains(QLatin1String(K::FontFamily)))
        options.fontFamily = section.value(QLatin1String(K::FontFamily));
    if (const std::optional<LetterSpacing> spacing =
            valueOf(SpacingTexts, section.value(QLatin1String(K::Spacing))))
        options.spacing = *spacing;
    applySwitch(options.speech, section, K::Speech);
    applySwitch(options.hearTarget, section, K::HearTarget);
    applySwitch(options.umlautKeys, section, K::UmlautKeys);
    applySwitch(options.troubleMoreOften, section, K::TroubleMoreOften);
    applySwitch(options.announceMarks, section, K::AnnounceMarks);
    if (const std::optional<bool> high =
            valueOf(ContrastTexts, section.value(QLatin1String(K::Contrast))))
        options.highContrast = *high;
    applySwitch(options.syllableColours, section, K::SyllableColours);
    return options;
}

ReadingOptionsFile::Sections ReadingOptionsFile::read(bool* complete) const {
    textfile::ReadLimits limits;
    limits.maxLines = MaxLines;
    limits.maxLineBytes = OptionsFileMaxLineBytes;
    const textfile::ReadResult result = textfile::readLines(path(), limits);
    if (complete)
        *complete = result.ok && !result.truncated && result.overlongLines == 0;
    return result.ok ? parse(result.lines) : Sections{};
}

ReadingOptions ReadingOptionsFile::optionsFor(const std::optional<QString>& user) const {
    const Sections sections = read();
    ReadingOptions options = apply(ReadingOptions{}, sections.value(sectionName(std::nullopt)));
    if (user)
        options = apply(options, sections.value(sectionName(user)));
    return options;
}

bool ReadingOptionsFile::change(const std::optional<QString>& user, const QString& key,
                                const QString& value, QString* error) const {
    return change(user, Section{{key, value}}, error);
}

bool ReadingOptionsFile::change(const std::optional<QString>& user, const Section& values,
                                QString* error) const {
    FolderLock lock(folder_);
    if (!lock.readsCurrent(path())) {
        if (error)
            *error = lock.refusal();
        return false;
    }
    bool complete = true;
    Sections sections = read(&complete);
    // A file cut short by a limit would lose its rest when written back.
    if (!complete && QFileInfo::exists(path())) {
        if (error)
            *error = QStringLiteral("Die Datei ist zu groß oder beschädigt.");
        return false;
    }
    Section& section = sections[sectionName(user)];
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        section[it.key()] = it.value();
    return textfile::writeLinesAtomic(path(), format(sections), error);
}

ReadingAids::ReadingAids(const QDir& folder, Users& users, QObject* parent)
    : QObject(parent), file_(folder), users_(users) {
    connect(&users_, &Users::currentChanged, this, &ReadingAids::reload);
}

void ReadingAids::reload() {
    const ReadingOptions options = file_.optionsFor(users_.current());
    // The patterns take a moment to read: they are on their way before the first sentence.
    if (options.syllableColours)
        preloadSyllablePatternsInBackground();
    if (options == current_)
        return;
    current_ = options;
    Q_EMIT changed();
}

bool ReadingAids::change(Dialogs& dialogs, const std::optional<QString>& user, const QString& key,
                         const QString& value) {
    QString error;
    if (!file_.change(user, key, value, &error)) {
        dialogs.message(QStringLiteral("Die Lesehilfen konnten nicht gespeichert werden.") +
                            QLatin1Char('\r') + error + QLatin1Char('\r'),
                        QStringLiteral("Lesehilfen"), Buttons::Ok, Icon::Warning);
        return false;
    }
    reload();
    return true;
}

} // namespace tivoral
