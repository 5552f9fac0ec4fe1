#pragma once

#include "platform/printing.h"

#include <QPrinterInfo>
#include <QString>

namespace tivoral {

// The printer a print goes to: the default one, else the first one known. Null when none is
// set up; error then says so.
QPrinterInfo printerToUse(QString* error);

class SystemPrinting final : public Printing {
public:
    bool hasPrinter() const override;
    bool print(const QStringList& lines, const PrintFont& font, QString* error) override;
    bool writePdf(const QString& path, const QStringList& lines, const PrintFont& font,
                  QString* error) override;
};

} // namespace tivoral
