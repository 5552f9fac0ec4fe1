#include "editor/listsaver.h"

#include "platform/dialogs.h"
#include "platform/textcase.h"
#include "platform/textfile.h"
#include "platform/textmarks.h"
#include "store/appstate.h"
#include "store/ownfiles.h"

#include <QFileInfo>

namespace tivoral {

namespace {

const QString DialogTitle = QStringLiteral("Datei speichern");
// The longest file name most Linux file systems accept, in bytes.
constexpr qsizetype MaxFileNameBytes = 255;
const QString SentenceFileExtension = QStringLiteral(".TXT");

} // namespace

ListSaver::ListSaver(AppState& app, SentenceFileList& editorFiles)
    : app_(app), files_(editorFiles) {}

bool ListSaver::isUsableFileName(const QString& name) {
    if (name.trimmed().isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    if (toUpperOneToOne(name).toUtf8().size() > MaxFileNameBytes)
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

QString ListSaver::targetFileName(const QDir& folder, const QString& name) {
    const QString upper = toUpperOneToOne(name);
    if (QFileInfo::exists(folder.filePath(upper)))
        return upper;
    const QStringList present =
        folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& existing : present) {
        if (existing.compare(name, Qt::CaseInsensitive) == 0)
            return existing;
    }
    return upper;
}

QString ListSaver::fileNameFor(const QString& typed) {
    QString name = typed;
    while (name.endsWith(u' '))
        name.chop(1);
    if (!name.isEmpty() && !name.contains(u'.'))
        name += SentenceFileExtension;
    return name;
}

ListSaver::Result ListSaver::save() {
    if (saveCheck_ && !saveCheck_())
        return Result::Declined;
    const QString typed =
        app_.dialogs.input(QStringLiteral("Namen der Datei eingeben:"), DialogTitle, QString());
    if (typed.isEmpty())
        return Result::Cancelled;

    const QString name = fileNameFor(typed);
    if (!isUsableFileName(name))
        return refuse(typed);
    if (ownfiles::isOwnFile(name))
        return refuseOwnFile(name);
    const QString path = app_.workFolder.filePath(targetFileName(app_.workFolder, name));
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return refuse(name);

    // The list may be older than the folder; the question must not be skipped for a file
    // that appeared since.
    files_.refresh();
    const bool changedElsewhere = app_.loader.sourceVersions().changedSince(path);
    if (changedElsewhere || files_.indexOf(name) >= 0) {
        const QString question =
            changedElsewhere ? QStringLiteral("Die Datei wurde inzwischen von einem anderen "
                                              "Computer geändert. Trotzdem überschreiben?")
                             : QStringLiteral("Die schon vorhandene Datei überschreiben?");
        const Answer answer = app_.dialogs.message(question + CR, toUpperOneToOne(name),
                                                   Buttons::YesNo, Icon::Question, Answer::No);
        if (answer != Answer::Yes)
            return Result::Declined;
    }

    if (!writeList(path))
        return Result::Failed;
    app_.store.markAsSaved();
    files_.refresh();
    app_.dialogs.message(QStringLiteral("Die Sätze wurden gespeichert!") + CR,
                         QDir::toNativeSeparators(path) + QStringLiteral(" sichern"), Buttons::Ok,
                         Icon::None);
    return Result::Saved;
}

ListSaver::Result ListSaver::refuse(const QString& name) {
    app_.dialogs.message(QStringLiteral("Unter diesem Namen kann keine Datei angelegt werden:") +
                             CR + name + CR +
                             QStringLiteral("Bitte nur einen Dateinamen ohne Ordner eingeben, "
                                            "zum Beispiel SAETZE.TXT.") +
                             CR,
                         DialogTitle, Buttons::Ok, Icon::Warning);
    return Result::Refused;
}

ListSaver::Result ListSaver::refuseOwnFile(const QString& name) {
    app_.dialogs.message(name +
                             QStringLiteral(" ist eine Datei, in der das "
                                            "Programm seine eigenen Daten "
                                            "speichert.") +
                             CR +
                             QStringLiteral("Bitte einen anderen Namen eingeben, zum Beispiel "
                                            "SAETZE.TXT.") +
                             CR,
                         DialogTitle, Buttons::Ok, Icon::Warning);
    return Result::Refused;
}

bool ListSaver::writeList(const QString& path) {
    const bool wasReadOnly = textfile::isReadOnly(path);
    const QFile::Permissions permissions = QFileInfo(path).permissions();
    if (wasReadOnly)
        textfile::clearReadOnly(path);

    QString error;
    if (textfile::writeLinesAtomic(path, app_.store.entries(), &error)) {
        // From the bytes written, not read back: another computer may save in between.
        app_.loader.sourceVersions().remember(
            path, FileVersion::ofBytes(textfile::encodeLines(app_.store.entries())));
        return true;
    }

    // The old file is still whole; give it back its write protection too.
    if (wasReadOnly)
        QFile::setPermissions(path, permissions);
    app_.dialogs.message(QStringLiteral("Die Sätze konnten nicht gespeichert werden.") + CR +
                             QDir::toNativeSeparators(path) + CR + error + CR,
                         DialogTitle, Buttons::Ok, Icon::Warning);
    return false;
}

} // namespace tivoral
