#pragma once

#include <QAbstractListModel>

namespace tivoral {

class ListSpellCheck;
class SentenceStore;

// Shows the shared sentence store itself in a list view: no copy of the sentences is made, so
// a store of 32 767 entries opens as fast as an empty one.
class SentenceListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    // A row shows at most this many characters; the view could not show more anyway, and a
    // sentence of tens of thousands of characters would make every repaint slow.
    static constexpr int MaxShownCharacters = 400;

    // The unknown words of a line (a QStringList), for the list's marks.
    static constexpr int UnknownWordsRole = Qt::UserRole + 1;

    explicit SentenceListModel(SentenceStore& store, QObject* parent = nullptr);

    // Lines holding unknown words say so to screen readers and in their tool tip.
    void showSpelling(const ListSpellCheck& check);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QString spellingNote(int row) const;

    SentenceStore& store_;
    const ListSpellCheck* spelling_ = nullptr;
};

} // namespace tivoral
