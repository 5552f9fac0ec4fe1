#include "shell/viewplacement.h"

#include "platform/twips.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QPlainTextEdit>

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
    box->setPlainText(text);
}

void onReturnKey(QAbstractItemView* list, std::function<void(int row)> action) {
    list->installEventFilter(new ReturnKeyFilter(list, std::move(action)));
}

} // namespace tivoral
