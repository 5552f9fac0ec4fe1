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
    lastLoaded_ = current();
    Q_EMIT changed();
}

void SentenceFileStatus::setLoaded(int count, const QString& path, const QString& name) {
    setShown(count, path, name);
    lastLoaded_ = current();
    Q_EMIT changed();
}

void SentenceFileStatus::setUnsavedList(int count, const QString& label, const QString& name) {
    setShown(count, label, name);
    Q_EMIT changed();
}

void SentenceFileStatus::restoreLoaded() {
    editorCount_ = lastLoaded_.editorCount;
    loadError_ = lastLoaded_.loadError;
    editorPath_ = lastLoaded_.editorPath;
    loadedName_ = lastLoaded_.loadedName;
    loadedCount_ = lastLoaded_.loadedCount;
    Q_EMIT changed();
}

void SentenceFileStatus::setShown(int count, const QString& path, const QString& name) {
    editorCount_ = count;
    loadError_ = LoadError::None;
    editorPath_ = path;
    loadedName_ = name;
    loadedCount_ = count;
}

SentenceFileStatus::Loaded SentenceFileStatus::current() const {
    return {editorCount_, loadError_, editorPath_, loadedName_, loadedCount_};
}

} // namespace tivoral
