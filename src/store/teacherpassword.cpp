#include "store/teacherpassword.h"

#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>

#include <sodium.h>

namespace tivoral {

namespace passwordhash {

namespace {

const unsigned long long OpsLimit = crypto_pwhash_OPSLIMIT_INTERACTIVE;
const size_t MemLimit = crypto_pwhash_MEMLIMIT_INTERACTIVE;
const QByteArray Argon2idPrefix = QByteArrayLiteral(crypto_pwhash_argon2id_STRPREFIX);

// The typed text as bytes, wiped when it goes.
class SecretBytes {
public:
    explicit SecretBytes(const QString& text) : bytes_(text.toUtf8()) {}
    ~SecretBytes() { sodium_memzero(bytes_.data(), size_t(bytes_.size())); }
    SecretBytes(const SecretBytes&) = delete;
    SecretBytes& operator=(const SecretBytes&) = delete;
    const char* data() const { return bytes_.constData(); }
    unsigned long long size() const { return static_cast<unsigned long long>(bytes_.size()); }

private:
    QByteArray bytes_;
};

bool ready() {
    // Safe to call again and from any thread; fails only without a random source.
    return sodium_init() >= 0;
}

} // namespace

QByteArray hash(const QString& password) {
    if (!ready())
        return {};
    const SecretBytes secret(password);
    char encoded[crypto_pwhash_STRBYTES] = {};
    if (crypto_pwhash_str_alg(encoded, secret.data(), secret.size(), OpsLimit, MemLimit,
                              crypto_pwhash_ALG_ARGON2ID13) != 0)
        return {};
    return QByteArray(encoded);
}

bool isWellFormed(const QByteArray& encoded) {
    if (!ready() || !encoded.startsWith(Argon2idPrefix) ||
        encoded.size() >= qsizetype(crypto_pwhash_STRBYTES) || encoded.contains('\0'))
        return false;
    return crypto_pwhash_str_needs_rehash(encoded.constData(), OpsLimit, MemLimit) == 0;
}

bool verify(const QByteArray& encoded, const QString& password) {
    if (!isWellFormed(encoded))
        return false;
    const SecretBytes secret(password);
    return crypto_pwhash_str_verify(encoded.constData(), secret.data(), secret.size()) == 0;
}

} // namespace passwordhash

namespace {
// One short line; anything much longer is not this file.
constexpr int MaxLines = 16;
constexpr qsizetype PasswordFileMaxLineBytes = 1024;
} // namespace

PasswordFile::Entry PasswordFile::parse(const QStringList& lines) {
    Entry entry;
    const QString key = QString::fromLatin1(Key);
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const bool isEntry = equals > 0 && line.left(equals).trimmed() == key;
        if (!isEntry || entry.state != State::None)
            return Entry{State::Damaged, {}};
        const QByteArray hash = line.mid(equals + 1).trimmed().toLatin1();
        if (!passwordhash::isWellFormed(hash))
            return Entry{State::Damaged, {}};
        entry = Entry{State::Set, hash};
    }
    return entry;
}

PasswordFile::Entry PasswordFile::read() const {
    const QFileInfo info(path());
    // A link that leads nowhere is still something in the password's place.
    if (!info.exists() && !info.isSymLink())
        return Entry{};
    textfile::ReadLimits limits;
    limits.maxLines = MaxLines;
    limits.maxLineBytes = PasswordFileMaxLineBytes;
    const textfile::ReadResult result = textfile::readLines(path(), limits);
    if (!result.ok || result.truncated || result.overlongLines > 0)
        return Entry{State::Damaged, {}};
    return parse(result.lines);
}

bool PasswordFile::write(const QByteArray& hash, QString* error) const {
    textfile::clearReadOnly(path());
    const QString line = QString::fromLatin1(Key) + QLatin1Char('=') + QString::fromLatin1(hash);
    return textfile::writeLinesAtomic(path(), {line}, error);
}

bool PasswordFile::remove() const {
    QFile file(path());
    if (!file.exists() && !QFileInfo(path()).isSymLink())
        return true;
    return file.remove();
}

} // namespace tivoral
