#include "shell/viewplacement.h"

#include "platform/twips.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

namespace tivoral {

namespace {

// Qt's wrapping "between words, else anywhere" takes time that grows with the square of a
// word's length: seconds for a word of 64 K characters, which a sentence file may hold. No real
// word comes near this length; text that holds a longer one breaks anywhere instead.
constexpr qsizetype LongestWordWrappedBetweenWords = 1000;

bool hasOverlongWord(const QString& text) {
    qsizetype run = 0;
    for (QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > LongestWordWrappedBetweenWords)
            return true;
    }
    return false;
}

// A list of thousands of sentences goes into its box a few screenfuls at a time, the rest as
// the reader comes near the end: laying out the whole text at once would hold up the first
// frame and tens of megabytes that nobody may ever scroll to.
class GrowingText final : public QObject {
public:
    static constexpr int LinesPerStep = 250;
    static constexpr const char* Name = "tivoralGrowingText";

    explicit GrowingText(QPlainTextEdit* box) : QObject(box), box_(box) {
        setObjectName(QLatin1String(Name));
        const QScrollBar* bar = box->verticalScrollBar();
        connect(bar, &QScrollBar::valueChanged, this, &GrowingText::growNearEnd);
        connect(bar, &QScrollBar::rangeChanged, this, &GrowingText::growNearEnd);
    }

    void show(const QString& text) {
        text_ = text;
        shownEnd_ = endAfterStep(0);
        box_->setPlainText(shownEnd_ == text_.size() ? text_ : text_.first(shownEnd_));
    }

private:
    qsizetype endAfterStep(qsizetype from) const {
        qsizetype end = from;
        for (int line = 0; line < LinesPerStep && end < text_.size(); ++line) {
            const qsizetype lineFeed = text_.indexOf(QLatin1Char('\n'), end);
            end = lineFeed < 0 ? text_.size() : lineFeed + 1;
        }
        return end;
    }

    void growNearEnd() {
        const QScrollBar* bar = box_->verticalScrollBar();
        if (shownEnd_ >= text_.size() || bar->value() < bar->maximum() - bar->pageStep())
            return;
        const qsizetype end = endAfterStep(shownEnd_);
        QTextDocument* document = box_->document();
        // A read-only view keeps no undo steps of its own growth.
        const bool undo = document->isUndoRedoEnabled();
        document->setUndoRedoEnabled(false);
        QTextCursor cursor(document);
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(text_.sliced(shownEnd_, end - shownEnd_));
        document->setUndoRedoEnabled(undo);
        shownEnd_ = end;
    }

    QPlainTextEdit* box_;
    QString text_;
    qsizetype shownEnd_ = 0;
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

void showText(QPlainTextEdit* box, const QString& text) {
    static constexpr const char* ShownText = "tivoralShownText";
    const QVariant shown = box->property(ShownText);
    if (shown.isValid() && shown.toString() == text)
        return;
    box->setProperty(ShownText, text);
    box->setWordWrapMode(hasOverlongWord(text) ? QTextOption::WrapAnywhere
                                               : QTextOption::WrapAtWordBoundaryOrAnywhere);
    auto* growing = static_cast<GrowingText*>(
        box->findChild<QObject*>(QLatin1String(GrowingText::Name), Qt::FindDirectChildrenOnly));
    if (!growing)
        growing = new GrowingText(box);
    growing->show(text);
}

void onReturnKey(QAbstractItemView* list, std::function<void(int row)> action) {
    list->installEventFilter(new ReturnKeyFilter(list, std::move(action)));
}

} // namespace tivoral
