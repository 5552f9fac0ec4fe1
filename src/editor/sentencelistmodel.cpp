#include "editor/sentencelistmodel.h"

#include "store/sentencestore.h"

namespace tivoral {

SentenceListModel::SentenceListModel(SentenceStore& store, QObject* parent)
    : QAbstractListModel(parent), store_(store) {
    // The store reports only that something changed, after the change.
    connect(&store_, &SentenceStore::changed, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int SentenceListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : store_.count();
}

QVariant SentenceListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !store_.isValidIndex(index.row()))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return store_.entry(index.row()).left(MaxShownCharacters);
    default:
        return {};
    }
}

} // namespace tivoral
