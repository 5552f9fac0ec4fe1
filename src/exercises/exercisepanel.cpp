#include "exercises/exercisepanel.h"

#include "exercises/answerkeyguard.h"
#include "exercises/exercise.h"
#include "exercises/exerciseframe.h"
#include "exercises/panelstyle.h"
#include "exercises/umlautkeys.h"
#include "platform/controls.h"
#include "platform/picturebutton.h"
#include "platform/syllablecolours.h"
#include "platform/twips.h"
#include "store/appstate.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace tivoral {

namespace {

// Left edges of the band's buttons, in the order Abbrechen, Lupe, Rettungsring, new sentence,
// Anleitung, Spielrunde.
constexpr int ButtonTopTwips = 120;
constexpr int AbbrechenLeftTwips = 120;
constexpr int LupeLeftTwips = 960;
constexpr int RettungsringLeftTwips = 1800;
constexpr int NewSentenceLeftTwips = 2640;
constexpr int AnleitungLeftTwips = 3480;
constexpr int SpielrundeLeftTwips = 4320;
// The speech buttons fill the band's gap between the points and the user's name.
constexpr int ReadAnswerLeftTwips = 5520;
constexpr int HearTargetLeftTwips = 6180;

constexpr int DisplayTopTwips = 180;
constexpr int DisplayHeightTwips = 375;
constexpr int PointsLeftTwips = 4800;
constexpr int PointsWidthTwips = 615;
constexpr int DisplayFontPoints = 12;
// The user's name and, below it, the position in the list share the band's right end.
constexpr int UserLeftTwips = 6840;
constexpr int UserTopTwips = 60;
constexpr int UserWidthTwips = 2655;
constexpr int UserHeightTwips = 345;
constexpr int PositionTopTwips = 405;
constexpr int PositionHeightTwips = 285;
constexpr int PositionFontPoints = 10;

// The umlaut keys under an answer box: as high as a picture button, wide enough for a finger.
constexpr int KeyRowHeightTwips = PictureButton::SizeTwips;
constexpr int KeyRowGapTwips = 60;
constexpr int KeyWidthTwips = 555;

constexpr QRgb UserNameColour = qRgb(32, 32, 120);

} // namespace

ExercisePanel::ExercisePanel(Exercise& exercise, const PanelNames& names, QWidget* parent)
    : QWidget(parent), exercise_(exercise) {
    setObjectName(names.panel);
    setAccessibleName(exercise.profile().name);
    setFixedSize(twips(WidthTwips), twips(HeightTwips));
    panelstyle::setColours(this, panelstyle::PaleBackground, panelstyle::Black);
    buildBand(names);
    buildDisplays(names);
    connectFrame();
    hidePanel();
}

AppState& ExercisePanel::app() const {
    return exercise_.frame().app();
}

ExerciseFrame& ExercisePanel::frame() const {
    return exercise_.frame();
}

void ExercisePanel::placeTwips(QWidget* child, int left, int top, int width, int height) {
    child->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

void ExercisePanel::followExerciseFont(QWidget* widget, int layoutPointSize) {
    panelstyle::markOwnFont(widget);
    const auto apply = [this, widget, layoutPointSize] {
        widget->setFont(
            panelstyle::sentenceFont(app().settings, app().readingAids.current(), layoutPointSize));
    };
    apply();
    connect(&app().settings, &Settings::fontsApplied, widget, apply);
    connect(&app().readingAids, &ReadingAids::changed, widget, apply);
}

void ExercisePanel::followSyllableColours(SyllableLabel* label,
                                          std::optional<QRgb> colouredBackground) {
    // Runs after the label's own colours have been set for the child's contrast.
    const auto apply = [this, label, colouredBackground] {
        const std::optional<SyllableColours> colours =
            panelstyle::syllableColours(app().readingAids.current());
        if (colours && colouredBackground)
            panelstyle::setColours(label, *colouredBackground, panelstyle::Black);
        label->setSyllableColours(colours);
    };
    apply();
    connect(&app().readingAids, &ReadingAids::changed, label, apply);
}

void ExercisePanel::followColours(QWidget* widget, panelstyle::TextRole role) {
    const auto apply = [this, widget, role] {
        panelstyle::setColours(widget,
                               panelstyle::colours(role, app().readingAids.current().highContrast));
    };
    apply();
    connect(&app().readingAids, &ReadingAids::changed, widget, apply);
}

void ExercisePanel::applyReadingAids() {
    panelstyle::applyReadingAids(*this, app().readingAids.current());
}

void ExercisePanel::placeAnswerBox(QPlainTextEdit* box, int left, int top, int width, int height) {
    const int boxHeight = height - KeyRowHeightTwips - KeyRowGapTwips;
    placeTwips(box, left, top, width, boxHeight);
    auto* keys = new UmlautKeyRow(*box, this);
    placeTwips(keys, left, top + boxHeight + KeyRowGapTwips,
               int(UmlautKeyRow::Letters.size()) * (KeyWidthTwips + KeyRowGapTwips),
               KeyRowHeightTwips);
    keys->layOutKeys(twips(KeyWidthTwips), twips(KeyRowGapTwips));
    const auto follow = [this, keys] { keys->setVisible(app().readingAids.current().umlautKeys); };
    follow();
    connect(&app().readingAids, &ReadingAids::changed, keys, follow);
    new AnswerKeyGuard(*box, *this);
}

PictureButton* ExercisePanel::addButton(const QString& name, const QString& toolTip,
                                        const QString& icon, int leftTwips) {
    return addPictureButton(this, name, toolTip, icon, leftTwips, ButtonTopTwips);
}

void ExercisePanel::buildBand(const PanelNames& names) {
    auto* band = new QWidget(this);
    band->setObjectName(names.band);
    panelstyle::setColours(band, panelstyle::LightBlue, panelstyle::Black);
    placeTwips(band, 0, 0, WidthTwips, BandHeightTwips);

    Exercise& ex = exercise_;
    ExerciseFrame& fr = frame();
    connect(addButton(names.abbrechen, QStringLiteral("Abbrechen"), QStringLiteral("abbrechen"),
                      AbbrechenLeftTwips),
            &QToolButton::clicked, this, [&fr, &ex] { fr.leaveExercise(ex); });
    connect(
        addButton(names.lupe, QStringLiteral("Satzanfang"), QStringLiteral("lupe"), LupeLeftTwips),
        &QToolButton::clicked, this, [&fr, &ex] { fr.useLupe(ex); });
    connect(addButton(names.rettungsring, names.rettungsringToolTip, QStringLiteral("rettungsring"),
                      RettungsringLeftTwips),
            &QToolButton::clicked, this, [&fr, &ex] { fr.useRettungsring(ex); });

    const bool next = names.newSentenceAction == NewSentenceAction::NextSentence;
    connect(addButton(names.newSentence, names.newSentenceToolTip,
                      next ? QStringLiteral("weiter") : QStringLiteral("nochmal"),
                      NewSentenceLeftTwips),
            &QToolButton::clicked, this, [&fr, &ex, next] {
                if (next)
                    fr.nextSentence(ex);
                else
                    fr.setUpAgain(ex);
            });
    connect(addButton(names.anleitung, QStringLiteral("Anleitung"), QStringLiteral("anleitung"),
                      AnleitungLeftTwips),
            &QToolButton::clicked, this, [&fr, &ex] { fr.showInstructions(ex); });
    connect(addButton(names.spielrunde, QStringLiteral("Spielrunde"), QStringLiteral("spielrunde"),
                      SpielrundeLeftTwips),
            &QToolButton::clicked, this, [&fr, &ex] { fr.showSpielrunde(ex); });
    buildSpeechButtons();
}

void ExercisePanel::buildSpeechButtons() {
    Exercise& ex = exercise_;
    ExerciseFrame& fr = frame();
    PictureButton* readAnswer =
        addButton(QStringLiteral("vorlesenButton"), QStringLiteral("Vorlesen"),
                  QStringLiteral("vorlesen"), ReadAnswerLeftTwips);
    connect(readAnswer, &QToolButton::clicked, this, [&fr, &ex] { fr.readAnswer(ex); });
    PictureButton* hearTarget =
        addButton(QStringLiteral("satzAnhoerenButton"),
                  QStringLiteral("Gesuchten Satz anhören (kostet einen Punkt)"),
                  QStringLiteral("satzanhoeren"), HearTargetLeftTwips);
    connect(hearTarget, &QToolButton::clicked, this, [&fr, &ex] { fr.hearTarget(ex); });

    // A dictation has its own free button for the sentence.
    const bool paidHearing = !ex.profile().dictates;
    const auto follow = [&fr, readAnswer, hearTarget, paidHearing] {
        readAnswer->setVisible(fr.speechOn());
        hearTarget->setVisible(paidHearing && fr.hearTargetOffered());
    };
    follow();
    connect(&app().readingAids, &ReadingAids::changed, this, follow);
    connect(&app().voice, &Voice::availabilityChanged, this, follow);
}

void ExercisePanel::buildDisplays(const PanelNames& names) {
    points_ = new QLabel(QString::number(app().points.value()), this);
    points_->setObjectName(names.points);
    points_->setToolTip(QStringLiteral("Spielpunkte"));
    points_->setAccessibleDescription(QStringLiteral("Spielpunkte"));
    points_->setAlignment(Qt::AlignCenter);
    points_->setFont(panelstyle::layoutFont(DisplayFontPoints));
    followColours(points_, panelstyle::TextRole::Sentence);
    placeTwips(points_, PointsLeftTwips, DisplayTopTwips, PointsWidthTwips, DisplayHeightTwips);

    user_ = new QLabel(app().users.current(), this);
    user_->setObjectName(names.user);
    user_->setToolTip(names.userToolTip);
    user_->setAccessibleDescription(names.userToolTip);
    user_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    user_->setFont(panelstyle::layoutFont(DisplayFontPoints));
    QPalette palette = user_->palette();
    palette.setColor(QPalette::WindowText, QColor(UserNameColour));
    user_->setPalette(palette);
    placeTwips(user_, UserLeftTwips, UserTopTwips, UserWidthTwips, UserHeightTwips);

    position_ = new QLabel(this);
    position_->setObjectName(QStringLiteral("sentencePosition"));
    position_->setToolTip(QStringLiteral("Welcher Satz der Liste"));
    position_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    position_->setFont(panelstyle::layoutFont(PositionFontPoints, false));
    placeTwips(position_, UserLeftTwips, PositionTopTwips, UserWidthTwips, PositionHeightTwips);
    connect(&frame(), &ExerciseFrame::sentenceSetUp, position_,
            [this](Exercise* shown, int position, int count) {
                if (shown != &exercise_)
                    return;
                position_->setText(ExerciseFrame::positionText(position, count));
                position_->setAccessibleName(position_->text());
            });

    connect(&app().points, &Points::changed, points_,
            [this](int value) { points_->setNum(value); });
    connect(&app().users, &Users::currentChanged, user_, &QLabel::setText);
}

void ExercisePanel::connectFrame() {
    connect(&frame(), &ExerciseFrame::panelShown, this, [this](Exercise* shown) {
        if (shown == &exercise_)
            showPanel();
    });
    connect(&frame(), &ExerciseFrame::panelHidden, this, [this](Exercise* hidden) {
        if (hidden == &exercise_)
            hidePanel();
    });
    connect(&exercise_, &Exercise::focusInputRequested, this, [this] { focusInput(); });
    connect(&app().readingAids, &ReadingAids::changed, this, &ExercisePanel::applyReadingAids);
}

void ExercisePanel::showPanel() {
    // The texts of a derived panel exist only now that it is made.
    applyReadingAids();
    move(0, 0);
    show();
    raise();
    disableCovered();
}

void ExercisePanel::hidePanel() {
    // Parked beyond the right edge as well as hidden, so it takes no keyboard focus.
    hide();
    move(twips(HiddenLeftTwips), 0);
    enableCovered();
}

void ExercisePanel::disableCovered() {
    if (!parentWidget())
        return;
    // Disabled rather than hidden: what the main window shows or hides meanwhile stays out of
    // reach all the same. A control that was disabled already is left as it was.
    const QList<QWidget*> siblings =
        parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* sibling : siblings) {
        if (sibling == this || sibling->isWindow() || !sibling->isEnabled())
            continue;
        sibling->setEnabled(false);
        covered_.append(sibling);
    }
}

void ExercisePanel::enableCovered() {
    for (const QPointer<QWidget>& sibling : std::as_const(covered_))
        if (sibling)
            sibling->setEnabled(true);
    covered_.clear();
}

} // namespace tivoral
