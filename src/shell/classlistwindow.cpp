#include "shell/classlistwindow.h"

#include "exercises/panelstyle.h"
#include "platform/dialogs.h"
#include "platform/offthread.h"
#include "platform/textmarks.h"
#include "platform/twips.h"
#include "platform/windowscale.h"
#include "store/appstate.h"
#include "store/typedtext.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tivoral {

namespace {

const QString ClassListTitle = QStringLiteral("Kinder verwalten");
constexpr int ClassListPoints = 12;
constexpr int ClassListWidthTwips = 7200;
constexpr int ClassListHeightTwips = 7800;
// Sets the class-wide switch apart from the buttons that act on one child.
constexpr int SwitchGapTwips = 360;

QPushButton* classListButton(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setFont(panelstyle::layoutFont(ClassListPoints));
    return button;
}

QCheckBox* classListSwitch(const char* name, const QString& text, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setFont(panelstyle::layoutFont(ClassListPoints, false));
    return box;
}

} // namespace

ClassListWindow::ClassListWindow(AppState& app, QWidget* parent)
    : QDialog(parent), app_(app), roster_(app.workFolder) {
    setObjectName(QStringLiteral("classListWindow"));
    setWindowTitle(ClassListTitle);
    setModal(true);
    resize(twips(ClassListWidthTwips), twips(ClassListHeightTwips));
    panelstyle::setColours(this, panelstyle::PaleBackground, panelstyle::Black);

    auto* heading = new QLabel(QStringLiteral("Die Kinder dieses Ordners:"), this);
    heading->setFont(panelstyle::layoutFont(ClassListPoints));
    names_ = new QListWidget(this);
    names_->setObjectName(QStringLiteral("classList"));
    names_->setAccessibleName(QStringLiteral("Kinder"));
    names_->setFont(panelstyle::layoutFont(ClassListPoints + 2, false));

    rename_ = classListButton("renameChildButton", QStringLiteral("Umbenennen"), this);
    remove_ = classListButton("removeChildButton", QStringLiteral("Löschen"), this);
    auto* close = classListButton("closeClassListButton", QStringLiteral("Schließen"), this);
    withResults_ =
        classListSwitch("removeResultsSwitch",
                        QStringLiteral("Auch den Lernstand und die Spielergebnisse löschen"), this);
    newNames_ =
        classListSwitch("newNamesSwitch", QStringLiteral("Kinder dürfen neue Namen anlegen"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(rename_);
    buttons->addWidget(remove_);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* page = new QVBoxLayout(this);
    page->addWidget(heading);
    page->addWidget(names_);
    page->addWidget(withResults_);
    page->addLayout(buttons);
    page->addSpacing(twips(SwitchGapTwips));
    page->addWidget(newNames_);

    connect(rename_, &QPushButton::clicked, this, &ClassListWindow::renameChosen);
    connect(remove_, &QPushButton::clicked, this, &ClassListWindow::removeChosen);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(newNames_, &QCheckBox::toggled, this, &ClassListWindow::changeNewNamesSwitch);
    connect(names_, &QListWidget::currentRowChanged, this, [this](int row) {
        rename_->setEnabled(row >= 0);
        remove_->setEnabled(row >= 0);
    });
    connect(&app_.users, &Users::namesChanged, this, &ClassListWindow::showNames);
}

void ClassListWindow::activate() {
    app_.users.load();
    showNames();
    {
        const QSignalBlocker blocker(newNames_);
        newNames_->setChecked(roster_.childrenMayAddNames());
    }
    windowscale::centreOnScreen(*this);
    open();
}

void ClassListWindow::showNames() {
    const QString chosen = names_->currentItem() ? names_->currentItem()->text() : QString();
    names_->clear();
    names_->addItems(app_.users.names());
    const QList<QListWidgetItem*> same = names_->findItems(chosen, Qt::MatchExactly);
    names_->setCurrentItem(same.isEmpty() ? nullptr : same.constFirst());
    rename_->setEnabled(names_->currentItem());
    remove_->setEnabled(names_->currentItem());
}

void ClassListWindow::renameChosen() {
    if (!names_->currentItem())
        return;
    const QString user = names_->currentItem()->text();
    const QString typed = typedtext::withoutControlCharacters(
        app_.dialogs.input(QStringLiteral("Neuer Name für %1:").arg(user), ClassListTitle, user));
    if (typed.isEmpty() || typed == user)
        return;
    if (const QString refusal = ClassRoster::refusalOf(typed, app_.users.names());
        !refusal.isEmpty()) {
        app_.dialogs.message(refusal + CR, typed + QLatin1Char(':'), Buttons::Ok, Icon::Warning);
        return;
    }
    if (runAndReport([this, user, typed] { return roster_.rename(user, typed); }))
        app_.users.noteRenamed(user, typed);
}

void ClassListWindow::removeChosen() {
    if (!names_->currentItem())
        return;
    const QString user = names_->currentItem()->text();
    const bool withResults = withResults_->isChecked();
    const QString consequence =
        withResults ? QStringLiteral("Auch der Lernstand und die Spielergebnisse werden gelöscht.")
                    : QStringLiteral("Lernstand und Spielergebnisse bleiben erhalten.");
    const QString question =
        QStringLiteral("%1 wirklich aus der Liste der Kinder löschen?").arg(user) + CR +
        consequence + CR;
    if (app_.dialogs.message(question, ClassListTitle, Buttons::YesNo, Icon::Question,
                             Answer::No) != Answer::Yes)
        return;
    if (runAndReport([this, user, withResults] { return roster_.remove(user, withResults); }))
        app_.users.noteRenamed(user, std::nullopt);
}

bool ClassListWindow::runAndReport(const std::function<ClassRoster::Result()>& work) {
    ClassRoster::Result result;
    {
        QProgressDialog progress(QStringLiteral("Die Dateien werden geändert ..."), QString(), 0, 0,
                                 this);
        progress.setWindowTitle(ClassListTitle);
        progress.setMinimumDuration(ProgressAfterMs);
        progress.setWindowModality(Qt::WindowModal);
        progress.setValue(0);
        result = runOffWindowThread(work);
    }
    if (result.outcome == ClassRoster::Outcome::Done)
        return true;
    // A refusal says why; anything else also says that the files are as they were.
    QString prompt = result.reason + CR;
    if (result.outcome != ClassRoster::Outcome::Refused)
        prompt = QStringLiteral("Es wurde nichts geändert.") + CR + prompt;
    app_.dialogs.message(prompt, ClassListTitle, Buttons::Ok, Icon::Warning);
    // Another computer may have changed the list meanwhile.
    app_.users.load();
    return false;
}

void ClassListWindow::changeNewNamesSwitch(bool allowed) {
    QString error;
    if (roster_.setChildrenMayAddNames(allowed, &error))
        return;
    app_.dialogs.message(QStringLiteral("Die Einstellung konnte nicht gespeichert werden.") + CR +
                             error + CR,
                         ClassListTitle, Buttons::Ok, Icon::Warning);
    const QSignalBlocker blocker(newNames_);
    newNames_->setChecked(!allowed);
}

} // namespace tivoral
