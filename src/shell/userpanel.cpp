#include "shell/userpanel.h"

#include "exercises/panelstyle.h"
#include "platform/twips.h"
#include "shell/classroster.h"
#include "shell/mainviews.h"
#include "shell/viewplacement.h"
#include "store/appstate.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tivoral {

namespace {
constexpr int PanelLeftTwips = 5640;
constexpr int PanelTopTwips = 1080;
constexpr int PanelWidthTwips = 3735;
constexpr int PanelHeightTwips = 6375;
constexpr int HeadingFontPoints = 11;
constexpr int NameFontPoints = 14;
constexpr int ButtonFontPoints = 11;
} // namespace

UserPanel::UserPanel(AppState& app, MainViews& views, QWidget* parent) : QFrame(parent), app_(app) {
    setObjectName(QStringLiteral("userPanel"));
    setAccessibleName(QStringLiteral("Benutzerauswahl"));
    setFrameShape(QFrame::Box);
    panelstyle::setColours(this, panelstyle::LightBlue, panelstyle::Black);
    setGeometry(twips(PanelLeftTwips), twips(PanelTopTwips), twips(PanelWidthTwips),
                twips(PanelHeightTwips));

    auto* heading = new QLabel(QStringLiteral("Benutzer mit Doppelklick wählen:"), this);
    heading->setObjectName(QStringLiteral("userPanelHeading"));
    heading->setWordWrap(true);
    heading->setFont(panelstyle::layoutFont(HeadingFontPoints));

    names_ = new QListWidget(this);
    names_->setObjectName(QStringLiteral("userList"));
    names_->setAccessibleName(QStringLiteral("Namen der Kinder, Doppelklick zum Wählen"));
    names_->setFont(panelstyle::layoutFont(NameFontPoints, false));

    auto* add = new QPushButton(QStringLiteral("Neuer Benutzer ..."), this);
    add->setObjectName(QStringLiteral("newUserButton"));
    add->setFont(panelstyle::layoutFont(ButtonFontPoints, false));
    auto* cancel = new QPushButton(QStringLiteral("Abbruch"), this);
    cancel->setObjectName(QStringLiteral("closeUserPanelButton"));
    cancel->setFont(panelstyle::layoutFont(ButtonFontPoints, false));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(names_);
    layout->addWidget(add);
    layout->addWidget(cancel);

    connect(names_, &QListWidget::itemDoubleClicked, this,
            [this, &views](QListWidgetItem* item) { views.selectUser(names_->row(item)); });
    onReturnKey(names_, [&views](int row) { views.selectUser(row); });
    connect(add, &QPushButton::clicked, &views, &MainViews::addUser);
    connect(cancel, &QPushButton::clicked, &views, &MainViews::closeUserPanel);
    connect(&app.users, &Users::namesChanged, this, &UserPanel::showNames);
    connect(&views, &MainViews::changed, this, [this, &views, add] {
        // The teacher may have closed the list to new names, on any computer of the class.
        if (views.userPanelOpen() && !isVisible())
            add->setVisible(ClassRoster(app_.workFolder).childrenMayAddNames());
        setVisible(views.userPanelOpen());
        if (isVisible())
            raise();
    });
    showNames();
    hide();
}

void UserPanel::showNames() {
    names_->clear();
    names_->addItems(app_.users.names());
}

} // namespace tivoral
