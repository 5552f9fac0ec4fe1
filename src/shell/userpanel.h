#pragma once

#include <QFrame>

class QListWidget;

namespace tivoral {

class AppState;
class MainViews;

// The user panel: the children's names, chosen by double click, and a new name.
class UserPanel final : public QFrame {
    Q_OBJECT
public:
    UserPanel(AppState& app, MainViews& views, QWidget* parent = nullptr);

private:
    void showNames();

    AppState& app_;
    QListWidget* names_ = nullptr;
};

} // namespace tivoral
