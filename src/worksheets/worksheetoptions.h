#pragma once

#include "store/readingoptions.h"
#include "worksheets/worksheetcontent.h"

#include <QString>

namespace tivoral {

class ReadingOptionsFile;

// The worksheet dialog's choices, kept for the whole folder in the default section of
// TIVORAL.OPT, so the next worksheet starts from the last one.
namespace worksheetoptions {

WorksheetOptions read(const ReadingOptionsFile& file);
// Says why in German (error) when the choices could not be kept.
bool write(const ReadingOptionsFile& file, const WorksheetOptions& options, QString* error);

} // namespace worksheetoptions

// The syllables on paper as the child reads them on screen ("Silben farbig"); arcs are the
// teacher's choice for printers without colour.
inline SyllableStyle syllableStyleFor(const ReadingOptions& reading) {
    return reading.syllableColours ? SyllableStyle::Colours : SyllableStyle::None;
}

} // namespace tivoral
