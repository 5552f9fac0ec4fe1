#pragma once

#include "editor/spellingrules.h"

#include <QLineEdit>
#include <QPointer>

class QMenu;

namespace tivoral {

class EditorSpelling;

// The editor's input line with the spell check: unknown words get a red wavy underline as the
// teacher types (the word still being typed only once it is finished), and a right click on one
// offers the dictionary's suggestions and the class word list.
class SpellingLineEdit final : public QLineEdit {
    Q_OBJECT
public:
    explicit SpellingLineEdit(EditorSpelling& spelling, QWidget* parent = nullptr);

    const QList<WordSpan>& flaggedWords() const { return flagged_; }
    // Puts the entries for the flagged word at a character position at the top of a menu;
    // nothing when no flagged word is there.
    void addSpellingEntries(QMenu& menu, qsizetype position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void recheck();
    void replaceWord(const WordSpan& span, const QString& word, const QString& replacement);

    // The window's members go before its child widgets, which still see focus and text changes.
    QPointer<EditorSpelling> spelling_;
    QList<WordSpan> flagged_;
};

} // namespace tivoral
