#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>

namespace tivoral {

// Argon2id through libsodium with its interactive limits: the encoded text carries a random
// salt and the limits, never the password.
namespace passwordhash {

// Empty when hashing failed (the memory it needs could not be had).
QByteArray hash(const QString& password);
bool verify(const QByteArray& encoded, const QString& password);
// True for an Argon2id hash made with exactly the limits hash() uses; anything else could be
// damage, or a planted hash whose limits would make checking it run for minutes.
bool isWellFormed(const QByteArray& encoded);

} // namespace passwordhash

// The teacher password's hash in "TIVORAL.PWD": one line "Lehrerpasswort=<hash>". A folder
// without the file, or a file without the line, has no password.
class PasswordFile {
public:
    static constexpr const char* FileName = "TIVORAL.PWD";
    static constexpr const char* Key = "Lehrerpasswort";

    enum class State {
        None,    // the sentence count opens the lock
        Set,     // the password opens it
        Damaged, // nothing opens it until the teacher deletes the file
    };
    struct Entry {
        State state = State::None;
        QByteArray hash;
    };

    explicit PasswordFile(const QDir& folder) : folder_(folder) {}

    Entry read() const;
    // The caller holds the folder lock. On failure, error says why.
    bool write(const QByteArray& hash, QString* error) const;
    bool remove() const;
    QString path() const { return folder_.filePath(QString::fromLatin1(FileName)); }

    static Entry parse(const QStringList& lines);

private:
    QDir folder_;
};

} // namespace tivoral
