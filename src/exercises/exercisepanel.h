#pragma once

// The common frame of the four exercise panels. A panel for a new exercise derives from it,
// names its controls and adds only its own:
//
//     DosensatzPanel::DosensatzPanel(DosensatzExercise& dosensatz, QWidget* parent)
//         : ExercisePanel(dosensatz, PanelNames{.panel = "dosensatzPanel", ...,
//                                               .newSentenceAction = NewSentenceAction::
//                                                   NextSentence},
//                         parent) {
//         auto* display = new QLabel(this);
//         placeTwips(display, 240, 960, 9135, 3255);
//         followExerciseFont(display, panelstyle::LayoutFontPoints);
//     }
//
// The base builds the band across the top, the six picture buttons at their common places
// (Abbrechen, Lupe, Rettungsring, new sentence, Anleitung, Spielrunde) wired to the
// ExerciseFrame operations for its exercise, the points display and the user name display. It
// shows itself at the top left of its parent when the frame shows the exercise and hides
// itself when the frame hides it; while shown, what it covers in its parent is disabled, so that
// neither the keyboard nor a screen reader reaches a control the child cannot see. Override
// focusInput() to say where the keyboard goes after a set-up or a help box. The main window takes
// the panel in through MainWindow::addExercise.

#include "exercises/panelstyle.h"

#include <QList>
#include <QPointer>
#include <QRgb>
#include <QString>
#include <QWidget>

#include <optional>

class QLabel;
class QPlainTextEdit;

namespace tivoral {

class AppState;
class Exercise;
class ExerciseFrame;
class PictureButton;
class SyllableLabel;

// What the new-sentence button does: the next sentence, or the same one laid out anew.
enum class NewSentenceAction { NextSentence, SetUpAgain };

// The object names and tool tips that differ from exercise to exercise.
struct PanelNames {
    QString panel;
    QString band;
    QString abbrechen;
    QString lupe;
    QString rettungsring;
    QString rettungsringToolTip;
    QString newSentence;
    QString newSentenceToolTip;
    QString anleitung;
    QString spielrunde;
    QString points;
    QString user;
    QString userToolTip;
    NewSentenceAction newSentenceAction = NewSentenceAction::NextSentence;
};

class ExercisePanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int WidthTwips = 9615;
    static constexpr int HeightTwips = 7695;
    static constexpr int BandHeightTwips = 735;

    ExercisePanel(Exercise& exercise, const PanelNames& names, QWidget* parent = nullptr);

    Exercise& exercise() const { return exercise_; }

protected:
    AppState& app() const;
    ExerciseFrame& frame() const;

    // Puts a child of the panel at a place given in twips.
    static void placeTwips(QWidget* child, int left, int top, int width, int height);
    // The widget shows sentences: it takes the teacher's font (bold) once one is applied and a
    // bold sans-serif layout font of this size until then, with the child's own font and
    // letter spacing over it.
    void followExerciseFont(QWidget* widget, int layoutPointSize);
    // The widget takes the colours of its kind of text, at the child's contrast.
    void followColours(QWidget* widget, panelstyle::TextRole role);
    // The label shows a sentence the child reads: with "Silben farbig" on, its syllables in
    // colour, on the given background where its own would not set the colours off enough.
    void followSyllableColours(SyllableLabel* label,
                               std::optional<QRgb> colouredBackground = std::nullopt);
    // Puts a typing exercise's answer box at a place given in twips, with the row of umlaut
    // keys at the bottom of that place (the box is that much lower).
    void placeAnswerBox(QPlainTextEdit* box, int left, int top, int width, int height);
    // Where the keyboard goes after a set-up or a help box; nowhere by default.
    virtual void focusInput() {}

private:
    PictureButton* addButton(const QString& name, const QString& toolTip, const QString& icon,
                             int leftTwips);
    void buildBand(const PanelNames& names);
    void buildDisplays(const PanelNames& names);
    void buildSpeechButtons();
    void connectFrame();
    // The child's font and spacing on every text of the panel.
    void applyReadingAids();
    void showPanel();
    void hidePanel();
    void disableCovered();
    void enableCovered();

    Exercise& exercise_;
    // The controls of the parent this panel disabled while it covers them.
    QList<QPointer<QWidget>> covered_;
    QLabel* points_ = nullptr;
    QLabel* user_ = nullptr;
    QLabel* position_ = nullptr;
};

} // namespace tivoral
