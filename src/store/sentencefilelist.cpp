#include "store/sentencefilelist.h"

#include "store/ownfiles.h"

#include <QFile>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>

namespace tivoral {

namespace {
// Keeps a folder with tens of thousands of files from freezing the list box.
constexpr int MaxListedFiles = 32767;

constexpr std::string_view ListSuffix = ".txt";

bool hasListSuffix(std::string_view name) {
    if (name.size() < ListSuffix.size())
        return false;
    const std::string_view suffix = name.substr(name.size() - ListSuffix.size());
    return std::equal(suffix.begin(), suffix.end(), ListSuffix.begin(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b;
    });
}

// What a list box of files shows: a file, or a link to anything but a folder (the loader turns
// away what cannot be read as a list); what the folder entry does not tell is asked of the file
// system.
bool countsAsFile(int folder, const dirent& entry) {
    unsigned char type = entry.d_type;
    struct stat status {};
    if (type == DT_UNKNOWN) {
        if (fstatat(folder, entry.d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
            return false;
        type = S_ISLNK(status.st_mode) ? DT_LNK : S_ISREG(status.st_mode) ? DT_REG : DT_UNKNOWN;
    }
    if (type == DT_REG)
        return true;
    return type == DT_LNK && fstatat(folder, entry.d_name, &status, 0) == 0 &&
           !S_ISDIR(status.st_mode);
}

// The visible "*.txt" files of a folder, matched without regard to case, in the folder's own
// order. Read entry by entry: QDir looks at each entry through a file information object and a
// wildcard expression, which the start of a class folder of thousands of lists waited for.
QStringList visibleListFiles(const QString& folder) {
    QStringList names;
    DIR* dir = opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.front() != '.' && hasListSuffix(name) && countsAsFile(dirfd(dir), *entry))
            names.append(QFile::decodeName(entry->d_name));
    }
    closedir(dir);
    return names;
}

// Qt's order without regard to case. ASCII, of which most file names are made, is folded here
// without the look-up in Qt's tables that each character there costs; anything else goes to Qt.
int compareWithoutCase(const QString& a, const QString& b) {
    const auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c; };
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t x = a.at(i).unicode();
        const char16_t y = b.at(i).unicode();
        if (x >= 0x80 || y >= 0x80)
            return a.compare(b, Qt::CaseInsensitive);
        if (fold(x) != fold(y))
            return fold(x) - fold(y);
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

} // namespace

SentenceFileList::SentenceFileList(const QDir& folder, const std::optional<QStringList>& listed,
                                   QObject* parent)
    : QObject(parent), folder_(folder) {
    show(listed ? *listed : listNames(folder));
}

QStringList SentenceFileList::listNames(const QDir& folder) {
    QStringList names = visibleListFiles(folder.path());
    // The class word list is a .TXT file too, but no sentence list.
    names.removeIf([](const QString& name) { return ownfiles::isOwnFile(name); });
    // Plain case-insensitive order: fast enough for tens of thousands of names, and the
    // same files are kept whatever order the folder reports them in.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = compareWithoutCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    if (names.size() > MaxListedFiles)
        names.resize(MaxListedFiles);
    return names;
}

void SentenceFileList::refresh() {
    show(listNames(folder_));
}

void SentenceFileList::show(QStringList names) {
    const QString previous = selectedName();
    const int previousIndex = selected_;
    names_ = std::move(names);
    selected_ = previous.isEmpty() ? -1 : int(names_.indexOf(previous));
    // A selected file that vanished hands its place to the file now there, so a list that
    // still shows files never acts as if it had none.
    if (!previous.isEmpty() && selected_ < 0 && count() > 0)
        selected_ = std::min(previousIndex, count() - 1);
    Q_EMIT changed();
}

void SentenceFileList::setSelected(int index) {
    selected_ = (index >= 0 && index < count()) ? index : -1;
    Q_EMIT changed();
}

QString SentenceFileList::selectedName() const {
    return selected_ >= 0 && selected_ < count() ? names_.at(selected_) : QString();
}

int SentenceFileList::indexOf(const QString& name) const {
    for (int i = 0; i < count(); ++i)
        if (names_.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace tivoral
