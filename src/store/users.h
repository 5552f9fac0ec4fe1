#pragma once

#include <QDir>
#include <QObject>
#include <QStringList>

#include <optional>

namespace tivoral {

class Dialogs;
enum class Icon;

// The user names of "TIVORAL.INF" and the name chosen for this run.
class Users final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* FileName = "TIVORAL.INF";
    static constexpr const char* DefaultUser = "Freund";
    static constexpr const char* NoUserChosen = "Benutzer";
    static constexpr int MaxNames = 32767;

    explicit Users(const QDir& folder, QObject* parent = nullptr);

    const QStringList& names() const { return names_; }
    const QString& current() const { return current_; }

    void clear();
    // Reads the users file; false when it is missing or cannot be read.
    bool load();
    // Replaces the list by the default user and writes it, unless another copy has written the
    // file meanwhile (then its names are taken); false when nothing could be written.
    bool resetToDefault();
    // Asks for a name, reads the file again inside the folder lock, refuses an exact duplicate,
    // appends the name and rewrites the file.
    void addUser(Dialogs& dialogs);
    void selectUser(int index);
    // After the teacher renamed a child (or, without a new name, removed one): the list is read
    // again, and a run working under the old name goes on under the new one.
    void noteRenamed(const QString& user, const std::optional<QString>& newName);

Q_SIGNALS:
    void namesChanged();
    void currentChanged(const QString& name);

private:
    // A message to show once the folder lock is released.
    struct Notice {
        QString prompt;
        QString title;
        Icon icon;
    };

    QString path() const;
    bool save(QString* error);
    std::optional<Notice> addName(const QString& name);

    QDir folder_;
    QStringList names_;
    // False when the file held more than the list keeps (too many or too long names): then a
    // new name is appended to the file instead of rewriting it from the list.
    bool fileReadWhole_ = true;
    QString current_ = QString::fromLatin1(NoUserChosen);
};

} // namespace tivoral
