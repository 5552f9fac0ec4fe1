#pragma once

#include <future>

namespace tivoral {

// What the first window would otherwise wait for, begun on threads of their own before the
// window system is set up: reading the font configuration, and connecting to the session bus,
// where Qt looks for a screen reader as soon as the first control gets its accessible name.
// Waits for its threads when it goes.
class StartAhead {
public:
    StartAhead();

    void waitForFontConfiguration() const { fontConfiguration_.wait(); }

private:
    std::future<void> fontConfiguration_;
    std::future<void> sessionBus_;
};

// Qt's list of the installed fonts, read on a thread of its own once the application object
// exists. Made once the font configuration is read, which it waits for, and after the
// application object, so that its thread ends before the application does.
class FontListAhead {
public:
    explicit FontListAhead(const StartAhead& started);

private:
    std::future<void> reader_;
};

} // namespace tivoral
