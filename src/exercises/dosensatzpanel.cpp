#include "exercises/dosensatzpanel.h"

#include "exercises/dosensatz.h"
#include "exercises/panelstyle.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>

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

DosensatzPanel::DosensatzPanel(Dosensatz& dosensatz, QWidget* parent)
    : ExercisePanel(dosensatz, names(), parent), dosensatz_(dosensatz) {
    words_ = new QLabel(dosensatz.wordDisplay(), this);
    words_->setObjectName(QStringLiteral("Label1"));
    words_->setAccessibleName(QStringLiteral("Durcheinander geratene Wörter"));
    words_->setWordWrap(true);
    words_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    words_->setMargin(TextMarginPixels);
    words_->setTextFormat(Qt::PlainText);
    panelstyle::setColours(words_, panelstyle::Blue, panelstyle::White);
    placeTwips(words_, SentenceLeftTwips, WordsTopTwips, SentenceWidthTwips, SentenceHeightTwips);
    followExerciseFont(words_, panelstyle::LayoutFontPoints);

    input_ = new QPlainTextEdit(this);
    input_->setObjectName(QStringLiteral("Text1"));
    input_->setAccessibleName(QStringLiteral("Hier den Satz schreiben"));
    input_->setTabChangesFocus(true);
    panelstyle::setColours(input_, panelstyle::LightBlue, panelstyle::TypingRight);
    placeTwips(input_, SentenceLeftTwips, InputTopTwips, SentenceWidthTwips, SentenceHeightTwips);
    followExerciseFont(input_, panelstyle::LayoutFontPoints);

    connect(input_, &QPlainTextEdit::textChanged, this,
            [this] { dosensatz_.typed(input_->toPlainText()); });
    connect(&dosensatz, &Dosensatz::wordDisplayChanged, words_, &QLabel::setText);
    connect(&dosensatz, &Dosensatz::inputReplaced, this, &DosensatzPanel::replaceInput);
    connect(&dosensatz, &Dosensatz::inputStateChanged, this, &DosensatzPanel::showInputState);
}

void DosensatzPanel::focusInput() {
    input_->setFocus(Qt::OtherFocusReason);
}

void DosensatzPanel::replaceInput(const QString& text) {
    // The logic checks its own replacement; the box only has to show it.
    const QSignalBlocker blocker(input_);
    input_->setPlainText(text);
}

void DosensatzPanel::showInputState(bool isPrefix) {
    QPalette palette = input_->palette();
    palette.setColor(QPalette::Text,
                     QColor(isPrefix ? panelstyle::TypingRight : panelstyle::TypingWrong));
    input_->setPalette(palette);
}

} // namespace tivoral
