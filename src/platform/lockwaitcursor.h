#pragma once

#include <QObject>

namespace tivoral {

// The hourglass while the folder lock waits for another copy, so that a waiting child sees the
// program is busy, not stuck. Watches the application from its construction on.
class LockWaitCursor final : public QObject {
    Q_OBJECT
public:
    explicit LockWaitCursor(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tivoral
