#pragma once

#include <QWidget>

#include <array>

class QPlainTextEdit;

namespace tivoral {

// A row of large keys for the letters a keyboard without German keys (or a tablet) lacks. A key
// puts its letter at the cursor of the answer box; the keyboard focus stays in the box.
class UmlautKeyRow final : public QWidget {
    Q_OBJECT
public:
    static constexpr std::array Letters{u'ä', u'ö', u'ü', u'ß', u'Ä', u'Ö', u'Ü'};

    explicit UmlautKeyRow(QPlainTextEdit& box, QWidget* parent = nullptr);

    // Places the keys side by side, each as high as the row; the row's own size comes from
    // the caller.
    void layOutKeys(int keyWidth, int gap);

private:
    void type(QChar letter);

    QPlainTextEdit& box_;
};

} // namespace tivoral
