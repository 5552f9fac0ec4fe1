#pragma once

#include <QWidget>

class QLabel;

namespace tivoral {

class GameEngine;

// The playing field: the start text before a game, the characters at their cells during it,
// and the catcher on top. Everything it shows comes from the engine.
class PlayingField final : public QWidget {
    Q_OBJECT
public:
    static constexpr int LetterPointSize = 18;
    static constexpr int StartTextPointSize = 14;
    static constexpr int CatcherWidthTwips = 255;
    static constexpr int CatcherHeightTwips = 375;

    explicit PlayingField(const GameEngine& engine, QWidget* parent = nullptr);

    // The letters and the catcher in colours of at least 7 : 1.
    void setHighContrast(bool high);

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void placeCatcher();
    void paintStartText(QPainter& painter);
    void paintLetters(QPainter& painter);

    const GameEngine& engine_;
    QLabel* catcher_;
};

} // namespace tivoral
