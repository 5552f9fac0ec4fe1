#pragma once

#include "shell/classroster.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QListWidget;
class QPushButton;

namespace tivoral {

class AppState;

// "Kinder verwalten", behind the teacher lock: the class list, a child renamed or removed in
// every file of the folder, and whether the children may add names of their own.
class ClassListWindow final : public QDialog {
    Q_OBJECT
public:
    // A rewrite that takes longer than this shows that it is working.
    static constexpr int ProgressAfterMs = 500;

    explicit ClassListWindow(AppState& app, QWidget* parent = nullptr);

    // Shows the list as the folder holds it now.
    void activate();

private:
    void showNames();
    void renameChosen();
    void removeChosen();
    void changeNewNamesSwitch(bool allowed);
    // The rewrite runs off the window thread, so the windows keep painting; then the teacher
    // hears what came of it (never while the folder lock is held).
    bool runAndReport(const std::function<ClassRoster::Result()>& work);

    AppState& app_;
    ClassRoster roster_;
    QListWidget* names_ = nullptr;
    QCheckBox* withResults_ = nullptr;
    QCheckBox* newNames_ = nullptr;
    QPushButton* rename_ = nullptr;
    QPushButton* remove_ = nullptr;
};

} // namespace tivoral
