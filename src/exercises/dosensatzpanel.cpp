#include "exercises/dosensatzpanel.h"

#include "exercises/dosensatz.h"
#include "exercises/panelstyle.h"
#include "exercises/typinginput.h"

#include <QLabel>

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
        .panel = QStringLiteral("Picture3"),
        .band = QStringLiteral("Shape3"),
        .abbrechen = QStringLiteral("Picture12"),
        .lupe = QStringLiteral("Picture13"),
        .rettungsring = QStringLiteral("Picture16"),
        .rettungsringToolTip = QStringLiteral("Lösungssatz"),
        .newSentence = QStringLiteral("Picture14"),
        .newSentenceToolTip = QStringLiteral("Neuer Dosensatz"),
        .anleitung = QStringLiteral("Picture24"),
        .spielrunde = QStringLiteral("Picture15"),
        .points = QStringLiteral("Label7"),
        .user = QStringLiteral("Label6"),
        .userToolTip = QStringLiteral("Benutzername"),
        .newSentenceAction = NewSentenceAction::NextSentence,
    };
}

DosensatzPanel::DosensatzPanel(DosensatzExercise& dosensatz, QWidget* parent)
    : ExercisePanel(dosensatz, names(), parent) {
    words_ = new QLabel(dosensatz.wordDisplay(), this);
    words_->setObjectName(QStringLiteral("Label1"));
    words_->setAccessibleDescription(QStringLiteral("Durcheinander geratene Wörter"));
    words_->setWordWrap(true);
    words_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    words_->setMargin(TextMarginPixels);
    words_->setTextFormat(Qt::PlainText);
    panelstyle::setColours(words_, panelstyle::Blue, panelstyle::White);
    placeTwips(words_, SentenceLeftTwips, WordsTopTwips, SentenceWidthTwips, SentenceHeightTwips);
    followExerciseFont(words_, panelstyle::LayoutFontPoints);

    input_ = new TypingInput(dosensatz, QStringLiteral("Text1"), this);
    placeAnswerBox(input_, SentenceLeftTwips, InputTopTwips, SentenceWidthTwips,
                   SentenceHeightTwips);
    followExerciseFont(input_, panelstyle::LayoutFontPoints);

    connect(&dosensatz, &DosensatzExercise::wordDisplayChanged, words_, &QLabel::setText);
}

void DosensatzPanel::focusInput() {
    input_->setFocus(Qt::OtherFocusReason);
}

} // namespace tivoral
