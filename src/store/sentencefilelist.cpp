#include "store/sentencefilelist.h"

#include <QCollator>

#include <algorithm>

namespace tivoral {

namespace {
// Keeps a folder with tens of thousands of files from freezing the list box.
constexpr int MaxListedFiles = 32767;
} // namespace

SentenceFileList::SentenceFileList(const QDir& folder, QObject* parent)
    : QObject(parent), folder_(folder) {
    refresh();
}

void SentenceFileList::refresh() {
    const QString previous = selectedName();
    QDir dir(folder_.path());
    dir.setNameFilters({QStringLiteral("*.txt")});
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::NoSort);
    QStringList names;
    // QDir matches name filters without regard to case unless told otherwise.
    for (const QString& name : dir.entryList()) {
        names.append(name);
        if (names.size() >= MaxListedFiles)
            break;
    }
    QCollator collator(QLocale(QLocale::German, QLocale::Germany));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), collator);
    names_ = names;
    selected_ = previous.isEmpty() ? -1 : int(names_.indexOf(previous));
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
