#pragma once

#include <QObject>

namespace tivoral {

// While the program waits inside a click (for another copy's folder lock, for a password
// check) and only paints: the hourglass shows, so a waiting child sees the program is busy, not
// stuck, and the program's timers hold still, so that none of them (the game clock, the voice's
// start, the letters' jumps) starts a second change or check inside the one that waits. A held
// timer fires once the wait is over. Watches the application from its construction on.
class LockWaitCursor final : public QObject {
    Q_OBJECT
public:
    explicit LockWaitCursor(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int waits_ = 0;
};

} // namespace tivoral
