#pragma once

#include "platform/svgiconengine.h"

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
    // Starts drawing one of them on a thread of its own; its icon, asked for the same size in
    // device pixels, then takes that drawing instead of waiting for it.
    [[nodiscard]] static SvgIconEngine::DrawingAhead drawAhead(const QString& iconName,
                                                               QSize pixels);

protected:
    // A thick frame while the button has the keyboard.
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tivoral
