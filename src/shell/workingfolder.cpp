#include "shell/workingfolder.h"

#include "platform/dialogs.h"
#include "shell/commandline.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

namespace tivoral {

namespace {

void report(const StartRequest& request, Dialogs& dialogs, const QStringList& lines, Icon icon) {
    std::fputs((QStringLiteral("tivoral: ") + lines.join(QLatin1Char(' ')) + QLatin1Char('\n'))
                   .toLocal8Bit()
                   .constData(),
               stderr);
    if (request.homeFolder)
        dialogs.message(lines.join(QLatin1Char('\r')), QStringLiteral("Tivoral"), Buttons::Ok,
                        icon);
}

QString quoted(const QString& path) {
    return QStringLiteral("„") + QDir::toNativeSeparators(path) + QStringLiteral("“");
}

} // namespace

bool enterWorkingFolder(const StartRequest& request, Dialogs& dialogs) {
    if (request.folder.isEmpty())
        return true;
    const QString path = QFileInfo(request.folder).absoluteFilePath();
    const auto fail = [&](const QStringList& lines) {
        report(request, dialogs, lines, Icon::Critical);
        return false;
    };
    const QFileInfo folder(path);
    if (folder.exists() && !folder.isDir())
        return fail({quoted(path) + QStringLiteral(" ist eine Datei, kein Ordner."),
                     QStringLiteral("Tivoral kann dort nicht arbeiten.")});
    if (!folder.exists() && !QDir().mkpath(path))
        return fail({QStringLiteral("Der Ordner ") + quoted(path) +
                         QStringLiteral(" kann nicht angelegt werden."),
                     QStringLiteral("Bitte die Schreibrechte prüfen.")});
    if (!QDir::setCurrent(path))
        return fail({QStringLiteral("Der Ordner ") + quoted(path) +
                         QStringLiteral(" kann nicht geöffnet werden."),
                     QStringLiteral("Bitte die Zugriffsrechte prüfen.")});
    if (!QFileInfo(QDir::currentPath()).isWritable())
        report(request, dialogs,
               {QStringLiteral("In den Ordner ") + quoted(path) +
                    QStringLiteral(" kann Tivoral nicht schreiben."),
                QStringLiteral("Neue Namen, Einstellungen und Ergebnisse werden nicht "
                               "gespeichert.")},
               Icon::Warning);
    return true;
}

} // namespace tivoral
