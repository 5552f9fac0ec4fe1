#include "shell/sharewarning.h"

#include "platform/dialogs.h"
#include "platform/sharecheck.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSettings>

#include <thread>

namespace tivoral {

namespace {
// Remembered per computer and user, not in the shared folder: each computer has its own client.
const QString CheckedGroup = QStringLiteral("GepruefteOrdner");
} // namespace

ShareWarning::ShareWarning(const QDir& folder, Dialogs& dialogs, QObject* parent)
    : QObject(parent), folder_(folder), dialogs_(dialogs) {}

void ShareWarning::start() {
    const QString path = folder_.canonicalPath();
    if (path.isEmpty() || !ShareCheck::isNetworkFolder(path))
        return;
    QSettings seen(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tivoral"),
                   QStringLiteral("tivoral"));
    // A key per folder; slashes would make groups of it.
    const QString key =
        CheckedGroup + QLatin1Char('/') + QString::fromLatin1(path.toUtf8().toHex());
    if (seen.value(key).toBool())
        return;
    seen.setValue(key, true);

    // A thread of its own that nothing waits for: a network client that hangs must neither
    // delay the start nor keep the program from ending.
    std::thread([self = QPointer<ShareWarning>(this), folder = folder_] {
        const ShareCheck::Report report = ShareCheck(folder).run(ShareCheck::Depth::Quick);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, report] {
                if (self && !report.safe())
                    self->warn(report);
            },
            Qt::QueuedConnection);
    }).detach();
}

void ShareWarning::warn(const ShareCheck::Report& report) {
    dialogs_.message(QStringLiteral("Dieser Arbeitsordner liegt auf einem Netzlaufwerk, das für "
                                    "mehrere Computer zugleich nicht sicher ist.\r\r") +
                         report.text(),
                     QStringLiteral("Ordner prüfen"), Buttons::Ok, Icon::Warning);
}

} // namespace tivoral
