#include "editor/spellmarkdelegate.h"

#include "editor/sentencelistmodel.h"
#include "editor/spellmarks.h"

#include <QPainter>

namespace tivoral {

void SpellMarkDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    if (index.data(SentenceListModel::UnknownWordsRole).toStringList().isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem narrowed = option;
    narrowed.rect.setRight(option.rect.right() - spellmarks::lineMarkWidth(option.rect));
    QStyledItemDelegate::paint(painter, narrowed, index);
    // The marked line's highlight reaches under the mark too.
    if (option.state & QStyle::State_Selected) {
        painter->fillRect(option.rect.adjusted(narrowed.rect.width(), 0, 0, 0),
                          option.palette.highlight());
    }
    spellmarks::drawLineMark(*painter, option.rect);
}

} // namespace tivoral
