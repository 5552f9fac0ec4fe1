#pragma once

#include <QDir>
#include <QObject>
#include <QStringList>

#include <optional>

namespace tivoral {

// A file list box over the working folder: the "*.TXT" files, matched without regard to case,
// in case-insensitive name order, with one selected entry (−1 for none).
class SentenceFileList final : public QObject {
    Q_OBJECT
public:
    // listed: the folder's names as listNames() gave them a moment ago, to spare a second look.
    explicit SentenceFileList(const QDir& folder,
                              const std::optional<QStringList>& listed = std::nullopt,
                              QObject* parent = nullptr);
    // The folder's sentence lists in the order of the list box.
    static QStringList listNames(const QDir& folder);

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
    void show(QStringList names);

    QDir folder_;
    QStringList names_;
    int selected_ = -1;
};

} // namespace tivoral
