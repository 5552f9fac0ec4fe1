#include "editor/sentencelistmodel.h"

#include "editor/listspellcheck.h"
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
        return store_.entry(index.row()).left(MaxShownCharacters);
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return QString(store_.entry(index.row()).left(MaxShownCharacters) +
                       spellingNote(index.row()));
    case UnknownWordsRole:
        return spelling_ ? spelling_->unknownWordsIn(index.row()) : QStringList();
    default:
        return {};
    }
}

void SentenceListModel::showSpelling(const ListSpellCheck& check) {
    spelling_ = &check;
    connect(&check, &ListSpellCheck::marksChanged, this, [this] {
        if (rowCount() > 0)
            Q_EMIT dataChanged(index(0), index(rowCount() - 1));
    });
}

QString SentenceListModel::spellingNote(int row) const {
    const QStringList unknown = spelling_ ? spelling_->unknownWordsIn(row) : QStringList();
    if (unknown.isEmpty())
        return {};
    const QString words = unknown.join(QStringLiteral(", "));
    return unknown.size() == 1 ? QStringLiteral(" – unbekanntes Wort: ") + words
                               : QStringLiteral(" – unbekannte Wörter: ") + words;
}

} // namespace tivoral
