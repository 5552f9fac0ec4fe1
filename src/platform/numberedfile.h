#pragma once

#include <QDir>
#include <QString>

#include <functional>

class QFile;
class QIODevice;

namespace tivoral::numberedfile {

// STEM.EXT for number 1, STEM-2.EXT, STEM-3.EXT … after it.
QString name(const QString& stem, const QString& extension, int number);

// The name of the temporary file a new file is written to; the start removes stale ones.
inline constexpr const char* TemporaryPattern = ".tivoral-XXXXXX.tmp";

// Fills the device; false, with the reason in German in error when it knows one, on failure.
using Writer = std::function<bool(QIODevice& device, QString* error)>;

struct NewFile {
    enum class Result { Written, NotCreated, NotWritten };
    Result result = Result::NotCreated;
    QString path;  // the file written, or the name it was to get
    QString error; // why it was not written, in German

    bool written() const { return result == Result::Written; }
    // What the user is told, ending in CR: "<subject> ist als PDF-Datei gespeichert: …", that
    // it could not be saved and why, or that no new file could be made in the folder.
    QString report(const QString& subject, const QString& extension) const;
};

// Writes a new numbered file whole or not at all: into a temporary file of the folder first,
// which takes the first free name up to maxNumber only once it is complete. Nothing is replaced,
// and a failure (a full disk, a size limit) leaves nothing behind.
NewFile writeNew(const QDir& folder, const QString& stem, const QString& extension, int maxNumber,
                 const Writer& write);

} // namespace tivoral::numberedfile
