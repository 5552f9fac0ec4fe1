#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tivoral {

// Exit status of a command line the program cannot follow (wrong option, too many folders).
inline constexpr int UsageErrorStatus = 2;

// What the command line asks of this run.
struct StartRequest {
    // Set when the run ends at once: help, version or a usage error has been printed.
    std::optional<int> endStatus;
    // The working folder to make and use; empty keeps the current folder.
    QString folder;
    // The folder is the one in the home folder that the desktop menu starts in; nobody sees
    // standard error there.
    bool homeFolder = false;
};

// The arguments as the program received them, the program's name first.
QStringList commandLineArguments(int argc, char* argv[]);

// Reads the arguments without any window system, so that help, version and errors work on a
// console. Help and version go to standard output, errors to standard error, all in German.
StartRequest readCommandLine(const QStringList& arguments);

} // namespace tivoral
