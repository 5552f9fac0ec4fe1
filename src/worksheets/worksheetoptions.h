#pragma once

#include "store/readingoptions.h"

namespace tivoral {

// How the syllables of the words the child reads are marked on paper: not at all, in the two
// colours of the screen ("Silben farbig"), or with an arc under each syllable for printers
// without colour ("Silbenbögen").
enum class SyllableStyle { None, Colours, Arcs };

// What the teacher chooses for a worksheet beyond the list it is made of.
struct WorksheetOptions {
    SyllableStyle syllables = SyllableStyle::None;
};

// Until the teacher chooses on paper: the syllables as the current child reads them on screen.
inline WorksheetOptions worksheetOptionsFor(const ReadingOptions& reading) {
    WorksheetOptions options;
    options.syllables = reading.syllableColours ? SyllableStyle::Colours : SyllableStyle::None;
    return options;
}

} // namespace tivoral
