#pragma once

#include <QAbstractListModel>

namespace tivoral {

class SentenceStore;

// Shows the shared sentence store itself in a list view: no copy of the sentences is made, so
// a store of 32 767 entries opens as fast as an empty one.
class SentenceListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    // A row shows at most this many characters; the view could not show more anyway, and a
    // sentence of tens of thousands of characters would make every repaint slow.
    static constexpr int MaxShownCharacters = 400;

    explicit SentenceListModel(SentenceStore& store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    SentenceStore& store_;
};

} // namespace tivoral
