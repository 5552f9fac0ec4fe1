#include "store/users.h"

#include "platform/dialogs.h"
#include "platform/folderlock.h"
#include "platform/textfile.h"
#include "store/typedtext.h"

namespace tivoral {

namespace {
const QString UserDialogTitle = QStringLiteral("Benutzereingabe");
} // namespace

Users::Users(const QDir& folder, QObject* parent) : QObject(parent), folder_(folder) {}

QString Users::path() const {
    return folder_.filePath(QString::fromLatin1(FileName));
}

void Users::clear() {
    names_.clear();
    Q_EMIT namesChanged();
}

bool Users::load() {
    textfile::ReadLimits limits;
    limits.maxLines = MaxNames;
    textfile::ReadResult read = textfile::readLines(path(), limits);
    if (!read.ok)
        return false;
    textfile::clearReadOnly(path());
    fileReadWhole_ = !read.truncated && read.overlongLines == 0;
    names_ = std::move(read.lines);
    Q_EMIT namesChanged();
    return true;
}

bool Users::resetToDefault() {
    // Another copy may have written the file since it could not be read: keep its names.
    FolderLock lock(folder_);
    lock.readsCurrent(path());
    if (load())
        return true;
    names_ = QStringList{QString::fromLatin1(DefaultUser)};
    fileReadWhole_ = true;
    Q_EMIT namesChanged();
    return lock.mayWrite() && save(nullptr);
}

bool Users::save(QString* error) {
    // An unreadable users file may lack write permission too; it is replaced all the same.
    textfile::clearReadOnly(path());
    return fileReadWhole_ ? textfile::writeLinesAtomic(path(), names_, error)
                          : textfile::appendLine(path(), names_.constLast(), error);
}

void Users::addUser(Dialogs& dialogs) {
    const QString name = typedtext::withoutControlCharacters(dialogs.input(
        QStringLiteral("Neuer Benutzer:"), UserDialogTitle, QString::fromLatin1(NoUserChosen)));
    if (name.isEmpty())
        return;
    if (name.size() > typedtext::MaxUserNameLength) {
        dialogs.message(QStringLiteral("Der Name ist zu lang: Er darf höchstens %1 Zeichen haben.")
                                .arg(typedtext::MaxUserNameLength) +
                            QLatin1Char('\r'),
                        UserDialogTitle, Buttons::Ok, Icon::Warning);
        return;
    }
    // The box comes only after the lock is released: another computer would wait on it.
    const std::optional<Notice> notice = addName(name);
    if (notice)
        dialogs.message(notice->prompt, notice->title, Buttons::Ok, notice->icon);
}

std::optional<Users::Notice> Users::addName(const QString& name) {
    // Other computers of the class add names too: the list is read again inside the lock and
    // only this name is added to what the file holds now.
    FolderLock lock(folder_);
    if (!lock.readsCurrent(path()))
        return Notice{lock.refusal(), UserDialogTitle, Icon::Warning};
    load();
    if (names_.contains(name))
        return Notice{QStringLiteral("Dieser Name ist schon vorhanden!\r"), name + QLatin1Char(':'),
                      Icon::None};
    if (names_.size() >= MaxNames)
        return Notice{QStringLiteral("Die Liste der Kinder ist voll.\r"), name + QLatin1Char(':'),
                      Icon::Warning};
    names_.append(name);
    Q_EMIT namesChanged();
    QString error;
    if (save(&error))
        return std::nullopt;
    return Notice{QStringLiteral("Die Liste der Kinder konnte nicht gespeichert werden:") +
                      QLatin1Char('\r') + error + QLatin1Char('\r'),
                  UserDialogTitle, Icon::Warning};
}

void Users::selectUser(int index) {
    if (index < 0 || index >= names_.size())
        return;
    current_ = names_.at(index);
    Q_EMIT currentChanged(current_);
}

void Users::noteRenamed(const QString& user, const std::optional<QString>& newName) {
    load();
    if (current_ != user)
        return;
    current_ = newName.value_or(QString::fromLatin1(NoUserChosen));
    Q_EMIT currentChanged(current_);
}

} // namespace tivoral
