#pragma once

#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QList>
#include <QPair>

namespace tivoral::testing {

using Files = QList<QPair<QString, QByteArray>>;

// The shared state over a temporary working folder that holds the given files (laid down before
// the state reads them), with scripted dialogs and a random source that returns `draws` in turn.
// A test that lays out its own folder hands that in instead.
struct Fixture {
    explicit Fixture(const Files& files = {}, QList<double> draws = {0.0})
        : workDir(lay(folder, files)), random(std::move(draws)) {}
    explicit Fixture(const WorkFolder& ownFolder) : workDir(ownFolder.dir()) {}
    Fixture(const Fixture&) = delete;
    Fixture& operator=(const Fixture&) = delete;

    static QDir lay(const WorkFolder& folder, const Files& files) {
        for (const auto& [name, bytes] : files)
            folder.write(name, bytes);
        return folder.dir();
    }

    WorkFolder folder;
    QDir workDir;
    ScriptedDialogs dialogs;
    SequenceRandom random;
    AppState app{workDir, dialogs, random};
};

} // namespace tivoral::testing
