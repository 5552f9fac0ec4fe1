#include "exercises/dosensatzpanel.h"

#include "exercises/dosensatz.h"
#include "exercises/panelstyle.h"
#include "exercises/typinginput.h"
#include "platform/syllablecolours.h"

namespace tivoral {

namespace {
constexpr int SentenceLeftTwips = 240;
constexpr int SentenceWidthTwips = 9135;
constexpr int SentenceHeightTwips = 3255;
constexpr int WordsTopTwips = 960;
constexpr int InputTopTwips = 4320;
constexpr int TextMarginPixels = 8;
} // namespace

PanelNames DosensatzPanel::names() {
    return PanelNames{
        .panel = QStringLiteral("dosensatzPanel"),
        .band = QStringLiteral("dosensatzBand"),
        .abbrechen = QStringLiteral("dosensatzLeaveButton"),
        .lupe = QStringLiteral("dosensatzLupeButton"),
        .rettungsring = QStringLiteral("dosensatzRettungsringButton"),
        .rettungsringToolTip = QStringLiteral("Lösungssatz"),
        .newSentence = QStringLiteral("dosensatzNewSentenceButton"),
        .newSentenceToolTip = QStringLiteral("Neuer Dosensatz"),
        .anleitung = QStringLiteral("dosensatzInstructionsButton"),
        .spielrunde = QStringLiteral("dosensatzSpielrundeButton"),
        .points = QStringLiteral("dosensatzPointsDisplay"),
        .user = QStringLiteral("dosensatzUserDisplay"),
        .userToolTip = QStringLiteral("Benutzername"),
        .newSentenceAction = NewSentenceAction::NextSentence,
    };
}

DosensatzPanel::DosensatzPanel(DosensatzExercise& dosensatz, QWidget* parent)
    : ExercisePanel(dosensatz, names(), parent) {
    words_ = new SyllableLabel(this);
    words_->setText(dosensatz.wordDisplay());
    words_->setObjectName(QStringLiteral("jumbledWordsDisplay"));
    words_->setAccessibleDescription(QStringLiteral("Durcheinander geratene Wörter"));
    words_->setWordWrap(true);
    words_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    words_->setMargin(TextMarginPixels);
    words_->setTextFormat(Qt::PlainText);
    followColours(words_, panelstyle::TextRole::Sentence);
    placeTwips(words_, SentenceLeftTwips, WordsTopTwips, SentenceWidthTwips, SentenceHeightTwips);
    followExerciseFont(words_, panelstyle::LayoutFontPoints);
    // Coloured syllables stand on white: the blue is too dark for them.
    followSyllableColours(words_, panelstyle::White);

    input_ = new TypingInput(dosensatz, QStringLiteral("dosensatzAnswerBox"), this);
    placeAnswerBox(input_, SentenceLeftTwips, InputTopTwips, SentenceWidthTwips,
                   SentenceHeightTwips);
    followExerciseFont(input_, panelstyle::LayoutFontPoints);

    connect(&dosensatz, &DosensatzExercise::wordDisplayChanged, words_, &QLabel::setText);
}

void DosensatzPanel::focusInput() {
    input_->setFocus(Qt::OtherFocusReason);
}

} // namespace tivoral
