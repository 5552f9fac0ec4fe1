#include "editor/listsaver.h"

#include "platform/countwording.h"
#include "platform/dialogs.h"
#include "platform/safefile.h"
#include "platform/textcase.h"
#include "platform/textfile.h"
#include "platform/textmarks.h"
#include "store/appstate.h"
#include "store/ownfiles.h"
#include "store/sentencefiles.h"

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
    if (toUpperFileName(name).toUtf8().size() > MaxFileNameBytes)
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

QString ListSaver::targetFileName(const QDir& folder, const QString& name) {
    const QString upper = toUpperFileName(name);
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
    // Judged on the name as it will stand on disk: "tıvoral.ınf" becomes TIVORAL.INF.
    const QString fileName = targetFileName(app_.workFolder, name);
    if (ownfiles::isOwnFile(name) || ownfiles::isOwnFile(fileName))
        return refuseOwnFile(fileName);
    const QString path = app_.workFolder.filePath(fileName);
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return refuse(name);

    if (!mayReplace(path, toUpperFileName(name)))
        return Result::Declined;
    if (!writeList(path))
        return Result::Failed;
    app_.loader.forgetPartialLoad();
    app_.store.markAsSaved();
    // From now on the list is this file, in the editor's header and for the exercises.
    app_.fileStatus.setLoaded(app_.store.count(), QDir::toNativeSeparators(path),
                              QFileInfo(path).fileName());
    files_.refresh();
    app_.dialogs.message(QStringLiteral("Die Sätze wurden gespeichert!") + CR,
                         QDir::toNativeSeparators(path) + QStringLiteral(" sichern"), Buttons::Ok,
                         Icon::None);
    return Result::Saved;
}

bool ListSaver::mayReplace(const QString& path, const QString& title) {
    QString question;
    if (const std::optional<int> lost = sentencesLost(path)) {
        question = countWording(*lost,
                                QStringLiteral("Die Liste wurde nur zum Teil geladen. Beim "
                                               "Speichern ginge ein Satz der Datei verloren."),
                                QStringLiteral("Die Liste wurde nur zum Teil geladen. Beim "
                                               "Speichern gingen %1 Sätze der Datei verloren.")) +
                   CR + QStringLiteral("Trotzdem speichern?");
    } else if (app_.loader.sourceVersions().changedSince(path)) {
        question = QStringLiteral(
            "Die Datei wurde inzwischen von einem anderen Computer geändert. Trotzdem "
            "überschreiben?");
    } else if (safefile::entryExists(path)) {
        // Whatever the file is: a letter, a worksheet or an export is no less worth keeping.
        question = QStringLiteral("Die schon vorhandene Datei überschreiben?");
    } else {
        return true;
    }
    return app_.dialogs.message(question + CR, title, Buttons::YesNo, Icon::Question, Answer::No) ==
           Answer::Yes;
}

std::optional<int> ListSaver::sentencesLost(const QString& path) const {
    if (!app_.loader.loadedInPart(path))
        return std::nullopt;
    const int inFile = SentenceFileLoader::countSentences(path);
    if (inFile <= app_.store.count())
        return std::nullopt;
    return inFile - app_.store.count();
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
