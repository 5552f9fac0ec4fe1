#pragma once

#include <QObject>

namespace tivoral {

// The points of the run ("Spielpunkte"): not tied to a user, never saved.
class Points final : public QObject {
    Q_OBJECT
public:
    int value() const { return value_; }
    void set(int value);
    void add(int amount) { set(value_ + amount); }

Q_SIGNALS:
    void changed(int value);

private:
    int value_ = 0;
};

} // namespace tivoral
