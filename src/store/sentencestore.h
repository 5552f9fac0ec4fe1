#pragma once

#include <QObject>
#include <QStringList>

namespace tivoral {

// The loaded sentences in file order and the selected entry, shared by the exercises, the
// reading view, the editor and the game.
class SentenceStore final : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxEntries = 32767;
    static constexpr int NoSelection = -1;

    int count() const { return int(entries_.size()); }
    bool isEmpty() const { return entries_.isEmpty(); }
    const QString& entry(int index) const { return entries_.at(index); }
    const QStringList& entries() const { return entries_; }
    bool isValidIndex(int index) const { return index >= 0 && index < count(); }

    int selected() const { return selected_; }
    void setSelected(int index);

    void clear();
    // False when the store is full.
    bool append(const QString& text);
    void replace(int index, const QString& text);
    void remove(int index);
    // Replaces all entries at once (cut to MaxEntries); the selection is cleared.
    void setEntries(QStringList entries);

    // Whether the entries differ from those last marked: as loaded, as saved, or as the teacher
    // chose to keep them unsaved. Selection changes are not edits.
    bool hasUnsavedEdits() const { return entries_ != marked_; }
    void markAsSaved() { marked_ = entries_; }
    // Back to the entries last marked; the selection is cleared.
    void discardUnsavedEdits() { setEntries(marked_); }

    // A count as the program writes it: the decimal number after one leading blank.
    static QString countText(int count);

Q_SIGNALS:
    void changed();
    void selectedChanged(int index);

private:
    QStringList entries_;
    QStringList marked_;
    int selected_ = NoSelection;
};

} // namespace tivoral
