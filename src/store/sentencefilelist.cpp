#include "store/sentencefilelist.h"

#include "store/ownfiles.h"

#include <algorithm>

namespace tivoral {

namespace {
// Keeps a folder with tens of thousands of files from freezing the list box.
constexpr int MaxListedFiles = 32767;
} // namespace

SentenceFileList::SentenceFileList(const QDir& folder, const std::optional<QStringList>& listed,
                                   QObject* parent)
    : QObject(parent), folder_(folder) {
    show(listed ? *listed : listNames(folder));
}

QStringList SentenceFileList::listNames(const QDir& folder) {
    QDir dir(folder.path());
    dir.setNameFilters({QStringLiteral("*.txt")});
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::NoSort);
    // QDir matches name filters without regard to case unless told otherwise.
    QStringList names = dir.entryList();
    // The class word list is a .TXT file too, but no sentence list.
    names.removeIf([](const QString& name) { return ownfiles::isOwnFile(name); });
    // Plain case-insensitive order: fast enough for tens of thousands of names, and the
    // same files are kept whatever order the folder reports them in.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
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
