#pragma once

namespace tivoral {

class Dialogs;
struct StartRequest;

// Exit status when the named working folder cannot be made or entered.
inline constexpr int FolderFailureStatus = 1;

// Makes the folder the command line named the current folder, creating it when missing. Says in
// German why it cannot, and warns when the folder can be read but not written; on standard error,
// and for the home folder also in a box, since the desktop menu shows no standard error.
bool enterWorkingFolder(const StartRequest& request, Dialogs& dialogs);

} // namespace tivoral
