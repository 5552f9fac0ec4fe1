#pragma once

#include <QDir>
#include <QObject>
#include <QString>

#include <optional>

namespace tivoral {

class Dialogs;

struct FontChoice {
    QString family;
    int pointSize = 0;
    bool operator==(const FontChoice&) const = default;
};

// Font and point limit. The preview font is the settings window's; the exercise font is the
// one of the main window's sentence displays and inputs and the puzzle's target field; the
// reading font that of the reading view. Until fonts are applied, windows keep their own.
class Settings final : public QObject {
    Q_OBJECT
public:
    static constexpr int MinPointLimit = 1;
    static constexpr int MaxPointLimit = 300;
    static constexpr int DefaultPointLimit = 100;
    static constexpr int DefaultFontSize = 24;
    static constexpr int FallbackPreviewSize = 18;
    static constexpr int MinFontSize = 6;
    static constexpr int MaxFontSize = 96;
    static constexpr const char* DefaultFontName = "Verdana";

    const FontChoice& previewFont() const { return previewFont_; }
    const std::optional<FontChoice>& exerciseFont() const { return exerciseFont_; }
    const std::optional<FontChoice>& readingFont() const { return readingFont_; }
    int pointLimit() const { return pointLimit_; }

    void setPreviewFont(const FontChoice& font);
    // The main window's sentence displays, inputs, reading view and puzzle target.
    void applyFonts(const FontChoice& font);
    // The settings window's return: everything but the reading view.
    void applyExerciseFont(const FontChoice& font);
    void setPointLimit(int limit);

Q_SIGNALS:
    void previewFontChanged();
    void fontsApplied();
    void pointLimitChanged(int limit);

private:
    FontChoice previewFont_{QString::fromLatin1(DefaultFontName), FallbackPreviewSize};
    std::optional<FontChoice> exerciseFont_;
    std::optional<FontChoice> readingFont_;
    int pointLimit_ = DefaultPointLimit;
};

struct SettingsValues {
    FontChoice font;
    int pointLimit = Settings::DefaultPointLimit;
};

// "TIVORAL.INI": font name, font size, point limit, one per line.
class SettingsFile {
public:
    static constexpr const char* FileName = "TIVORAL.INI";

    explicit SettingsFile(const QDir& folder) : folder_(folder) {}

    // Nothing when the file is missing, unreadable or holds a value that cannot be applied.
    std::optional<SettingsValues> read() const;
    bool write(const QString& fontName, const QString& fontSize, const QString& pointLimit,
               QString* error = nullptr) const;
    bool writeDefaults() const;
    QString path() const { return folder_.filePath(QString::fromLatin1(FileName)); }

    // The fields of the file: a field ends at a comma or a line end; quotes around it go.
    static QStringList fields(const QStringList& lines);
    static std::optional<SettingsValues> parse(const QStringList& lines);
    // The first line as written, so that it reads back as the same name; nothing when no
    // line can (a name that starts with a double quote and holds another one).
    static std::optional<QString> fontLine(const QString& fontName);

private:
    QDir folder_;
};

} // namespace tivoral
