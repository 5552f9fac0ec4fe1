#include "shell/mainwindow.h"

#include "exercises/dosensatz.h"
#include "exercises/dosensatzpanel.h"
#include "exercises/mosaic.h"
#include "exercises/mosaicpanel.h"
#include "exercises/panelstyle.h"
#include "exercises/puzzle.h"
#include "exercises/puzzlepanel.h"
#include "exercises/verrutscher.h"
#include "exercises/verrutscherpanel.h"
#include "platform/controls.h"
#include "platform/picturebutton.h"
#include "platform/syllablecolours.h"
#include "platform/textcase.h"
#include "platform/twips.h"
#include "platform/windowscale.h"
#include "shell/fileview.h"
#include "shell/infowindow.h"
#include "shell/rewardbutton.h"
#include "shell/textcaseframe.h"
#include "shell/userpanel.h"
#include "shell/viewplacement.h"
#include "store/appstate.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace tivoral {

namespace {

constexpr int MenuBandHeightTwips = 735;
constexpr int MenuTopTwips = 120;
constexpr int MenuLeftTwips = 120;
constexpr int MenuPitchTwips = 540;
constexpr int MenuGroupGapTwips = 45;

constexpr int UserLeftTwips = 6720;
constexpr int UserTopTwips = 180;
constexpr int UserWidthTwips = 2775;
constexpr int UserHeightTwips = 375;
constexpr int UserFontPoints = 12;
constexpr QRgb UserNameColour = qRgb(32, 32, 120);

constexpr int PictureLeftTwips = 840;
constexpr int PictureTopTwips = 960;
constexpr int PictureWidthTwips = 8460;
constexpr int PictureHeightTwips = 6480;

constexpr int CountLeftTwips = 2160;
constexpr int CountTopTwips = 3600;
// Wide enough to centre the count on the tin of the picture.
constexpr int CountWidthTwips = 1110;
constexpr int CountHeightTwips = 600;
constexpr int CountFontPoints = 22;
constexpr QRgb CountColour = qRgb(255, 230, 0);

constexpr int FileNameLeftTwips = 1320;
constexpr int FileNameTopTwips = 5280;
constexpr int FileNameWidthTwips = 2790;
constexpr int FileNameHeightTwips = 375;
constexpr int FileNameFontPoints = 11;

constexpr int ReadingOpenLeftTwips = 240;
constexpr int ReadingTopTwips = 960;
constexpr int ReadingWidthTwips = 9135;
constexpr int ReadingHeightTwips = 6615;

// The start buttons in the order of ExerciseSlot, and the views each start closes.
struct StartButton {
    const char* name;
    const char* toolTip;
    const char* icon;
    StartKind kind;
};
constexpr std::array<StartButton, 4> StartButtons = {{
    {"dosensatzStartButton", "Sätze schreiben", "schreiben", StartKind::ParkFileAndReadingView},
    {"puzzleStartButton", "Sätze puzzeln", "puzzle", StartKind::ParkFileAndReadingView},
    {"mosaicStartButton", "Sätze erkennen", "mosaik", StartKind::ClearReadingView},
    {"verrutscherStartButton", "Sätze zusammensetzen", "verrutscht", StartKind::ClearReadingView},
}};

void placeTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

} // namespace

MainWindow::MainWindow(AppState& app, QWidget* parent)
    : QWidget(parent), app_(app), frame_(app), views_(app) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(TextCaseOption::windowTitle(app.textCase.value()));
    setWindowIcon(QIcon(PictureButton::iconPath(QStringLiteral("tivoral"))));
    setFixedSize(twips(WidthTwips), twips(HeightTwips));
    panelstyle::setColours(this, panelstyle::PaleBackground, panelstyle::Black);

    buildLabels();
    buildMenuRow();
    new FileView(app, views_, this);
    buildReadingView();
    new TextCaseFrame(app.textCase, views_, this);
    new UserPanel(app, views_, this);
    rewardButton_ = new RewardButton(frame_, this);
    addExercises();

    connect(&views_, &MainViews::changed, this, &MainWindow::render);
    connect(&app.textCase, &TextCaseOption::changed, this,
            [this](TextCase value) { setWindowTitle(TextCaseOption::windowTitle(value)); });
    connect(&app.fileStatus, &SentenceFileStatus::changed, this, &MainWindow::showFileStatus);
    connect(&app.settings, &Settings::fontsApplied, this, &MainWindow::applyReadingFont);
    connect(&app.readingAids, &ReadingAids::changed, this, &MainWindow::applyReadingFont);
    showFileStatus();
    applyReadingFont();
    render();
}

PictureButton* MainWindow::addMenuButton(int index, const QString& name, const QString& toolTip,
                                         const QString& icon) {
    // Small gaps after "Programm beenden", after the exercises and after the views group them.
    const int groupGaps = (index >= 1) + (index >= 5) + (index >= 9);
    return addPictureButton(this, name, toolTip, icon,
                            MenuLeftTwips + index * MenuPitchTwips + groupGaps * MenuGroupGapTwips,
                            MenuTopTwips);
}

void MainWindow::buildMenuRow() {
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("menuBand"));
    panelstyle::setColours(band, panelstyle::LightBlue, panelstyle::Black);
    placeTwips(band, 0, 0, WidthTwips, MenuBandHeightTwips);
    band->lower();

    int index = 0;
    connect(addMenuButton(index++, QStringLiteral("quitButton"), QStringLiteral("Programm beenden"),
                          QStringLiteral("beenden")),
            &QToolButton::clicked, this, &MainWindow::confirmExit);
    for (std::size_t slot = 0; slot < StartButtons.size(); ++slot) {
        const StartButton& start = StartButtons.at(slot);
        startButtons_.at(slot) =
            addMenuButton(index++, QString::fromLatin1(start.name),
                          QString::fromUtf8(start.toolTip), QString::fromLatin1(start.icon));
    }
    connect(addMenuButton(index++, QStringLiteral("readingViewButton"),
                          QStringLiteral("Sätze lesen"), QStringLiteral("lesen")),
            &QToolButton::clicked, &views_, &MainViews::toggleReadingView);
    connect(addMenuButton(index++, QStringLiteral("sentenceFilesButton"),
                          QStringLiteral("Sätze laden"), QStringLiteral("laden")),
            &QToolButton::clicked, &views_, &MainViews::toggleSentenceFileView);
    connect(addMenuButton(index++, QStringLiteral("userPanelButton"),
                          QStringLiteral("Benutzerauswahl"), QStringLiteral("benutzer")),
            &QToolButton::clicked, &views_, &MainViews::toggleUserPanel);
    connect(addMenuButton(index++, QStringLiteral("textCaseButton"),
                          QStringLiteral("Textdarstellung"), QStringLiteral("textdarstellung")),
            &QToolButton::clicked, &views_, &MainViews::toggleTextCaseFrame);
    connect(addMenuButton(index++, QStringLiteral("editorButton"),
                          QStringLiteral("Sätze editieren"), QStringLiteral("editieren")),
            &QToolButton::clicked, this, [this] {
                if (views_.askTeacher())
                    Q_EMIT editorRequested();
            });
    connect(addMenuButton(index++, QStringLiteral("settingsButton"),
                          QStringLiteral("Einstellungen"), QStringLiteral("einstellungen")),
            &QToolButton::clicked, this, [this] {
                if (views_.askTeacher())
                    Q_EMIT settingsRequested();
            });
    connect(addMenuButton(index++, QStringLiteral("overviewButton"), QStringLiteral("Lernstand"),
                          QStringLiteral("lernstand")),
            &QToolButton::clicked, this, [this] {
                if (views_.askTeacher())
                    Q_EMIT overviewRequested();
            });
    connect(addMenuButton(index++, QStringLiteral("infoButton"), QStringLiteral("Über Tivoral"),
                          QStringLiteral("info")),
            &QToolButton::clicked, this, &MainWindow::openInfoWindow);

    auto* user = new QLabel(app_.users.current(), this);
    user->setObjectName(QStringLiteral("userNameLabel"));
    user->setToolTip(QStringLiteral("Benutzername"));
    user->setAccessibleDescription(QStringLiteral("Benutzername"));
    user->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    user->setFont(panelstyle::layoutFont(UserFontPoints));
    QPalette palette = user->palette();
    palette.setColor(QPalette::WindowText, QColor(UserNameColour));
    user->setPalette(palette);
    placeTwips(user, UserLeftTwips, UserTopTwips, UserWidthTwips, UserHeightTwips);
    connect(&app_.users, &Users::currentChanged, user, &QLabel::setText);
}

void MainWindow::buildLabels() {
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("canPicture"));
    picture->setPixmap(QIcon(PictureButton::iconPath(QStringLiteral("dose")))
                           .pixmap(QSize(twips(PictureWidthTwips), twips(PictureHeightTwips))));
    placeTwips(picture, PictureLeftTwips, PictureTopTwips, PictureWidthTwips, PictureHeightTwips);

    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("loadedCountLabel"));
    count_->setToolTip(QStringLiteral("Anzahl der geladenen Sätze"));
    count_->setAccessibleDescription(QStringLiteral("Anzahl der geladenen Sätze"));
    count_->setFont(panelstyle::layoutFont(CountFontPoints));
    count_->setAlignment(Qt::AlignCenter);
    QPalette palette = count_->palette();
    palette.setColor(QPalette::WindowText, QColor(CountColour));
    count_->setPalette(palette);
    placeTwips(count_, CountLeftTwips, CountTopTwips, CountWidthTwips, CountHeightTwips);

    fileName_ = new QLabel(this);
    fileName_->setObjectName(QStringLiteral("loadedFileLabel"));
    fileName_->setToolTip(QStringLiteral("Geladene Satzdatei"));
    fileName_->setAccessibleDescription(QStringLiteral("Geladene Satzdatei"));
    fileName_->setFont(panelstyle::layoutFont(FileNameFontPoints));
    fileName_->setAlignment(Qt::AlignCenter);
    placeTwips(fileName_, FileNameLeftTwips, FileNameTopTwips, FileNameWidthTwips,
               FileNameHeightTwips);
}

void MainWindow::buildReadingView() {
    reading_ = new QPlainTextEdit(this);
    reading_->setObjectName(QStringLiteral("readingView"));
    reading_->setAccessibleName(QStringLiteral("Alle Sätze zum Lesen"));
    reading_->setReadOnly(true);
    reading_->setFrameShape(QFrame::Box);
    placeTwips(reading_, HiddenLeftTwips, ReadingTopTwips, ReadingWidthTwips, ReadingHeightTwips);
    reading_->hide();
    // Speech on, the sentence the child clicks or moves to in the view is read aloud.
    const auto lastBlock = std::make_shared<int>(-1);
    connect(reading_, &QPlainTextEdit::cursorPositionChanged, this, [this, lastBlock] {
        const QTextBlock block = reading_->textCursor().block();
        if (!reading_->hasFocus() || block.blockNumber() == *lastBlock)
            return;
        *lastBlock = block.blockNumber();
        frame_.speak(block.text());
    });
    connect(reading_, &QPlainTextEdit::textChanged, this, [lastBlock] { *lastBlock = -1; });
    // With "Silben farbig" on, the syllables of the sentences come in colour.
    const auto colourSyllables = [this] {
        const std::optional<SyllableColours> colours =
            panelstyle::syllableColours(app_.readingAids.current());
        auto* highlighter = reading_->document()->findChild<SyllableHighlighter*>();
        if (colours.has_value() == (highlighter != nullptr))
            return;
        delete highlighter;
        if (colours)
            new SyllableHighlighter(*colours, reading_->document());
    };
    colourSyllables();
    connect(&app_.readingAids, &ReadingAids::changed, reading_, colourSyllables);
}

void MainWindow::addExercises() {
    auto* dosensatz = new DosensatzExercise(frame_);
    addExercise(ExerciseSlot::Dosensatz, *dosensatz, new DosensatzPanel(*dosensatz));
    auto* puzzle = new PuzzleExercise(frame_);
    addExercise(ExerciseSlot::Satzpuzzle, *puzzle, new PuzzlePanel(*puzzle));
    auto* mosaic = new MosaicExercise(frame_);
    addExercise(ExerciseSlot::Mosaiksatz, *mosaic, new MosaicPanel(*mosaic));
    auto* verrutscher = new VerrutscherExercise(frame_);
    addExercise(ExerciseSlot::VerrutscherSatz, *verrutscher, new VerrutscherPanel(*verrutscher));
}

void MainWindow::addExercise(ExerciseSlot slot, Exercise& exercise, ExercisePanel* panel) {
    exercise.setParent(this);
    panel->setParent(this);
    panel->hide();
    rewardButton_->addExercise(exercise, slot);
    const auto index = static_cast<std::size_t>(slot);
    PictureButton* button = startButtons_.at(index);
    const StartKind kind = StartButtons.at(index).kind;
    connect(button, &QToolButton::clicked, this, [this, &exercise, kind] {
        views_.prepareExerciseStart(kind);
        frame_.startExercise(exercise);
    });
}

void MainWindow::startUp() {
    setFixedSize(twips(WidthTwips), twips(HeightTwips));
    windowscale::centreOnScreen(*this);
    views_.startUp();
}

void MainWindow::render() {
    placeView(reading_, views_.readingViewOpen(), ReadingOpenLeftTwips);
    showText(reading_, views_.readingText());
}

void MainWindow::showFileStatus() {
    const SentenceFileStatus& status = app_.fileStatus;
    fileName_->setText(toUpperOneToOne(status.loadedName()));
    // Before any load the count reads "0", without the blank a loaded count starts with.
    count_->setText(status.loadedCount() > 0 ? SentenceStore::countText(status.loadedCount())
                                             : QStringLiteral("0"));
}

void MainWindow::applyReadingFont() {
    QFont chosen = reading_->font();
    if (const std::optional<FontChoice>& font = app_.settings.readingFont()) {
        chosen.setFamily(font->family);
        chosen.setPointSizeF(scaledPoints(font->pointSize));
    }
    reading_->setFont(panelstyle::withReadingAids(chosen, app_.readingAids.current()));
}

void MainWindow::openInfoWindow() {
    if (!info_)
        info_ = new InfoWindow(this);
    info_->openBeside(frameGeometry());
}

void MainWindow::hideMainWindow() {
    hide();
}

void MainWindow::showMainWindow() {
    show();
    raise();
    activateWindow();
}

void MainWindow::confirmExit() {
    if (!views_.askExit())
        return;
    exiting_ = true;
    Q_EMIT exitConfirmed();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing through the window frame asks the same question as the exit button.
    if (!exiting_ && !views_.askExit()) {
        event->ignore();
        return;
    }
    event->accept();
    if (!exiting_) {
        exiting_ = true;
        Q_EMIT exitConfirmed();
    }
}

} // namespace tivoral
