#pragma once

#include <QStyledItemDelegate>

namespace tivoral {

// Draws the sentence list's lines with a red mark at the right end of every line that holds an
// unknown word; its text is not drawn under the mark.
class SpellMarkDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace tivoral
