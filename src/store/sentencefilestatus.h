#pragma once

#include <QObject>
#include <QString>

namespace tivoral {

// What the loaders show about the loaded file: the editor's count and file labels and the main
// window's file name and count labels. The teacher lock derives its answer from mainCount.
class SentenceFileStatus final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* InitialMainCount = "0";

    QString editorCount;
    QString editorFile;
    QString mainFileName;
    QString loadedName; // the loaded file's own name, as the folder spells it
    QString mainCount = QString::fromLatin1(InitialMainCount);

    void setEditorCount(const QString& text);
    void setLoaded(const QString& countText, const QString& path, const QString& name);

Q_SIGNALS:
    void changed();
};

} // namespace tivoral
