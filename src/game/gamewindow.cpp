#include "game/gamewindow.h"

#include "exercises/panelstyle.h"
#include "game/playingfield.h"
#include "platform/controls.h"
#include "platform/picturebutton.h"
#include "platform/syllablecolours.h"
#include "platform/twips.h"
#include "platform/windowscale.h"
#include "store/appstate.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

namespace tivoral {

namespace {

constexpr int ClientWidth = 7350;
constexpr int ClientHeight = 6030;
constexpr TwipsRect ExitButtonArea{120, 120, 975, 495};
constexpr TwipsRect SecondsArea{1320, 240, 495, 255};
constexpr TwipsRect SecondsUnitArea{1800, 240, 465, 255};
constexpr TwipsRect FastLabelArea{2640, 240, 735, 255};
constexpr TwipsRect SpeedBarArea{3360, 240, 1335, 255};
// Wider than its caption needs, so that no font cuts off the word.
constexpr TwipsRect SlowLabelArea{4800, 240, 900, 255};
constexpr TwipsRect SpeedValueArea{5760, 240, 255, 255};
constexpr TwipsRect HelpButtonArea{6240, 120, 975, 495};
constexpr TwipsRect FieldArea{120, 720, 7095, 4575};
constexpr TwipsRect CaughtArea{120, 5400, 3375, 495};
constexpr TwipsRect NextArea{3480, 5400, 495, 495};
constexpr TwipsRect RestArea{3960, 5400, 3255, 495};
constexpr TwipsRect ScorePanelArea{120, 720, 7095, 5175};
// The panel waits beyond the right edge until a result is shown.
constexpr int ScorePanelParkedLeft = 7800;
constexpr TwipsRect ScoreHeaderArea{240, 240, 6615, 255};
constexpr TwipsRect ScoreListArea{240, 600, 6615, 3810};
constexpr TwipsRect CloseLabelArea{240, 4560, 6615, 375};

// Keeps a right-aligned caption off the control beside it.
constexpr int LabelGapTwips = 60;
constexpr int DisplayPointSize = 18;
constexpr int ScorePointSize = 12;

const QColor WindowColor(200, 228, 255);
const QColor PanelColor(176, 214, 250);
// The text colour at normal and at high contrast, on one background.
struct DisplayColours {
    QColor text;
    QColor highContrastText;
    QColor background;
};
const DisplayColours CaughtColours{QColor(0, 128, 0), QColor(0, 80, 0), QColor(200, 255, 200)};
const DisplayColours NextColours{QColor(220, 0, 0), QColor(130, 0, 0), QColor(255, 200, 200)};
const DisplayColours RestColours{QColor(0, 0, 255), QColor(0, 0, 200), QColor(200, 255, 255)};

void place(QWidget* widget, const TwipsRect& area) {
    widget->setGeometry(pixelRect(area));
}

void paint(QWidget* widget, const QColor& background, const QColor& text = Qt::black) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QFont scoreFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(scaledPoints(ScorePointSize));
    font.setBold(true);
    return font;
}

} // namespace

GameWindow::GameWindow(AppState& app, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint), app_(app),
      session_(app), field_(new PlayingField(session_.engine(), this)), clock_(new QTimer(this)) {
    setObjectName(QStringLiteral("gameWindow"));
    setWindowTitle(QStringLiteral("Tivoral: Wortfange"));
    setFixedSize(twips(ClientWidth), twips(ClientHeight));
    paint(this, WindowColor);

    place(field_, FieldArea);
    buildTopRow();
    buildDisplays(app);
    buildScorePanel();

    clock_->setObjectName(QStringLiteral("gameClock"));
    clock_->setInterval(TickMilliseconds);

    const GameEngine& engine = session_.engine();
    connect(field_, &PlayingField::clicked, this, &GameWindow::startGame);
    connect(clock_, &QTimer::timeout, &session_, &GameSession::tick);
    connect(&engine, &GameEngine::clockChanged, this,
            [this](bool runs) { runs ? clock_->start() : clock_->stop(); });
    connect(&engine, &GameEngine::secondsChanged, this,
            [this](int seconds) { seconds_->setText(QString::number(seconds)); });
    connect(&engine, &GameEngine::speedChanged, this,
            [this](int seconds) { speedValue_->setText(QString::number(seconds)); });
    connect(&engine, &GameEngine::displaysChanged, this, &GameWindow::showDisplays);
    connect(&session_, &GameSession::scoresChanged, this, &GameWindow::showScores);
    connect(&session_, &GameSession::closed, this, &GameWindow::finishClosing);

    // The game's keys reach the game whichever control has the focus.
    installEventFilter(this);
    const QList<QWidget*> controls = findChildren<QWidget*>();
    for (QWidget* control : controls)
        control->installEventFilter(this);

    panelstyle::markReadingText(field_);
    // The score list's columns line up in its fixed-pitch font.
    panelstyle::markOwnFont(findChild<QLabel*>(QStringLiteral("scoreHeader")));
    connect(&app.readingAids, &ReadingAids::changed, this, &GameWindow::applyReadingAids);
    applyReadingAids();

    windowscale::centreOnScreen(*this);
}

void GameWindow::applyReadingAids() {
    const ReadingOptions& options = app_.readingAids.current();
    panelstyle::applyReadingAids(*this, options);
    const auto colour = [&options](QLabel* display, const DisplayColours& colours) {
        paint(display, colours.background,
              options.highContrast ? colours.highContrastText : colours.text);
    };
    colour(caught_, CaughtColours);
    colour(next_, NextColours);
    colour(rest_, RestColours);
    field_->setHighContrast(options.highContrast);
}

void GameWindow::buildTopRow() {
    auto* exitButton = new QPushButton(PictureButton::icon(QStringLiteral("wortfange-ende")),
                                       QStringLiteral("ENDE"), this);
    exitButton->setObjectName(QStringLiteral("endGameButton"));
    exitButton->setToolTip(QStringLiteral("Spiel beenden"));
    exitButton->setAccessibleName(QStringLiteral("Spiel beenden"));
    place(exitButton, ExitButtonArea);
    connect(exitButton, &QPushButton::clicked, this, &GameWindow::askExit);

    auto* helpButton = new QPushButton(PictureButton::icon(QStringLiteral("wortfange-hilfe")),
                                       QStringLiteral("HILFE"), this);
    helpButton->setObjectName(QStringLiteral("helpButton"));
    helpButton->setToolTip(QStringLiteral("Anleitung"));
    helpButton->setAccessibleName(QStringLiteral("Anleitung"));
    place(helpButton, HelpButtonArea);
    connect(helpButton, &QPushButton::clicked, this, &GameWindow::showHelp);

    seconds_ = addLabel(this, QStringLiteral("secondsDisplay"), QStringLiteral("0"),
                        pixelRect(SecondsArea));
    seconds_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    seconds_->setAccessibleDescription(QStringLiteral("Sekunden"));
    addLabel(this, QStringLiteral("secondsUnitLabel"), QStringLiteral(" Sek"),
             pixelRect(SecondsUnitArea));
    QLabel* fast = addLabel(this, QStringLiteral("fastLabel"), QStringLiteral("schnell"),
                            pixelRect(FastLabelArea));
    fast->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    fast->setContentsMargins(0, 0, twips(LabelGapTwips), 0);
    addLabel(this, QStringLiteral("slowLabel"), QStringLiteral("langsam"),
             pixelRect(SlowLabelArea));

    const GameEngine& engine = session_.engine();
    speedBar_ = new QScrollBar(Qt::Horizontal, this);
    speedBar_->setObjectName(QStringLiteral("speedBar"));
    speedBar_->setAccessibleName(QStringLiteral("Tempo: Sekunden, bis die Buchstaben springen"));
    speedBar_->setRange(GameEngine::MinSpeed, GameEngine::MaxSpeed);
    speedBar_->setSingleStep(1);
    speedBar_->setPageStep(1);
    speedBar_->setValue(engine.speed());
    place(speedBar_, SpeedBarArea);
    connect(speedBar_, &QScrollBar::valueChanged, this, &GameWindow::changeSpeed);

    speedValue_ = addLabel(this, QStringLiteral("speedDisplay"), QString::number(engine.speed()),
                           pixelRect(SpeedValueArea));
    speedValue_->setAccessibleDescription(QStringLiteral("Tempo"));
}

void GameWindow::buildDisplays(AppState& app) {
    QFont font = this->font();
    font.setPointSizeF(scaledPoints(DisplayPointSize));
    font.setBold(true);
    const auto display = [&]<typename Label>(Label* result, const QString& name,
                                             const QString& accessibleName, const TwipsRect& area,
                                             Qt::Alignment alignment) {
        result->setObjectName(name);
        result->setGeometry(pixelRect(area));
        result->setAccessibleDescription(accessibleName);
        result->setFont(font);
        result->setAlignment(alignment | Qt::AlignVCenter);
        return result;
    };
    caught_ = display(new QLabel(this), QStringLiteral("caughtDisplay"), QStringLiteral("Gefangen"),
                      CaughtArea, Qt::AlignRight);
    next_ = display(new QLabel(this), QStringLiteral("nextLetterDisplay"),
                    QStringLiteral("Nächster Buchstabe"), NextArea, Qt::AlignHCenter);
    // What is still to catch is what the child reads ahead: its syllables come in colour. The
    // caught letters keep the green that says they are caught.
    rest_ = display(new SyllableLabel(this), QStringLiteral("toCatchDisplay"),
                    QStringLiteral("Noch zu fangen"), RestArea, Qt::AlignLeft);
    const auto colourSyllables = [this, &app] {
        rest_->setSyllableColours(syllableColoursIf(app.readingAids.current().syllableColours));
    };
    colourSyllables();
    connect(&app.readingAids, &ReadingAids::changed, rest_, colourSyllables);
    showDisplays();
}

void GameWindow::buildScorePanel() {
    scorePanel_ = new QFrame(this);
    scorePanel_->setObjectName(QStringLiteral("scorePanel"));
    scorePanel_->setAccessibleName(QStringLiteral("Bestenliste"));
    scorePanel_->setFrameShape(QFrame::Box);
    paint(scorePanel_, PanelColor);
    place(scorePanel_, ScorePanelArea);

    QLabel* header =
        addLabel(scorePanel_, QStringLiteral("scoreHeader"),
                 QStringLiteral("Verb   Zeit   Benutzername"), pixelRect(ScoreHeaderArea));
    header->setFont(scoreFont());

    scoreList_ = new QListWidget(scorePanel_);
    scoreList_->setObjectName(QStringLiteral("highScoreList"));
    scoreList_->setAccessibleName(QStringLiteral("Bestenliste"));
    scoreList_->setFont(scoreFont());
    place(scoreList_, ScoreListArea);
    // The column names stand over the columns: indented as far as the list indents its text.
    header->setIndent(scoreList_->frameWidth() +
                      scoreList_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);

    closeLabel_ = addLabel(scorePanel_, QStringLiteral("closeLabel"),
                           QStringLiteral("Klicke hier, um das Spielfenster zu schließen ..."),
                           pixelRect(CloseLabelArea));
    QFont closeFont = closeLabel_->font();
    closeFont.setBold(true);
    closeFont.setUnderline(true);
    closeLabel_->setFont(closeFont);
    closeLabel_->setCursor(Qt::PointingHandCursor);
    closeLabel_->setAccessibleDescription(QStringLiteral("Spielfenster schließen"));
    showScores();
}

void GameWindow::activate() {
    session_.activate();
    show();
    raise();
    activateWindow();
    field_->setFocus();
}

void GameWindow::showDisplays() {
    const GameEngine& engine = session_.engine();
    caught_->setText(engine.caughtText());
    next_->setText(engine.nextLetter());
    rest_->setTextBefore(engine.caughtText() + engine.nextLetter());
    rest_->setText(engine.restText());
}

void GameWindow::showScores() {
    scoreList_->clear();
    if (session_.scoresShown()) {
        scoreList_->addItems(session_.scores());
        scorePanel_->move(twips(ScorePanelArea.left), twips(ScorePanelArea.top));
        scorePanel_->show();
        scorePanel_->raise();
    } else {
        scorePanel_->move(twips(ScorePanelParkedLeft), twips(ScorePanelArea.top));
        scorePanel_->hide();
    }
}

void GameWindow::startGame() {
    session_.clickField();
    field_->setFocus();
}

void GameWindow::askExit() {
    session_.askExit();
    if (isVisible())
        field_->setFocus();
}

void GameWindow::showHelp() {
    session_.showHelp();
    field_->setFocus();
}

void GameWindow::changeSpeed(int seconds) {
    session_.setSpeed(seconds);
    field_->setFocus();
}

void GameWindow::finishClosing() {
    hide();
    Q_EMIT closed();
}

bool GameWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (session_.keyPressed(static_cast<QKeyEvent*>(event)->key()))
            return true;
    }
    if (watched == closeLabel_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        session_.closeGame();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void GameWindow::closeEvent(QCloseEvent* event) {
    // Closing through the window frame is the same as closing through the game's own controls.
    if (isVisible())
        session_.closeGame();
    event->accept();
}

} // namespace tivoral
