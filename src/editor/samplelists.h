#pragma once

#include <QString>
#include <QStringList>

namespace tivoral {

class AppState;

// The sentence lists that come with the program, built in as resources so that they are there
// wherever the program runs. They are never copied into the working folder: the teacher loads
// one into the editor and saves it there like any list.
class SampleLists {
public:
    static constexpr const char* ResourceFolder = ":/beispiellisten";

    // The file names in the order the editor offers them: by grade, then by spelling topic.
    static QStringList names();
    // What a list practises, in words a teacher recognises.
    static QString description(const QString& name);
    // The file's bytes as shipped (Windows-1252, CR LF); empty for an unknown name.
    static QByteArray bytes(const QString& name);
    static QStringList sentences(const QString& name);

    // Makes the list the editor's new, not yet saved sentence list under its name. False for an
    // unknown name; the store is then left alone.
    static bool load(AppState& app, const QString& name);
    // The editor's file label for such a list: it has no path until the teacher saves it.
    static QString editorLabel(const QString& name);
};

} // namespace tivoral
