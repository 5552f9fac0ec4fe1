#include "platform/startahead.h"

#include <QDBusConnection>
#include <QFontDatabase>

#include <fontconfig/fontconfig.h>

namespace tivoral {

// Qt takes fontconfig's current configuration, which FcInit loads once for the process, and
// keeps one session bus connection for the whole process.
StartAhead::StartAhead()
    : fontConfiguration_(std::async(std::launch::async, [] { FcInit(); }).share()),
      sessionBus_(std::async(std::launch::async, [] { QDBusConnection::sessionBus(); })) {}

FontListAhead::FontListAhead(const StartAhead& started)
    : reader_(std::async(std::launch::async, [configuration = started.fontConfiguration()] {
          // Without the configuration read, the list would read it a second time.
          configuration.wait();
          QFontDatabase::families();
      })) {}

} // namespace tivoral
