#pragma once

#include <QString>

namespace tivoral {

// The program's own count messages in correct German: "1 Zeile wurde …", "3 Zeilen wurden …".
// The plural text holds %1 for the number; the singular is written out whole.
inline QString countWording(qsizetype count, const QString& one, const QString& many) {
    return count == 1 ? one : many.arg(count);
}

} // namespace tivoral
