#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

#include <optional>

namespace tivoral {

// The teacher's changes to the class list: a child renamed or removed in every file of the
// folder at once (TIVORAL.INF, the child's section of TIVORAL.OPT, BESTDOSE.LST and
// PROTOKOLL.CSV), inside the folder lock. It only decides and writes; whoever called it talks
// to the teacher once the lock is released.
class ClassRoster {
public:
    // The folder-wide switch in the default section of TIVORAL.OPT.
    static constexpr const char* NewNamesKey = "KinderNeueNamen";

    enum class Outcome {
        Done,
        Refused, // the name is taken or gone meanwhile; nothing was written
        Busy,    // another copy held the folder lock throughout; nothing was written
        Failed,  // a file could not be read whole or written; every file is as it was
    };
    struct Result {
        Outcome outcome = Outcome::Done;
        QString reason; // in German, unless done
    };

    explicit ClassRoster(const QDir& folder) : folder_(folder) {}

    // Why a child may not get this name, in German; empty when it may. `names` are those the
    // class list holds now.
    static QString refusalOf(const QString& name, const QStringList& names);

    Result rename(const QString& user, const QString& newName) const;
    // withResults: the child's lines of the practice record and Wortfange results go too.
    Result remove(const QString& user, bool withResults) const;

    // Whether the children may add their own names in "Benutzerauswahl" (on unless the teacher
    // switched it off), and the teacher's switch, which says why in German when it fails.
    bool childrenMayAddNames() const;
    bool setChildrenMayAddNames(bool allowed, QString* error) const;

private:
    Result change(const QString& user, const std::optional<QString>& newName,
                  bool withResults) const;

    QDir folder_;
};

} // namespace tivoral
