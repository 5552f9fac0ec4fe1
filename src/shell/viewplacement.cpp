#include "shell/viewplacement.h"

#include "platform/textmarks.h"
#include "platform/twips.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

#include <optional>

namespace tivoral {

namespace {

// Qt's wrapping "between words, else anywhere" takes time that grows with the square of a
// word's length: seconds for a word of 64 K characters, which a sentence file may hold. No real
// word comes near this length; text that holds a longer one breaks anywhere instead.
constexpr qsizetype LongestWordWrappedBetweenWords = 1000;

bool hasOverlongWord(const QStringList& lines) {
    for (const QString& line : lines) {
        // Only a line that long can hold such a word; a list of thousands of ordinary
        // sentences is not gone through letter by letter.
        if (line.size() <= LongestWordWrappedBetweenWords)
            continue;
        qsizetype run = 0;
        for (QChar c : line) {
            run = c.isSpace() ? 0 : run + 1;
            if (run > LongestWordWrappedBetweenWords)
                return true;
        }
    }
    return false;
}

// A list of thousands of sentences goes into its box a few screenfuls at a time, the rest as
// the reader comes near the end: laying out the whole text at once would hold up the first
// frame and tens of megabytes that nobody may ever scroll to.
class GrowingText final : public QObject {
public:
    static constexpr qsizetype LinesPerStep = 250;
    static constexpr const char* Name = "tivoralGrowingText";

    explicit GrowingText(QPlainTextEdit* box) : QObject(box), box_(box) {
        setObjectName(QLatin1String(Name));
        const QScrollBar* bar = box->verticalScrollBar();
        connect(bar, &QScrollBar::valueChanged, this, &GrowingText::growNearEnd);
        connect(bar, &QScrollBar::rangeChanged, this, &GrowingText::growNearEnd);
    }

    void show(const QStringList& lines) {
        // Redrawing an unchanged view keeps its scroll position.
        if (shown_ && lines == lines_)
            return;
        lines_ = lines;
        shown_ = std::min(LinesPerStep, lines_.size());
        box_->setWordWrapMode(hasOverlongWord(lines_) ? QTextOption::WrapAnywhere
                                                      : QTextOption::WrapAtWordBoundaryOrAnywhere);
        box_->setPlainText(text(0, *shown_));
    }

private:
    // Every line ended by CR LF, as a list file holds it.
    QString text(qsizetype from, qsizetype to) const {
        QString text;
        for (qsizetype line = from; line < to; ++line)
            text += lines_.at(line) + CRLF;
        return text;
    }

    void growNearEnd() {
        const QScrollBar* bar = box_->verticalScrollBar();
        if (!shown_ || *shown_ >= lines_.size() ||
            bar->value() < bar->maximum() - bar->pageStep())
            return;
        const qsizetype to = std::min(*shown_ + LinesPerStep, lines_.size());
        QTextDocument* document = box_->document();
        // A read-only view keeps no undo steps of its own growth.
        const bool undo = document->isUndoRedoEnabled();
        document->setUndoRedoEnabled(false);
        QTextCursor cursor(document);
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(text(*shown_, to));
        document->setUndoRedoEnabled(undo);
        shown_ = to;
    }

    QPlainTextEdit* box_;
    QStringList lines_;
    std::optional<qsizetype> shown_; // lines in the box; none before the first text
};

class ReturnKeyFilter final : public QObject {
public:
    ReturnKeyFilter(QAbstractItemView* list, std::function<void(int)> action)
        : QObject(list), list_(list), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int row = list_->currentIndex().row();
        if ((key != Qt::Key_Return && key != Qt::Key_Enter) || row < 0)
            return false;
        action_(row);
        return true;
    }

private:
    QAbstractItemView* list_;
    std::function<void(int)> action_;
};

} // namespace

void placeView(QWidget* view, bool open, int openLeftTwips) {
    view->move(twips(open ? openLeftTwips : HiddenLeftTwips), view->y());
    view->setVisible(open);
}

void showText(QPlainTextEdit* box, const QStringList& lines) {
    auto* growing = static_cast<GrowingText*>(
        box->findChild<QObject*>(QLatin1String(GrowingText::Name), Qt::FindDirectChildrenOnly));
    if (!growing)
        growing = new GrowingText(box);
    growing->show(lines);
}

void onReturnKey(QAbstractItemView* list, std::function<void(int row)> action) {
    list->installEventFilter(new ReturnKeyFilter(list, std::move(action)));
}

} // namespace tivoral
