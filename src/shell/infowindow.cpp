#include "shell/infowindow.h"

#include "exercises/panelstyle.h"
#include "platform/picturebutton.h"
#include "platform/twips.h"
#include "shell/infotexts.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace tivoral {

namespace {
constexpr int LogoPixels = 72;
constexpr int TitleFontPoints = 22;
constexpr int SubtitleFontPoints = 11;
constexpr int TextFontPoints = 10;
constexpr int CloseFontPoints = 12;
constexpr int GapToMainPixels = 8;
constexpr int LogoMarginPixels = 4;

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, int points, bool bold) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(panelstyle::layoutFont(points, bold));
    label->setTextFormat(Qt::PlainText);
    return label;
}
} // namespace

InfoWindow::InfoWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("infoWindow"));
    setWindowTitle(QStringLiteral("Tivoral"));
    setFixedSize(twips(WidthTwips), twips(HeightTwips));
    panelstyle::setColours(this, panelstyle::LightBlue, panelstyle::Black);

    auto* logo =
        new PictureButton(QStringLiteral("logoButton"), QStringLiteral("Fenster schließen"),
                          QStringLiteral("tivoral"), this);
    logo->setFixedSize(scaledPixels(LogoPixels), scaledPixels(LogoPixels));
    logo->setIconSize(QSize(scaledPixels(LogoPixels - LogoMarginPixels),
                            scaledPixels(LogoPixels - LogoMarginPixels)));

    auto* title = addLabel(this, "titleLabel", QStringLiteral("Tivoral"), TitleFontPoints, true);
    auto* subtitle =
        addLabel(this, "subtitleLabel", QStringLiteral("Sätze lesen und richtig schreiben üben"),
                 SubtitleFontPoints, true);
    auto* version = addLabel(this, "versionLabel",
                             QStringLiteral("Version ") + QString::fromLatin1(TIVORAL_VERSION),
                             TextFontPoints, false);
    auto* exercises =
        addLabel(this, "exercisesLabel",
                 QStringLiteral("Sätze schreiben · puzzeln · erkennen · zusammensetzen"),
                 TextFontPoints, false);
    auto* notice = addLabel(this, "noticeLabel", infotexts::notice(), TextFontPoints, false);
    auto* credits = addLabel(this, "creditsLabel", infotexts::credits(), TextFontPoints, false);
    auto* howToClose =
        addLabel(this, "howToCloseLabel",
                 QStringLiteral("Zum Schließen auf das Bild oder auf „Abbruch“ klicken."),
                 TextFontPoints, false);

    auto* close = new QPushButton(QStringLiteral("Abbruch"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setToolTip(QStringLiteral("Fenster schließen"));
    close->setAccessibleName(QStringLiteral("Abbruch, Fenster schließen"));
    close->setFlat(true);
    close->setCursor(Qt::PointingHandCursor);
    close->setFont(panelstyle::layoutFont(CloseFontPoints));

    auto* heading = new QVBoxLayout;
    heading->addWidget(title);
    heading->addWidget(subtitle);
    heading->addWidget(version);
    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addLayout(heading, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(exercises);
    layout->addWidget(notice);
    layout->addWidget(credits);
    layout->addStretch();
    layout->addWidget(howToClose);
    layout->addWidget(close, 0, Qt::AlignRight);

    connect(logo, &QToolButton::clicked, this, &QWidget::hide);
    connect(close, &QPushButton::clicked, logo, &QToolButton::click);
}

void InfoWindow::openBeside(const QRect& mainFrame) {
    if (!isVisible()) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : mainFrame;
        move(placeBeside(mainFrame, frameGeometry().size(), area));
    }
    show();
    raise();
    activateWindow();
}

QPoint InfoWindow::placeBeside(const QRect& mainFrame, const QSize& size, const QRect& area) {
    const int right = mainFrame.right() + 1 + GapToMainPixels;
    const int left = mainFrame.left() - GapToMainPixels - size.width();
    const int top = std::clamp(mainFrame.top(), area.top(),
                               std::max(area.top(), area.bottom() + 1 - size.height()));
    if (right + size.width() <= area.right() + 1)
        return QPoint(right, top);
    if (left >= area.left())
        return QPoint(left, top);
    return QPoint(area.x() + (area.width() - size.width()) / 2,
                  area.y() + (area.height() - size.height()) / 2);
}

} // namespace tivoral
