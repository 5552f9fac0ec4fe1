#include "editor/spellinglineedit.h"

#include "editor/editorspelling.h"
#include "editor/spellmarks.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionFrame>

#include <memory>

namespace tivoral {

SpellingLineEdit::SpellingLineEdit(EditorSpelling& spelling, QWidget* parent)
    : QLineEdit(parent), spelling_(&spelling) {
    connect(this, &QLineEdit::textChanged, this, &SpellingLineEdit::recheck);
    connect(this, &QLineEdit::cursorPositionChanged, this, &SpellingLineEdit::recheck);
    connect(&spelling, &EditorSpelling::spellingChanged, this, &SpellingLineEdit::recheck);
}

void SpellingLineEdit::recheck() {
    if (!spelling_)
        return;
    const QList<WordSpan> flagged =
        spelling_->unknownInInput(text(), hasFocus() ? cursorPosition() : -1);
    if (flagged == flagged_)
        return;
    flagged_ = flagged;
    update();
}

void SpellingLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    recheck();
}

void SpellingLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    recheck();
}

void SpellingLineEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (flagged_.isEmpty())
        return;
    QStyleOptionFrame option;
    initStyleOption(&option);
    QPainter painter(this);
    painter.setClipRect(style()->subElementRect(QStyle::SE_LineEditContents, &option, this));
    const QFontMetrics metrics = fontMetrics();
    const QString shown = displayText();
    // The cursor rectangle is centred on the cursor: from it follows where the text starts,
    // also when a long line is scrolled.
    const QRect cursor = cursorRect();
    const int textLeft =
        cursor.center().x() - metrics.horizontalAdvance(shown.left(cursorPosition()));
    const int baseline = cursor.top() + metrics.ascent();
    for (const WordSpan& span : flagged_) {
        const int left = textLeft + metrics.horizontalAdvance(shown.left(span.start));
        const int right = textLeft + metrics.horizontalAdvance(shown.left(span.end()));
        spellmarks::drawWave(painter, left, right, baseline, metrics);
    }
}

void SpellingLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    addSpellingEntries(*menu, cursorPositionAt(event->pos()));
    menu->exec(event->globalPos());
}

void SpellingLineEdit::addSpellingEntries(QMenu& menu, qsizetype position) {
    const QString line = text();
    const auto found = std::find_if(flagged_.cbegin(), flagged_.cend(), [position](const auto& s) {
        return s.start <= position && position <= s.end();
    });
    if (found == flagged_.cend() || !spelling_)
        return;
    const WordSpan span = *found;
    const QString word = line.mid(span.start, span.length);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QStringList suggestions = spelling_->suggestionsFor(word);
    QApplication::restoreOverrideCursor();

    QAction* first = menu.actions().isEmpty() ? nullptr : menu.actions().constFirst();
    for (const QString& suggestion : suggestions) {
        auto* action = new QAction(suggestion, &menu);
        QFont bold = action->font();
        bold.setBold(true);
        action->setFont(bold);
        connect(action, &QAction::triggered, this,
                [this, span, word, suggestion] { replaceWord(span, word, suggestion); });
        menu.insertAction(first, action);
    }
    if (suggestions.isEmpty()) {
        auto* none = new QAction(QStringLiteral("Keine Vorschläge"), &menu);
        none->setEnabled(false);
        menu.insertAction(first, none);
    }
    auto* addWord = new QAction(QStringLiteral("Zur Wortliste hinzufügen"), &menu);
    connect(addWord, &QAction::triggered, this, [this, word] {
        if (spelling_)
            spelling_->addToWordList(word);
    });
    menu.insertAction(first, addWord);
    if (first)
        menu.insertSeparator(first);
}

void SpellingLineEdit::replaceWord(const WordSpan& span, const QString& word,
                                   const QString& replacement) {
    if (text().mid(span.start, span.length) != word)
        return;
    // Through the selection, so that undo brings the word back.
    setSelection(int(span.start), int(span.length));
    insert(replacement);
}

} // namespace tivoral
