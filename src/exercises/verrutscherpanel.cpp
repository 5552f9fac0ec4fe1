#include "exercises/verrutscherpanel.h"

#include "exercises/panelstyle.h"
#include "exercises/typinginput.h"
#include "exercises/verrutscher.h"

#include <QLabel>

namespace tivoral {

namespace {
constexpr int ContentLeftTwips = 240;
constexpr int ContentWidthTwips = 9135;
constexpr int TaskTopTwips = 1080;
constexpr int TaskHeightTwips = 255;
constexpr int TaskFontPoints = 10;
constexpr int MisprintTopTwips = 1440;
constexpr int MisprintInputTopTwips = 4560;
constexpr int BoxHeightTwips = 3015;
constexpr int MisprintFontPoints = 18;
constexpr int MisprintMarginPixels = 8;
} // namespace

MisprintDisplay::MisprintDisplay(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void MisprintDisplay::showLine(const QString& line) {
    line_ = line;
    breakLines();
}

void MisprintDisplay::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    breakLines();
}

void MisprintDisplay::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        breakLines();
}

void MisprintDisplay::breakLines() {
    const QFontMetrics metrics(font());
    const int width = contentsRect().width() - 2 * margin();
    const QStringList lines = breakMisprint(line_, [&metrics, width](const QString& text) {
        return metrics.horizontalAdvance(text) <= width;
    });
    setText(lines.join(QLatin1Char('\n')));
}

PanelNames VerrutscherPanel::names() {
    return PanelNames{
        .panel = QStringLiteral("verrutscherPanel"),
        .band = QStringLiteral("verrutscherBand"),
        .abbrechen = QStringLiteral("verrutscherLeaveButton"),
        .lupe = QStringLiteral("verrutscherLupeButton"),
        .rettungsring = QStringLiteral("verrutscherRettungsringButton"),
        .rettungsringToolTip = QStringLiteral("Lösung zeigen"),
        .newSentence = QStringLiteral("verrutscherNewSentenceButton"),
        .newSentenceToolTip = QStringLiteral("Neuer Satz"),
        .anleitung = QStringLiteral("verrutscherInstructionsButton"),
        .spielrunde = QStringLiteral("verrutscherSpielrundeButton"),
        .points = QStringLiteral("verrutscherPointsDisplay"),
        .user = QStringLiteral("verrutscherUserDisplay"),
        .userToolTip = QStringLiteral("Benutzerauswahl"),
        .newSentenceAction = NewSentenceAction::SetUpAgain,
    };
}

VerrutscherPanel::VerrutscherPanel(VerrutscherExercise& exercise, QWidget* parent)
    : ExercisePanel(exercise, names(), parent) {
    auto* task =
        new QLabel(QStringLiteral("Lies den Satz und schreibe ihn dann richtig auf:"), this);
    task->setObjectName(QStringLiteral("taskLabel"));
    task->setFont(panelstyle::layoutFont(TaskFontPoints));
    followColours(task, panelstyle::TextRole::Grid);
    placeTwips(task, ContentLeftTwips, TaskTopTwips, ContentWidthTwips, TaskHeightTwips);

    auto* misprint = new MisprintDisplay(this);
    misprint->setObjectName(QStringLiteral("misprintDisplay"));
    misprint->setAccessibleDescription(QStringLiteral("Verrutschter Satz"));
    misprint->setMargin(MisprintMarginPixels);
    misprint->setFont(panelstyle::layoutFont(MisprintFontPoints));
    followColours(misprint, panelstyle::TextRole::Sentence);
    placeTwips(misprint, ContentLeftTwips, MisprintTopTwips, ContentWidthTwips, BoxHeightTwips);
    misprint->showLine(exercise.displayedLine());
    connect(&exercise, &VerrutscherExercise::misprintChanged, misprint, &MisprintDisplay::showLine);

    input_ = new TypingInput(exercise, QStringLiteral("verrutscherAnswerBox"), this);
    placeAnswerBox(input_, ContentLeftTwips, MisprintInputTopTwips, ContentWidthTwips,
                   BoxHeightTwips);
}

void VerrutscherPanel::focusInput() {
    input_->setFocus(Qt::OtherFocusReason);
}

} // namespace tivoral
