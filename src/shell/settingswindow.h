#pragma once

#include "shell/settingschoices.h"
#include "store/passwordsetup.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QListWidget;
class QScrollBar;
class QToolButton;

namespace tivoral {

class AppState;
class ClassListWindow;
class ReadingAidsPage;

// The settings window: the teacher picks the font of the sentence displays and the
// point limit. Every control forwards its event to SettingsChoices.
class SettingsWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int WidthTwips = 9675;
    static constexpr int HeightTwips = 5670;
    // Long enough for the window and its wait text to be drawn before the fonts are listed.
    static constexpr int FontListDelayMs = 500;
    static constexpr int ReadingAidsLeftTwips = 8880;
    static constexpr int ReadingAidsTopTwips = 840;
    // Left of the reading aids' button, where the wait text never reaches.
    static constexpr int FolderCheckLeftTwips = 8280;
    static constexpr int ClassListLeftTwips = 7740;

    explicit SettingsWindow(AppState& app, QWidget* parent = nullptr);

    // Shows the window with the wait text; the installed fonts are listed after a short delay.
    void activate();
    SettingsChoices& choices() { return choices_; }

Q_SIGNALS:
    // The teacher left the window, by its button or through the window frame.
    void returnedToMainWindow();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void connectLogic();
    void loadInstalledFonts();
    void returnToMainWindow();
    void showLists();
    void showPreviewFont();
    void showPointLimit();
    void showReadingAids(bool shown);
    void editPassword();
    void showPasswordState();
    void checkFolder();

    AppState& app_;
    SettingsChoices choices_;
    QTimer fontTimer_;

    QLabel* waitLabel_ = nullptr;
    QListWidget* fontList_ = nullptr;
    QListWidget* sizeList_ = nullptr;
    QLabel* preview_ = nullptr;
    QLabel* secondPreview_ = nullptr;
    QScrollBar* pointLimitBar_ = nullptr;
    QLabel* pointLimitLabel_ = nullptr;
    PasswordSetup passwordSetup_;
    QLabel* passwordState_ = nullptr;
    QStringList shownFonts_;
    QToolButton* readingAidsButton_ = nullptr;
    ReadingAidsPage* readingAidsPage_ = nullptr;
    ClassListWindow* classList_ = nullptr;
};

} // namespace tivoral
