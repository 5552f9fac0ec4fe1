#pragma once

#include <QStringList>

#include <array>

namespace tivoral::fonts {

// The families of the screen fonts installed on this system, in the order the system reports
// them; families meant for the system's own use are left out.
QStringList installedFamilies();

// Fonts made for beginning and dyslexic readers, offered before all others.
inline constexpr std::array ReaderFamilies{"Andika", "OpenDyslexic"};

// The sorted families with the reader fonts that are among them moved to the top.
QStringList readerFontsFirst(QStringList sortedFamilies);

} // namespace tivoral::fonts
