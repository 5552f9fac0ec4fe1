#include "exercises/dictationpanel.h"

#include "exercises/dictation.h"
#include "exercises/panelstyle.h"
#include "exercises/typinginput.h"
#include "platform/picturebutton.h"
#include "platform/twips.h"

#include <QLabel>
#include <QPushButton>

namespace tivoral {

namespace {
constexpr int DictationContentLeftTwips = 240;
constexpr int DictationContentWidthTwips = 9135;
constexpr int DictationTaskTopTwips = 1080;
constexpr int DictationTaskHeightTwips = 375;
constexpr int DictationTaskFontPoints = 12;
// Two buttons a child cannot miss, side by side under the task.
constexpr int DictationHearingTopTwips = 1620;
constexpr int DictationHearingWidthTwips = 4440;
constexpr int DictationHearingHeightTwips = 1200;
constexpr int DictationHearingGapTwips = 255;
constexpr int DictationHearingFontPoints = 16;
constexpr int DictationHearingIconPixels = 48;
constexpr int DictationAnswerTopTwips = 3120;
constexpr int DictationAnswerHeightTwips = 4335;
} // namespace

PanelNames DictationPanel::names() {
    return PanelNames{
        .panel = QStringLiteral("dictationPanel"),
        .band = QStringLiteral("dictationBand"),
        .abbrechen = QStringLiteral("dictationLeaveButton"),
        .lupe = QStringLiteral("dictationLupeButton"),
        .rettungsring = QStringLiteral("dictationRettungsringButton"),
        .rettungsringToolTip = QStringLiteral("Lösungssatz"),
        .newSentence = QStringLiteral("dictationNewSentenceButton"),
        .newSentenceToolTip = QStringLiteral("Neuer Satz"),
        .anleitung = QStringLiteral("dictationInstructionsButton"),
        .spielrunde = QStringLiteral("dictationSpielrundeButton"),
        .points = QStringLiteral("dictationPointsDisplay"),
        .user = QStringLiteral("dictationUserDisplay"),
        .userToolTip = QStringLiteral("Benutzername"),
        .newSentenceAction = NewSentenceAction::NextSentence,
    };
}

DictationPanel::DictationPanel(DictationExercise& dictation, QWidget* parent)
    : ExercisePanel(dictation, names(), parent) {
    auto* task = new QLabel(QStringLiteral("Hör gut zu und schreibe den Satz auf:"), this);
    task->setObjectName(QStringLiteral("dictationTaskLabel"));
    task->setFont(panelstyle::layoutFont(DictationTaskFontPoints));
    placeTwips(task, DictationContentLeftTwips, DictationTaskTopTwips, DictationContentWidthTwips, DictationTaskHeightTwips);

    connect(addHearingButton(QStringLiteral("hearSentenceButton"), QStringLiteral("Satz anhören"),
                             QStringLiteral("satzhoeren"), DictationContentLeftTwips),
            &QPushButton::clicked, &dictation, &DictationExercise::hearSentence);
    connect(addHearingButton(QStringLiteral("hearWordButton"), QStringLiteral("Wort anhören"),
                             QStringLiteral("worthoeren"),
                             DictationContentLeftTwips + DictationHearingWidthTwips + DictationHearingGapTwips),
            &QPushButton::clicked, &dictation, &DictationExercise::hearNextWord);

    input_ = new TypingInput(dictation, QStringLiteral("dictationAnswerBox"), this);
    placeAnswerBox(input_, DictationContentLeftTwips, DictationAnswerTopTwips, DictationContentWidthTwips, DictationAnswerHeightTwips);
    followExerciseFont(input_, panelstyle::LayoutFontPoints);
}

QPushButton* DictationPanel::addHearingButton(const QString& name, const QString& caption,
                                              const QString& icon, int leftTwips) {
    auto* button = new QPushButton(PictureButton::icon(icon), caption, this);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    button->setToolTip(caption);
    button->setIconSize(QSize(scaledPixels(DictationHearingIconPixels), scaledPixels(DictationHearingIconPixels)));
    button->setFont(panelstyle::layoutFont(DictationHearingFontPoints));
    button->setCursor(Qt::PointingHandCursor);
    placeTwips(button, leftTwips, DictationHearingTopTwips, DictationHearingWidthTwips, DictationHearingHeightTwips);
    return button;
}

void DictationPanel::focusInput() {
    input_->setFocus(Qt::OtherFocusReason);
}

} // namespace tivoral
