#pragma once

#include "exercises/typingexercise.h"

#include <QString>

namespace tivoral {

// The sentence as a teacher dictates it. With the marks announced, every sentence mark is said
// as its name ("Komma", "Punkt", "Anführungszeichen unten" …) where it stands.
QString dictationText(const QString& sentence, bool announceMarks);
// What "Wort anhören" says: the word the child has not yet typed correctly, that is the word at
// the end of the longest correct beginning of the answer, or the name of the mark that comes
// next. Without announced marks a mark brings the whole sentence again, whose tune tells it.
// Empty once the answer is complete.
QString nextDictationWord(const QString& sentence, const QString& typed, bool announceMarks);

// "Hördiktat": the program speaks the sentence, the child writes it; the sentence is never
// shown before it is finished. Hearing is free, as often as the child needs it.
class DictationExercise final : public TypingExercise {
    Q_OBJECT
public:
    explicit DictationExercise(ExerciseFrame& frame, QObject* parent = nullptr);

    void setUp(const QString& sentence) override;
    bool isSetUp() const override { return setUp_; }

    void hearSentence();
    void hearNextWord();

private:
    bool announceMarks() const;
    void say(const QString& text);

    bool setUp_ = false;
};

} // namespace tivoral
