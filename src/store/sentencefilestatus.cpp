#include "store/sentencefilestatus.h"

namespace tivoral {

void SentenceFileStatus::setEditorCount(int count) {
    editorCount_ = count;
    loadError_ = LoadError::None;
    Q_EMIT changed();
}

void SentenceFileStatus::setLoadError(LoadError error) {
    editorCount_.reset();
    loadError_ = error;
    Q_EMIT changed();
}

void SentenceFileStatus::setLoaded(int count, const QString& path, const QString& name) {
    editorCount_ = count;
    loadError_ = LoadError::None;
    editorPath_ = path;
    loadedName_ = name;
    loadedCount_ = count;
    Q_EMIT changed();
}

} // namespace tivoral
