#pragma once

#include <QDir>
#include <QObject>
#include <QStringList>

namespace tivoral {

// A file list box over the working folder: the "*.TXT" files, matched without regard to case,
// in case-insensitive name order, with one selected entry (−1 for none).
class SentenceFileList final : public QObject {
    Q_OBJECT
public:
    explicit SentenceFileList(const QDir& folder, QObject* parent = nullptr);

    // Reads the folder again; the selected file stays selected, or when it is gone, the file
    // that took its place in the list.
    void refresh();
    const QStringList& names() const { return names_; }
    int count() const { return int(names_.size()); }
    int selected() const { return selected_; }
    void setSelected(int index);
    QString selectedName() const;
    // Index of a name compared without regard to case, −1 when absent.
    int indexOf(const QString& name) const;

Q_SIGNALS:
    void changed();

private:
    QDir folder_;
    QStringList names_;
    int selected_ = -1;
};

} // namespace tivoral
