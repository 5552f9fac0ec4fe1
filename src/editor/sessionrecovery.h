#pragma once

#include <QString>

namespace tivoral {

class AppState;
class UnsavedEditsQuestion;

// Unsaved edits of the sentence list when the desktop session ends (logout, shutdown): asked
// about where the session manager lets the program ask; otherwise kept in TIVORAL.REC, which
// the editor offers to restore at its next opening.
class SessionRecovery {
public:
    SessionRecovery(AppState& app, UnsavedEditsQuestion& unsavedEdits);

    // False when the teacher chose to stay in the editor, so the session should not end.
    bool sessionEnds(bool mayAsk);
    // Offers the edits kept at a session's end; the file goes once the teacher has answered.
    void offerKeptEdits();

    static QString offerPrompt(int count);

private:
    AppState& app_;
    UnsavedEditsQuestion& unsavedEdits_;
    QString path_;
};

} // namespace tivoral
