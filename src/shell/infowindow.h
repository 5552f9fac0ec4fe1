#pragma once

#include <QWidget>

namespace tivoral {

// The info window: what the program is, who made it, its licence. It opens beside
// the main window and is closed by its picture or its "Abbruch" label.
class InfoWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int WidthTwips = 7200;
    static constexpr int HeightTwips = 6300;

    explicit InfoWindow(QWidget* parent = nullptr);

    // Shows the window next to the given window frame, or centred when the screen has no room.
    void openBeside(const QRect& mainFrame);

    // Right of the main window if the screen area has room, else left of it, else centred.
    static QPoint placeBeside(const QRect& mainFrame, const QSize& size, const QRect& area);
};

} // namespace tivoral
