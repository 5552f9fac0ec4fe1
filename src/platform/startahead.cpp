#include "platform/startahead.h"

#include <QDBusConnection>
#include <QFontDatabase>

#include <fontconfig/fontconfig.h>

namespace tivoral {

// Qt takes fontconfig's current configuration, which FcInit loads once for the process, and
// keeps one session bus connection for the whole process.
StartAhead::StartAhead()
    : fontConfiguration_(std::async(std::launch::async, [] { FcInit(); })),
      sessionBus_(std::async(std::launch::async, [] { QDBusConnection::sessionBus(); })) {}

FontListAhead::FontListAhead(const StartAhead& started) {
    // Whoever asks for a font while the configuration is still being read reads it a second
    // time, on its own thread: so this thread, and the window made after it, wait for it.
    started.waitForFontConfiguration();
    reader_ = std::async(std::launch::async, [] { QFontDatabase::families(); });
}

} // namespace tivoral
