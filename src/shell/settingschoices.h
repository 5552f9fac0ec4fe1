#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace tivoral {

class AppState;

// What the settings window offers and which entries are chosen: the installed fonts, the sizes
// 10 to 32, the preview font and the point limit, which is in force the moment it changes.
class SettingsChoices final : public QObject {
    Q_OBJECT
public:
    static constexpr int SmallestSize = 10;
    static constexpr int LargestSize = 32;
    static constexpr int SizeStep = 2;
    static constexpr int NoEntry = -1;

    explicit SettingsChoices(AppState& app, QObject* parent = nullptr);

    const QStringList& fonts() const { return fonts_; }
    const QStringList& sizes() const { return sizes_; }
    int selectedFont() const { return selectedFont_; }
    int selectedSize() const { return selectedSize_; }
    const QString& waitText() const { return waitText_; }

    // The window became active: the wait text shows and the sizes are offered; the fonts
    // follow with loadFontLists, once the window has been drawn.
    void prepare();
    // Lists the families in sorted order and selects the preview font and size where listed.
    void loadFontLists(const QStringList& families);
    void chooseFont(int index);
    void chooseSize(int index);
    void setPointLimit(int limit);
    // Writes the settings file. A font or size that is not listed keeps the current value
    // instead of writing an empty line.
    bool save();
    // The preview font goes to the exercises; the font list is emptied until the next visit.
    void returnToMainWindow();

Q_SIGNALS:
    void listsChanged();
    void waitTextChanged(const QString& text);

private:
    void setWaitText(const QString& text);

    AppState& app_;
    QStringList fonts_;
    QStringList sizes_;
    int selectedFont_ = NoEntry;
    int selectedSize_ = NoEntry;
    QString waitText_;
};

} // namespace tivoral
