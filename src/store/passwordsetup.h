#pragma once

#include "store/teacherpassword.h"

#include <QDir>

#include <functional>

namespace tivoral {

class Dialogs;
class TeacherLock;

// The settings window's "Lehrer-Passwort": sets a password, changes it or removes it again.
class PasswordSetup {
public:
    static constexpr int MinLength = 6;

    PasswordSetup(const QDir& folder, Dialogs& dialogs, TeacherLock& lock);

    // Leads the teacher through the boxes; true when the file was changed.
    bool edit();
    // One line for the settings window: whether a password guards the teacher windows.
    QString stateText() const;

private:
    bool setNewPassword();
    bool removePassword();
    // Runs change under the folder lock; reports why it failed (the lock busy, or its error).
    bool changeFile(const std::function<bool(QString* error)>& change);
    void report(const QString& prompt, bool failed);

    QDir folder_;
    PasswordFile file_;
    Dialogs& dialogs_;
    TeacherLock& lock_;
};

} // namespace tivoral
