#include "store/sentencestore.h"

namespace tivoral {

void SentenceStore::setSelected(int index) {
    const int valid = isValidIndex(index) ? index : NoSelection;
    if (valid == selected_)
        return;
    selected_ = valid;
    Q_EMIT selectedChanged(selected_);
}

void SentenceStore::clear() {
    entries_.clear();
    setSelected(NoSelection);
    Q_EMIT changed();
}

bool SentenceStore::append(const QString& text) {
    if (count() >= MaxEntries)
        return false;
    entries_.append(text);
    Q_EMIT changed();
    return true;
}

void SentenceStore::replace(int index, const QString& text) {
    if (!isValidIndex(index))
        return;
    entries_[index] = text;
    Q_EMIT changed();
}

void SentenceStore::remove(int index) {
    if (!isValidIndex(index))
        return;
    entries_.removeAt(index);
    if (selected_ >= count())
        setSelected(NoSelection);
    Q_EMIT changed();
}

void SentenceStore::setEntries(QStringList entries) {
    if (entries.size() > MaxEntries)
        entries.resize(MaxEntries);
    entries_ = std::move(entries);
    setSelected(NoSelection);
    Q_EMIT changed();
}

QString SentenceStore::countText(int count) {
    return QLatin1Char(' ') + QString::number(count);
}

} // namespace tivoral
