#pragma once

#include <QToolButton>

namespace tivoral {

// A flat button showing one of the program's SVG icons. Its tool tip doubles as its accessible
// name, so a screen reader says what the picture means.
class PictureButton final : public QToolButton {
    Q_OBJECT
public:
    // The size of every picture button of the menu row and the exercise panels.
    static constexpr int SizeTwips = 495;

    PictureButton(const QString& objectName, const QString& toolTip, const QString& iconName,
                  QWidget* parent = nullptr);

    // One of the program's own pictures by its name, e.g. "dose".
    static QIcon icon(const QString& iconName);

protected:
    // A thick frame while the button has the keyboard.
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tivoral
