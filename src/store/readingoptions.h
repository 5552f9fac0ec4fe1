#pragma once

#include <QDir>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace tivoral {

class Dialogs;
class Users;

enum class LetterSpacing { Normal, Wide, Wider };

// The reading aids one child works with. Every child starts from the default section and
// overrides single options in his own.
struct ReadingOptions {
    static constexpr int FillScreen = 0; // window size: as large as the screen allows
    static constexpr int DefaultWindowPercent = 100;
    static constexpr std::array WindowPercents{100, 125, 150, 200, FillScreen};

    int windowPercent = DefaultWindowPercent;
    QString fontFamily; // empty: the font of the settings file
    LetterSpacing spacing = LetterSpacing::Normal;
    bool speech = true;
    bool hearTarget = false; // the whole target sentence, at the Lupe's cost
    bool umlautKeys = true;
    bool troubleMoreOften = false; // the child's hardest sentences come back more often
    bool announceMarks = true;     // the dictation says "Komma", "Punkt" … where they stand
    bool highContrast = false;     // every text at least 7 : 1 against its background
    bool syllableColours = false;  // the sentences he reads with their syllables in two colours

    bool operator==(const ReadingOptions&) const = default;
};

// One option as it stands in the file.
struct ReadingOptionKeys {
    static constexpr const char* WindowPercent = "Fenstergroesse";
    static constexpr const char* FontFamily = "Schrift";
    static constexpr const char* Spacing = "Buchstabenabstand";
    static constexpr const char* Speech = "Vorlesen";
    static constexpr const char* HearTarget = "SatzAnhoeren";
    static constexpr const char* UmlautKeys = "Umlauttasten";
    static constexpr const char* TroubleMoreOften = "SchwierigeSaetzeOefter";
    static constexpr const char* AnnounceMarks = "SatzzeichenAnsagen";
    static constexpr const char* Contrast = "Kontrast";
    static constexpr const char* SyllableColours = "SilbenFarbig";
};

// "TIVORAL.OPT": key = value lines under "[section]" headings, one section per user name and
// the default section "[*]". User names are percent-encoded in the headings, so blanks, "/",
// "=", brackets and umlauts all work and "*" never names a user.
class ReadingOptionsFile {
public:
    static constexpr const char* FileName = "TIVORAL.OPT";
    static constexpr const char* DefaultSection = "*";
    // The options of a few hundred children; anything larger is not this file.
    static constexpr int MaxLines = 20000;

    using Section = QMap<QString, QString>;
    using Sections = QMap<QString, Section>; // by encoded section name

    explicit ReadingOptionsFile(const QDir& folder) : folder_(folder) {}

    QString path() const { return folder_.filePath(QString::fromLatin1(FileName)); }

    // Empty when the file is missing or cannot be read; complete is false when it was cut short.
    Sections read(bool* complete = nullptr) const;
    // The default section, overridden by the user's own (no user: the default only).
    ReadingOptions optionsFor(const std::optional<QString>& user) const;
    // Re-reads the file under the folder lock and changes one key of one section only, so that
    // another computer's change to another child survives. No user: the default section.
    bool change(const std::optional<QString>& user, const QString& key, const QString& value,
                QString* error = nullptr) const;
    // The same for several keys of one section, in one rewrite.
    bool change(const std::optional<QString>& user, const Section& values,
                QString* error = nullptr) const;

    static QString sectionName(const std::optional<QString>& user);
    static Sections parse(const QStringList& lines);
    static QStringList format(const Sections& sections);
    static ReadingOptions apply(ReadingOptions options, const Section& section);

private:
    QDir folder_;
};

// The options in force: those of the child chosen in the user panel, read again whenever
// another child is chosen or the teacher changes one.
class ReadingAids final : public QObject {
    Q_OBJECT
public:
    ReadingAids(const QDir& folder, Users& users, QObject* parent = nullptr);

    const ReadingOptions& current() const { return current_; }
    const ReadingOptionsFile& file() const { return file_; }
    // Writes the option for the user (empty: the default) and reports a failure in German.
    bool change(Dialogs& dialogs, const std::optional<QString>& user, const QString& key,
                const QString& value);
    void reload();

Q_SIGNALS:
    void changed();

private:
    ReadingOptionsFile file_;
    Users& users_;
    ReadingOptions current_;
};

QString spacingValue(LetterSpacing spacing);
QString windowPercentValue(int percent);
QString switchValue(bool on);
// "normal" or "hoch".
QString contrastValue(bool high);

} // namespace tivoral
