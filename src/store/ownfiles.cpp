#include "store/ownfiles.h"

#include "platform/folderlock.h"
#include "platform/saveledger.h"
#include "store/classwordlist.h"
#include "store/practiceentry.h"
#include "store/readingoptions.h"
#include "store/settings.h"
#include "store/teacherpassword.h"
#include "store/users.h"

#include "platform/numberedfile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>

namespace tivoral::ownfiles {

const QStringList& names() {
    static const QStringList all{QString::fromLatin1(Users::FileName),
                                 QString::fromLatin1(SettingsFile::FileName),
                                 QString::fromLatin1(HighScoreFileName),
                                 QString::fromLatin1(FolderLock::FileName),
                                 QString::fromLatin1(PasswordFile::FileName),
                                 QString::fromLatin1(ReadingOptionsFile::FileName),
                                 QString::fromLatin1(practicerecord::FileName),
                                 QString::fromLatin1(SaveLedger::FileName),
                                 QString::fromLatin1(RecoveryFileName),
                                 QString::fromLatin1(ClassWordList::FileName)};
    return all;
}

bool isOwnFile(const QString& fileName) {
    return names().contains(QFileInfo(fileName).fileName(), Qt::CaseInsensitive);
}

void removeStaleTemporaries(const QDir& folder) {
    // Another computer of the class may be writing one right now; its file is younger.
    constexpr qint64 StaleAfterSeconds = 60;
    const QString randomPart = QStringLiteral("??????");
    QStringList patterns{QString::fromLatin1(numberedfile::TemporaryPattern)
                             .replace(QStringLiteral("XXXXXX"), randomPart)};
    for (const QString& name : names()) {
        // The lock file's helpers are the folder lock's own business.
        if (name != QLatin1String(FolderLock::FileName))
            patterns.append(name + QLatin1Char('.') + randomPart);
    }
    static const QRegularExpression madeByQt(QStringLiteral("[.-][A-Za-z0-9]{6}(\\.tmp)?$"));
    // One expression for all patterns, and only its matches are looked at: a folder of
    // thousands of lists is gone through once, not once a pattern.
    QStringList alternatives;
    for (const QString& pattern : patterns)
        alternatives.append(QRegularExpression::wildcardToRegularExpression(pattern));
    const QRegularExpression temporary(alternatives.join(QLatin1Char('|')),
                                       QRegularExpression::CaseInsensitiveOption);
    const QDateTime staleBefore = QDateTime::currentDateTimeUtc().addSecs(-StaleAfterSeconds);
    for (const QString& name :
         folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted)) {
        if (!madeByQt.match(name).hasMatch() || !temporary.match(name).hasMatch())
            continue;
        const QFileInfo entry(folder.filePath(name));
        if (!entry.isSymLink() && entry.lastModified() < staleBefore)
            QFile::remove(entry.filePath());
    }
}

} // namespace tivoral::ownfiles
