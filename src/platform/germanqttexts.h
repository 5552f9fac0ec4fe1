#pragma once

class QCoreApplication;

namespace tivoral {

// Qt's own texts (the text fields' menu, standard buttons, the print dialog) in German, as every
// text of the program is, whatever language the computer is set to. Returns false when Qt's
// German translations are not installed; Qt then speaks English.
bool installGermanQtTexts(QCoreApplication& application);

} // namespace tivoral
