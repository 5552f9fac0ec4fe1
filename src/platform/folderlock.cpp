#include "platform/folderlock.h"

#include "platform/saveledger.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>

namespace tivoral {

namespace {
// Short tries, so that the window repaints between them while another copy holds the lock.
constexpr std::chrono::milliseconds TryStep{50};
// A real lock file holds a process id, a program and a computer name.
constexpr qint64 MaxLockFileBytes = 4096;
// How long a network client may serve a file from its cache at most (NFS: 60 s by default);
// a ledger entry older than this cannot be newer than what the client shows.
constexpr qint64 CacheLifetimeMs = 60'000;
// How long a copy keeps asking the server again before it refuses the change.
constexpr std::chrono::milliseconds RecheckFor{1000};
constexpr std::chrono::milliseconds RecheckStep{100};

std::atomic<int> locksHeld{0};

// Every child of a class may log in under an account of its own: a lock left behind by one of
// them must be removable by the others, which Qt only does when it can open the file to write.
constexpr QFile::Permissions SharedPermissions = QFile::ReadOwner | QFile::WriteOwner |
                                                 QFile::ReadGroup | QFile::WriteGroup |
                                                 QFile::ReadOther | QFile::WriteOther;

// Tells the application while this copy waits for another one, so that the windows can show
// the program is busy, not stuck; nothing happens in a program without them.
class WaitNotice {
public:
    WaitNotice() = default;
    WaitNotice(const WaitNotice&) = delete;
    WaitNotice& operator=(const WaitNotice&) = delete;
    ~WaitNotice() {
        if (given_)
            send(FolderLock::waitEndsEvent());
    }
    void give() {
        if (given_ || !QCoreApplication::instance())
            return;
        send(FolderLock::waitBeginsEvent());
        given_ = true;
    }

private:
    static void send(QEvent::Type type) {
        QEvent event(type);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &event);
    }

    bool given_ = false;
};

// Nothing, or a small regular file: anything else there would hang the lock (a FIFO), fill the
// memory (a link to /dev/zero) or could never be removed (a folder, a dangling link).
bool mayBeLockFile(const QString& path) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return errno == ENOENT;
    return S_ISREG(status.st_mode) && status.st_size <= MaxLockFileBytes;
}

// Network clients (sshfs by default) answer from a cache that can be many seconds old, and
// only forget a file's cached state when this client changes the file itself: setting its
// access time is the smallest such change, and needs only write permission.
void askServerAgain(const QString& path) {
    const struct timespec times[2] = {{0, UTIME_NOW}, {0, UTIME_OMIT}};
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW);
}

QLockFile::LockError realAttempt(QLockFile& file) {
    file.tryLock(TryStep);
    return file.error();
}

} // namespace

FolderLock::FolderLock(const QDir& folder, std::chrono::milliseconds wait, const Attempt& attempt)
    : folder_(folder), file_(folder.filePath(QString::fromLatin1(FileName))) {
    file_.setStaleLockTime(StaleAfter);
    acquire(wait, attempt ? attempt : Attempt(realAttempt));
    if (state_ == State::Held)
        ++locksHeld;
}

FolderLock::~FolderLock() {
    if (state_ == State::Held || state_ == State::OutOfDate) {
        noteChangedFiles();
        file_.unlock();
        --locksHeld;
    }
}

void FolderLock::acquire(std::chrono::milliseconds wait, const Attempt& attempt) {
    const QDeadlineTimer deadline(wait);
    const bool folderWritable = QFileInfo(folder_.absolutePath()).isWritable();
    WaitNotice notice;
    bool waited = false;
    for (;;) {
        if (!mayBeLockFile(file_.fileName())) {
            state_ = State::NotALockFile;
            return;
        }
        const QLockFile::LockError error = attempt(file_);
        if (error == QLockFile::NoError) {
            state_ = State::Held;
            QFile::setPermissions(file_.fileName(), SharedPermissions);
            if (waited)
                removeLeftoverRemovalLocks();
            return;
        }
        // Only a folder that cannot take a new file goes on without the lock; any other failure
        // (sshfs answers a lost race with "permission denied") is another copy's lock.
        if (!folderWritable) {
            state_ = State::Unavailable;
            return;
        }
        if (deadline.hasExpired())
            break;
        waited = true;
        notice.give();
        if (error != QLockFile::LockFailedError)
            QThread::msleep(TryStep.count());
        // Paint only: a click handled now would start a second change inside this one.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    // Qt takes over a lock older than StaleAfter by itself; one still there could not be
    // deleted, as a share does with a file that another computer holds open.
    const QFileInfo lockInfo(file_.fileName());
    const qint64 ageMs = lockInfo.lastModified().msecsTo(QDateTime::currentDateTime());
    state_ =
        lockInfo.exists() && ageMs > (StaleAfter + wait).count() ? State::StaleKept : State::Busy;
    if (state_ == State::StaleKept)
        removeLeftoverRemovalLocks();
}

// Qt guards the removal of a stale lock with a lock of its own, TIVORAL.LCK.rmlock; where the
// removal fails, a chain of them is left behind.
void FolderLock::removeLeftoverRemovalLocks() const {
    const QString prefix = QString::fromLatin1(FileName) + QStringLiteral(".rmlock");
    const QStringList leftovers =
        folder_.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System);
    const QDateTime staleBefore = QDateTime::currentDateTime().addMSecs(-StaleAfter.count());
    for (const QString& name : leftovers) {
        const QFileInfo leftover(folder_.filePath(name));
        if (name.startsWith(prefix) && !leftover.isSymLink() &&
            leftover.lastModified() < staleBefore)
            QFile::remove(leftover.filePath());
    }
}

bool FolderLock::readsCurrent(const QString& path) {
    if (state_ != State::Held)
        return mayWrite();
    const SaveLedger ledger(folder_);
    askServerAgain(ledger.path());
    const SaveLedger::Entries saved = ledger.read();
    const auto entry = saved.constFind(QFileInfo(path).fileName());
    const QDeadlineTimer deadline(RecheckFor);
    for (;;) {
        askServerAgain(path);
        const QByteArray fingerprint = SaveLedger::fingerprint(path);
        const bool knownCurrent =
            entry == saved.cend() || entry->fingerprint == fingerprint ||
            SaveLedger::modifiedAtMs(path) > entry->modifiedAtMs ||
            qAbs(QDateTime::currentMSecsSinceEpoch() - entry->savedAtMs) > CacheLifetimeMs;
        if (knownCurrent) {
            readFingerprints_.insert(path, fingerprint);
            return true;
        }
        if (deadline.hasExpired()) {
            state_ = State::OutOfDate;
            return false;
        }
        QThread::msleep(RecheckStep.count());
    }
}

void FolderLock::noteChangedFiles() {
    if (state_ != State::Held || readFingerprints_.isEmpty())
        return;
    const SaveLedger ledger(folder_);
    SaveLedger::Entries entries;
    bool changed = false;
    for (auto it = readFingerprints_.cbegin(); it != readFingerprints_.cend(); ++it) {
        const QByteArray now = SaveLedger::fingerprint(it.key());
        if (now == it.value())
            continue;
        if (!changed)
            entries = ledger.read();
        changed = true;
        entries.insert(QFileInfo(it.key()).fileName(), {now, QDateTime::currentMSecsSinceEpoch(),
                                                        SaveLedger::modifiedAtMs(it.key())});
    }
    if (changed && ledger.write(entries))
        QFile::setPermissions(ledger.path(), SharedPermissions);
}

bool FolderLock::heldInThisProcess() {
    return locksHeld > 0;
}

QEvent::Type FolderLock::waitBeginsEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

QEvent::Type FolderLock::waitEndsEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

QString FolderLock::busyMessage() {
    return QStringLiteral("Die Datei wird gerade auf einem anderen Computer benutzt.\r"
                          "Die Änderung wurde nicht gespeichert. Bitte gleich noch einmal "
                          "versuchen.\r");
}

QString FolderLock::refusal() const {
    const QString lockPath = QDir::toNativeSeparators(file_.fileName());
    switch (state_) {
    case State::NotALockFile:
        return QStringLiteral("Die Sperrdatei %1 ist keine gewöhnliche Datei (ein Ordner, eine "
                              "Verknüpfung oder ein Gerät). Solange sie dort steht, kann nichts "
                              "gespeichert werden.\rBitte TIVORAL.LCK im Arbeitsordner löschen. "
                              "Die Änderung wurde nicht gespeichert.\r")
            .arg(lockPath);
    case State::StaleKept:
        return QStringLiteral("Die Sperrdatei %1 stammt von einem Tivoral, das nicht mehr läuft, "
                              "lässt sich aber nicht löschen: Ein anderer Computer hält sie noch "
                              "offen.\rBitte Tivoral auf allen Computern beenden und dann "
                              "TIVORAL.LCK im Arbeitsordner löschen. Die Änderung wurde nicht "
                              "gespeichert.\r")
            .arg(lockPath);
    case State::OutOfDate:
        return QStringLiteral("Dieser Computer sieht noch nicht, was ein anderer Computer zuletzt "
                              "im Arbeitsordner gespeichert hat.\rDie Änderung wurde nicht "
                              "gespeichert. Bitte in einer Minute noch einmal versuchen. Kommt "
                              "das öfter vor, ist der Ordner nicht für mehrere Computer zugleich "
                              "geeignet (Einstellungen: „Ordner prüfen“).\r");
    case State::Held:
    case State::Unavailable:
    case State::Busy:
        break;
    }
    return busyMessage();
}

} // namespace tivoral
