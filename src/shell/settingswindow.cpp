#include "shell/settingswindow.h"

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/fonts.h"
#include "platform/offthread.h"
#include "platform/picturebutton.h"
#include "platform/sharecheck.h"
#include "platform/twips.h"
#include "platform/windowscale.h"
#include "shell/classlistwindow.h"
#include "shell/readingaidspage.h"
#include "store/appstate.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>

namespace tivoral {

namespace {

const QString HeadingStyle = QStringLiteral("QLabel { color: white; background: black; }");
const QString WaitStyle = QStringLiteral("QLabel { color: #d00000; font-weight: bold; }");
const QString SecondPreviewStyle = QStringLiteral("QLabel { color: #0000c0; }");

} // namespace

SettingsWindow::SettingsWindow(AppState& app, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      app_(app), choices_(app), passwordSetup_(app.workFolder, app.dialogs, app.teacherLock) {
    setObjectName(QStringLiteral("settingsWindow"));
    setWindowTitle(QStringLiteral("Tivoral:  Einstellungen"));
    setWindowIcon(PictureButton::icon(QStringLiteral("tivoral")));
    setFixedSize(twips(WidthTwips), twips(HeightTwips));

    fontTimer_.setObjectName(QStringLiteral("fontListTimer"));
    fontTimer_.setSingleShot(true);
    fontTimer_.setInterval(FontListDelayMs);

    buildControls();
    connectLogic();
    showPreviewFont();
    showPointLimit();
    showPasswordState();

    windowscale::followTeacherScreen(*this);
    windowscale::centreOnScreen(*this);
}

void SettingsWindow::buildControls() {
    auto* back = addPictureButton(this, QStringLiteral("closeSettingsButton"),
                                  QStringLiteral("Zum Hauptfenster"),
                                  QStringLiteral("hauptfenster"), 120, 120);
    connect(back, &PictureButton::clicked, this, &SettingsWindow::returnToMainWindow);
    auto* save = addPictureButton(this, QStringLiteral("saveSettingsButton"),
                                  QStringLiteral("Einstellungen speichern"),
                                  QStringLiteral("speichern"), 960, 120);
    connect(save, &PictureButton::clicked, &choices_, &SettingsChoices::save);

    auto* readingAids =
        addPictureButton(this, QStringLiteral("readingAidsButton"), QStringLiteral("Lesehilfen"),
                         QStringLiteral("lesehilfen"), ReadingAidsLeftTwips, 120);
    readingAids->setCheckable(true);
    connect(readingAids, &PictureButton::toggled, this, &SettingsWindow::showReadingAids);

    auto* classList =
        addPictureButton(this, QStringLiteral("classListButton"), QStringLiteral("Kinder"),
                         QStringLiteral("kinder"), ClassListLeftTwips, 120);
    connect(classList, &PictureButton::clicked, this, [this] {
        if (!classList_)
            classList_ = new ClassListWindow(app_, this);
        classList_->activate();
    });

    // Ends before the class list's button; the wait text is far shorter.
    waitLabel_ = addLabel(this, "waitLabel", QString(), twipsRect(1920, 240, 6015, 375));
    waitLabel_->setStyleSheet(WaitStyle);
    auto* folderCheck =
        addPictureButton(this, QStringLiteral("folderCheckButton"), QStringLiteral("Ordner prüfen"),
                         QStringLiteral("ordnerpruefen"), FolderCheckLeftTwips, 120);
    connect(folderCheck, &PictureButton::clicked, this, &SettingsWindow::checkFolder);

    addLabel(this, "fontHeading",
             QStringLiteral("Hier wählen Sie die Schrift für die Arbeitsfenster aus:"),
             twipsRect(120, 1080, 9375, 255))
        ->setStyleSheet(HeadingStyle);
    fontList_ =
        addList(this, "fontList", QStringLiteral("Schriften"), twipsRect(120, 1320, 3855, 2910));
    sizeList_ = addList(this, "fontSizeList", QStringLiteral("Schriftgrößen"),
                        twipsRect(3960, 1320, 375, 2910));
    sizeList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    addLabel(this, "previewCaption", QStringLiteral("Setze den Satz wieder richtig zusammen:"),
             twipsRect(4560, 1800, 4095, 255));
    preview_ = addLabel(this, "fontPreview", QStringLiteral("Dosensatz"),
                        twipsRect(4560, 2160, 4695, 855));
    secondPreview_ = addLabel(this, "secondFontPreview", QStringLiteral("Dosensatz"),
                              twipsRect(4560, 3120, 4695, 855));
    secondPreview_->setStyleSheet(SecondPreviewStyle);

    addLabel(this, "pointLimitHeading",
             QStringLiteral("Hier stellen Sie die Punktezahl für die Belohnung ein:"),
             twipsRect(120, 4440, 9375, 255))
        ->setStyleSheet(HeadingStyle);
    pointLimitBar_ = new QScrollBar(Qt::Horizontal, this);
    pointLimitBar_->setObjectName(QStringLiteral("pointLimitBar"));
    pointLimitBar_->setAccessibleName(QStringLiteral("Punktelimit"));
    pointLimitBar_->setGeometry(twipsRect(4440, 4800, 4455, 255));
    pointLimitBar_->setRange(Settings::MinPointLimit, Settings::MaxPointLimit);
    pointLimitBar_->setSingleStep(1);
    pointLimitBar_->setPageStep(1);
    pointLimitLabel_ =
        addLabel(this, "pointLimitLabel", QString(), twipsRect(8880, 4800, 495, 255));
    pointLimitLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pointLimitLabel_->setAccessibleDescription(QStringLiteral("Punktelimit"));

    // Below the point limit's scroll bar, the one free place in the window's layout.
    auto* password =
        addPictureButton(this, QStringLiteral("passwordButton"), QStringLiteral("Lehrer-Passwort"),
                         QStringLiteral("lehrerpasswort"), 120, 5100);
    connect(password, &PictureButton::clicked, this, &SettingsWindow::editPassword);
    passwordState_ =
        addLabel(this, "passwordStateLabel", QString(), twipsRect(720, 5100, 8775, 495));
    passwordState_->setToolTip(QStringLiteral("Stand des Lehrer-Passworts"));
    // The label's own text is what a screen reader reads as its name.
    passwordState_->setAccessibleDescription(passwordState_->toolTip());

    // Last, so that it lies over the font and point-limit controls while it is shown.
    readingAidsPage_ = new ReadingAidsPage(app_, this);
    readingAidsPage_->setGeometry(
        twipsRect(0, ReadingAidsTopTwips, WidthTwips, HeightTwips - ReadingAidsTopTwips));
    readingAidsPage_->hide();
    readingAidsButton_ = readingAids;
}

void SettingsWindow::connectLogic() {
    connect(&fontTimer_, &QTimer::timeout, this, &SettingsWindow::loadInstalledFonts);
    connect(&choices_, &SettingsChoices::waitTextChanged, waitLabel_, &QLabel::setText);
    connect(&choices_, &SettingsChoices::listsChanged, this, &SettingsWindow::showLists);
    connect(fontList_, &QListWidget::currentRowChanged, &choices_, &SettingsChoices::chooseFont);
    connect(sizeList_, &QListWidget::currentRowChanged, &choices_, &SettingsChoices::chooseSize);
    connect(&app_.settings, &Settings::previewFontChanged, this, &SettingsWindow::showPreviewFont);
    // valueChanged also comes while the thumb is dragged.
    connect(pointLimitBar_, &QScrollBar::valueChanged, &choices_, &SettingsChoices::setPointLimit);
    connect(&app_.settings, &Settings::pointLimitChanged, this, &SettingsWindow::showPointLimit);
}

void SettingsWindow::activate() {
    choices_.prepare();
    showPasswordState();
    show();
    raise();
    activateWindow();
    fontTimer_.start();
}

void SettingsWindow::loadInstalledFonts() {
    choices_.loadFontLists(fonts::installedFamilies());
}

void SettingsWindow::showReadingAids(bool shown) {
    if (shown)
        readingAidsPage_->prepare();
    readingAidsPage_->setVisible(shown);
}

void SettingsWindow::returnToMainWindow() {
    fontTimer_.stop();
    readingAidsButton_->setChecked(false);
    choices_.returnToMainWindow();
    hide();
    Q_EMIT returnedToMainWindow();
}

void SettingsWindow::closeEvent(QCloseEvent* event) {
    // Leaving through the frame takes the same way back as the button.
    event->ignore();
    returnToMainWindow();
}

void SettingsWindow::showLists() {
    // The lists only show the choices; a selection made here is not a click of the teacher.
    const QSignalBlocker fontBlocker(fontList_);
    const QSignalBlocker sizeBlocker(sizeList_);
    if (choices_.fonts() != shownFonts_) {
        shownFonts_ = choices_.fonts();
        fontList_->clear();
        fontList_->addItems(shownFonts_);
    }
    if (sizeList_->count() != choices_.sizes().size()) {
        sizeList_->clear();
        sizeList_->addItems(choices_.sizes());
    }
    fontList_->setCurrentRow(choices_.selectedFont());
    sizeList_->setCurrentRow(choices_.selectedSize());
    if (fontList_->currentItem())
        fontList_->scrollToItem(fontList_->currentItem(), QAbstractItemView::PositionAtCenter);
}

void SettingsWindow::showPreviewFont() {
    const FontChoice& choice = app_.settings.previewFont();
    QFont font(choice.family);
    font.setPointSizeF(choice.pointSize * windowscale::factorOf(*this));
    font.setBold(true);
    preview_->setFont(font);
    secondPreview_->setFont(font);
}

void SettingsWindow::showPointLimit() {
    const int limit = app_.settings.pointLimit();
    pointLimitLabel_->setText(QString::number(limit));
    if (pointLimitBar_->value() != limit)
        pointLimitBar_->setValue(limit);
}

void SettingsWindow::editPassword() {
    passwordSetup_.edit();
    showPasswordState();
}

void SettingsWindow::showPasswordState() {
    passwordState_->setText(passwordSetup_.stateText());
}

void SettingsWindow::checkFolder() {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const ShareCheck::Report report = runOffWindowThread(
        [folder = app_.workFolder] { return ShareCheck(folder).run(ShareCheck::Depth::Full); });
    QGuiApplication::restoreOverrideCursor();
    app_.dialogs.message(report.text(), QStringLiteral("Ordner prüfen"), Buttons::Ok,
                         report.safe() ? Icon::Information : Icon::Warning);
}

} // namespace tivoral
