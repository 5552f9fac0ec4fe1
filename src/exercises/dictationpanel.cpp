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
constexpr int ContentLeftTwips = 240;
constexpr int ContentWidthTwips = 9135;
constexpr int TaskTopTwips = 1080;
constexpr int TaskHeightTwips = 375;
constexpr int TaskFontPoints = 12;
// Two buttons a child cannot miss, side by side under the task.
constexpr int HearingTopTwips = 1620;
constexpr int HearingWidthTwips = 4440;
constexpr int HearingHeightTwips = 1200;
constexpr int HearingGapTwips = 255;
constexpr int HearingFontPoints = 16;
constexpr int HearingIconPixels = 48;
constexpr int InputTopTwips = 3120;
constexpr int InputHeightTwips = 4335;
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
    task->setFont(panelstyle::layoutFont(TaskFontPoints));
    placeTwips(task, ContentLeftTwips, TaskTopTwips, ContentWidthTwips, TaskHeightTwips);

    connect(addHearingButton(QStringLiteral("hearSentenceButton"), QStringLiteral("Satz anhören"),
                             QStringLiteral("satzhoeren"), ContentLeftTwips),
            &QPushButton::clicked, &dictation, &DictationExercise::hearSentence);
    connect(addHearingButton(QStringLiteral("hearWordButton"), QStringLiteral("Wort anhören"),
                             QStringLiteral("worthoeren"),
                             ContentLeftTwips + HearingWidthTwips + HearingGapTwips),
            &QPushButton::clicked, &dictation, &DictationExercise::hearNextWord);

    input_ = new TypingInput(dictation, QStringLiteral("dictationAnswerBox"), this);
    placeAnswerBox(input_, ContentLeftTwips, InputTopTwips, ContentWidthTwips, InputHeightTwips);
    followExerciseFont(input_, panelstyle::LayoutFontPoints);
}

QPushButton* DictationPanel::addHearingButton(const QString& name, const QString& caption,
                                              const QString& icon, int leftTwips) {
    auto* button = new QPushButton(QIcon(PictureButton::iconPath(icon)), caption, this);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    button->setToolTip(caption);
    button->setIconSize(QSize(scaledPixels(HearingIconPixels), scaledPixels(HearingIconPixels)));
    button->setFont(panelstyle::layoutFont(HearingFontPoints));
    button->setCursor(Qt::PointingHandCursor);
    placeTwips(button, leftTwips, HearingTopTwips, HearingWidthTwips, HearingHeightTwips);
    return button;
}

void DictationPanel::focusInput() {
    input_->setFocus(Qt::OtherFocusReason);
}

} // namespace tivoral
