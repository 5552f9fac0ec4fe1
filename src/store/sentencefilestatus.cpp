#include "store/sentencefilestatus.h"

#include "platform/textcase.h"

namespace tivoral {

void SentenceFileStatus::setEditorCount(const QString& text) {
    editorCount = text;
    Q_EMIT changed();
}

void SentenceFileStatus::setLoaded(const QString& countText, const QString& path,
                                   const QString& name) {
    editorCount = countText + QStringLiteral(" Sätze gefunden.");
    editorFile = path;
    mainFileName = toUpperOneToOne(name);
    loadedName = name;
    mainCount = countText;
    Q_EMIT changed();
}

} // namespace tivoral
