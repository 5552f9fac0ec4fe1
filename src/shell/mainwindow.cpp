#include "shell/mainwindow.h"

#include "exercises/exercise.h"
#include "exercises/exercisecatalog.h"
#include "exercises/exercisepanel.h"
#include "exercises/exercisepanels.h"
#include "exercises/panelstyle.h"
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
#include <QTimer>

namespace tivoral {

namespace {

constexpr int MenuBandHeightTwips = 735;
constexpr int MenuTopTwips = 120;
constexpr int MenuLeftTwips = 120;
constexpr int MenuPitchTwips = 540;
constexpr int MenuGroupGapTwips = 45;

// The user's name fills the band right of the last button.
constexpr int UserGapTwips = 60;
constexpr int UserRightTwips = 9495;
constexpr int UserTopTwips = 180;
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

void placeTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

} // namespace

MainWindow::MainWindow(AppState& app, QWidget* parent)
    : QWidget(parent), app_(app), frame_(app), views_(app) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(TextCaseOption::windowTitle(app.textCase.value()));
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
    const int exercises = int(exerciseCatalog().size());
    const int groupGaps = (index >= 1) + (index >= 1 + exercises) + (index >= 5 + exercises);
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
    for (const ExerciseDescriptor& descriptor : exerciseCatalog())
        startButtons_.append(addMenuButton(index++, QString::fromLatin1(descriptor.startButton),
                                           QString::fromUtf8(descriptor.startToolTip),
                                           QString::fromLatin1(descriptor.startIcon)));
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

    const int userLeft = MenuLeftTwips + index * MenuPitchTwips + 3 * MenuGroupGapTwips +
                         UserGapTwips;
    auto* user = new QLabel(app_.users.current(), this);
    user->setObjectName(QStringLiteral("userNameLabel"));
    user->setToolTip(QStringLiteral("Benutzername"));
    user->setAccessibleDescription(QStringLiteral("Benutzername"));
    user->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    user->setFont(panelstyle::layoutFont(UserFontPoints));
    QPalette palette = user->palette();
    palette.setColor(QPalette::WindowText, QColor(UserNameColour));
    user->setPalette(palette);
    placeTwips(user, userLeft, UserTopTwips, UserRightTwips - userLeft, UserHeightTwips);
    connect(&app_.users, &Users::currentChanged, user, &QLabel::setText);
}

QSize MainWindow::pictureSize() {
    return {twips(PictureWidthTwips), twips(PictureHeightTwips)};
}

SvgIconEngine::DrawingAhead MainWindow::drawPictureAhead(qreal devicePixelRatio) {
    return PictureButton::drawAhead(QStringLiteral("dose"), pictureSize() * devicePixelRatio);
}

void MainWindow::buildLabels() {
    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("canPicture"));
    placeTwips(picture_, PictureLeftTwips, PictureTopTwips, PictureWidthTwips, PictureHeightTwips);

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
    const QList<ExerciseDescriptor>& catalog = exerciseCatalog();
    for (qsizetype index = 0; index < catalog.size(); ++index) {
        const ExerciseDescriptor& descriptor = catalog.at(index);
        Exercise* exercise = descriptor.create(frame_);
        exercise->setParent(this);
        unmadePanels_.append({descriptor.kind, exercise});
        rewardButton_->addExercise(*exercise, descriptor.rewardLeftTwips);
        connectStartButton(startButtons_.at(index), *exercise, descriptor.startKind);
    }
}

void MainWindow::makeNextPanel() {
    if (unmadePanels_.isEmpty())
        return;
    const auto [kind, exercise] = unmadePanels_.takeFirst();
    ExercisePanel* panel = createExercisePanel(kind, *exercise);
    panel->setParent(this);
    panel->hide();
}

void MainWindow::makePanelsAfterFirstFrame() {
    makeNextPanel();
    // One panel per turn of the event loop, so that a click meanwhile is not kept waiting.
    if (!unmadePanels_.isEmpty())
        QTimer::singleShot(0, this, &MainWindow::makePanelsAfterFirstFrame);
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!firstFramePainted_) {
        firstFramePainted_ = true;
        QTimer::singleShot(0, this, &MainWindow::finishAfterFirstFrame);
    }
}

void MainWindow::finishAfterFirstFrame() {
    // The window manager takes the icon whenever it comes; drawing it in all its sizes need not
    // hold up the first frame.
    setWindowIcon(PictureButton::icon(QStringLiteral("tivoral")));
    Q_EMIT firstFrameShown();
    makePanelsAfterFirstFrame();
}

void MainWindow::connectStartButton(PictureButton* button, Exercise& exercise, StartKind kind) {
    connect(button, &QToolButton::clicked, this, [this, &exercise, kind] {
        // A start before the panels were made after the first frame makes them now.
        while (!unmadePanels_.isEmpty())
            makeNextPanel();
        views_.prepareExerciseStart(kind);
        frame_.startExercise(exercise);
    });
}

void MainWindow::startUp() {
    setFixedSize(twips(WidthTwips), twips(HeightTwips));
    windowscale::centreOnScreen(*this);
    views_.startUp();
    // Drawn for the size the window has by now; as late as this, the drawing begun ahead is
    // done.
    picture_->setPixmap(PictureButton::icon(QStringLiteral("dose")).pixmap(pictureSize()));
}

void MainWindow::render() {
    placeView(reading_, views_.readingViewOpen(), ReadingOpenLeftTwips);
    showText(reading_, views_.readingLines());
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
