#pragma once

#include <QDir>
#include <QList>
#include <QString>

namespace tivoral {

// "Ordner prüfen": tries, with files of its own, what several computers sharing the working
// folder rely on, and says in German which tries pass. The files are removed afterwards.
class ShareCheck {
public:
    // The quick part leaves out appending, which wedges some network clients for minutes.
    enum class Depth { Quick, Full };

    struct Probe {
        QString name;
        bool passed = false;
        QString reason; // why it failed, in German
    };

    struct Report {
        QString folder;
        QList<Probe> probes;
        bool safe() const;
        // Every try on a line of its own, then the verdict; CR between lines.
        QString text() const;
    };

    explicit ShareCheck(const QDir& folder) : folder_(folder) {}
    Report run(Depth depth) const;

    // On a network file system (or a FUSE mount, which may be one): by the file system's type.
    static bool isNetworkFolder(const QString& path);

private:
    QString probePath(const char* probe) const;
    void removeProbeFiles() const;
    Probe exclusiveCreate() const;
    Probe append() const;
    Probe deleteOpenLock() const;
    Probe renameOverRead() const;
    Probe secondView() const;

    QDir folder_;
};

} // namespace tivoral
