#include "store/ownfiles.h"

#include "platform/folderlock.h"
#include "store/classwordlist.h"
#include "store/practiceentry.h"
#include "store/readingoptions.h"
#include "store/settings.h"
#include "store/teacherpassword.h"
#include "store/users.h"

#include <QFileInfo>

namespace tivoral::ownfiles {

QStringList names() {
    return {QString::fromLatin1(Users::FileName), QString::fromLatin1(SettingsFile::FileName),
            QString::fromLatin1(HighScoreFileName), QString::fromLatin1(FolderLock::FileName),
            QString::fromLatin1(PasswordFile::FileName),
            QString::fromLatin1(ReadingOptionsFile::FileName),
            QString::fromLatin1(practicerecord::FileName),
            QString::fromLatin1(ClassWordList::FileName)};
}

bool isOwnFile(const QString& fileName) {
    return names().contains(QFileInfo(fileName).fileName(), Qt::CaseInsensitive);
}

} // namespace tivoral::ownfiles
