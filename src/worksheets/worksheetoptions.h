#pragma once

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

} // namespace tivoral
