#pragma once

namespace tivoral {

class AppState;
class ListSaver;

// Before the editor's list is replaced by another file or the editor is left, edits made since
// the list was loaded or saved are not dropped without asking.
class UnsavedEditsQuestion {
public:
    UnsavedEditsQuestion(AppState& app, ListSaver& saver);

    // True when the caller may go on: nothing was edited, the list has just been saved, or the
    // teacher chose not to save it. False keeps the teacher where they are, edits and all.
    bool mayGoOn();

private:
    AppState& app_;
    ListSaver& saver_;
};

} // namespace tivoral
