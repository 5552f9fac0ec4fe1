#pragma once

#include <QStringList>

namespace tivoral::fonts {

// The families of the screen fonts installed on this system, in the order the system reports
// them; families meant for the system's own use are left out.
QStringList installedFamilies();

} // namespace tivoral::fonts
