#pragma once

#include <QString>

namespace tivoral::infotexts {

// The notice of the info window: what the program is and for whom, lines joined by CR LF.
QString notice();
// Who made it and under which licence, blocks separated by a line of dashes, joined by CR LF.
QString credits();

} // namespace tivoral::infotexts
