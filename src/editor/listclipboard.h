#pragma once

namespace tivoral {

class AppState;
class Clipboard;

// Copies the sentence list to the clipboard and appends the new lines of the clipboard's text.
class ListClipboard {
public:
    ListClipboard(AppState& app, Clipboard& clipboard);

    void copy();
    // The count display is left as it was. Returns the number of lines appended.
    int paste();

private:
    AppState& app_;
    Clipboard& clipboard_;
};

} // namespace tivoral
