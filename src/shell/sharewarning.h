#pragma once

#include "platform/sharecheck.h"

#include <QDir>
#include <QObject>

namespace tivoral {

class Dialogs;

// The first time this computer opens a working folder on a network file system, the quick part
// of "Ordner prüfen" runs in the background; a folder not safe for a class is warned about once.
class ShareWarning final : public QObject {
    Q_OBJECT
public:
    ShareWarning(const QDir& folder, Dialogs& dialogs, QObject* parent = nullptr);
    // Returns at once; the check, if one is due, runs on a thread of its own.
    void start();

private:
    void warn(const ShareCheck::Report& report);

    QDir folder_;
    Dialogs& dialogs_;
};

} // namespace tivoral
