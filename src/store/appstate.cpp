#include "store/appstate.h"

#include "platform/dialogs.h"
#include "platform/safefile.h"
#include "platform/textfile.h"
#include "platform/textmarks.h"
#include "store/startprefetch.h"

namespace tivoral {

AppState::AppState(const QDir& workFolder_, Dialogs& dialogs_, RandomSource& random_,
                   StartPrefetch* prefetch)
    : workFolder(workFolder_), dialogs(dialogs_), random(random_),
      mainFiles(workFolder_, prefetch ? prefetch->names(workFolder_) : std::nullopt),
      loader(workFolder_, store, fileStatus, dialogs_), users(workFolder_),
      readingAids(workFolder_, users), teacherLock(workFolder_), practiceRecord(workFolder_) {
    loader.useReadAhead(prefetch);
    QObject::connect(&users, &Users::currentChanged, [this] { practiceRecord.forgetSwitch(); });
}

void loadSettingsAndUsers(AppState& app) {
    app.users.clear();
    const SettingsFile settingsFile(app.workFolder);

    const std::optional<SettingsValues> values = settingsFile.read();
    if (values) {
        app.settings.setPreviewFont(values->font);
        app.settings.setPointLimit(values->pointLimit);
        textfile::clearReadOnly(settingsFile.path());
        app.settings.applyFonts(values->font);
    } else {
        app.settings.setPreviewFont(FontChoice{QString::fromLatin1(Settings::DefaultFontName),
                                               Settings::FallbackPreviewSize});
        app.settings.setPointLimit(Settings::DefaultPointLimit);
        // A folder without write access keeps the defaults in memory only.
        settingsFile.writeDefaults();
    }

    const bool usersRead = app.users.load();
    // A users file that is there but cannot be read is no missing setting; it gets its own word.
    const bool usersUnreadable =
        !usersRead &&
        safefile::entryExists(app.workFolder.filePath(QString::fromLatin1(Users::FileName)));
    if (!usersRead)
        app.users.resetToDefault();

    app.readingAids.reload();

    if (!values || (!usersRead && !usersUnreadable)) {
        app.dialogs.message(
            QStringLiteral("Es sind keine Einstellungen gespeichert, verwende Standardwerte.\r\r"),
            QStringLiteral("Tivoral"), Buttons::Ok, Icon::None);
    }
    if (usersUnreadable) {
        app.dialogs.message(
            QStringLiteral("Die Namensliste TIVORAL.INF konnte nicht gelesen werden.") + CR +
                QStringLiteral("Es gilt der Standardname „%1“.")
                    .arg(QLatin1String(Users::DefaultUser)) +
                CR,
            QStringLiteral("Tivoral"), Buttons::Ok, Icon::Warning);
    }
}

bool saveSettings(AppState& app, const QString& fontName, const QString& fontSize,
                  const QString& pointLimit) {
    const SettingsFile settingsFile(app.workFolder);
    QString error;
    if (!settingsFile.write(fontName, fontSize, pointLimit, &error)) {
        app.dialogs.message(QStringLiteral("Die Einstellungen konnten nicht gespeichert werden.") +
                                QLatin1Char('\r') + error + QLatin1Char('\r'),
                            QStringLiteral("Einstellungen"), Buttons::Ok, Icon::Warning);
        return false;
    }
    // A list without a selection saves an empty value; that is no font to show the sentences in.
    const int pointSize = fontSize.toInt();
    if (!fontName.isEmpty() && pointSize > 0)
        app.settings.applyFonts(FontChoice{fontName, pointSize});
    app.dialogs.message(QStringLiteral("Die Einstellungen für die Schrift und\r"
                                       "das Punktelimit wurden gespeichert.\r\r"),
                        QStringLiteral("Einstellungen"), Buttons::Ok, Icon::Information);
    return true;
}

PracticeEntry newPracticeEntry(const AppState& app, PracticeEntry::Event event) {
    PracticeEntry entry;
    entry.when = app.practiceRecord.now();
    entry.user = app.users.current();
    entry.event = event;
    entry.file = app.fileStatus.loadedName();
    return entry;
}

bool askTeacherPassword(AppState& app) {
    return app.teacherLock.ask(app.dialogs, app.fileStatus.loadedCount());
}

} // namespace tivoral
