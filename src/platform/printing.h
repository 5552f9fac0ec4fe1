#pragma once

#include <QString>
#include <QStringList>

namespace tivoral {

struct PrintFont {
    QString family;
    int pointSize = 0;
};

// Prints lines of text one below the other, continuing on a new page when a page is full;
// behind an interface so the editor's print logic can be tested without a printer.
class Printing {
public:
    virtual ~Printing() = default;
    // True when the system knows at least one printer.
    virtual bool hasPrinter() const = 0;
    // Sends the lines to the default printer. On failure, error says why.
    virtual bool print(const QStringList& lines, const PrintFont& font, QString* error) = 0;
    // Writes the same pages as a PDF file, replacing the file only when the whole file was
    // written.
    virtual bool writePdf(const QString& path, const QStringList& lines, const PrintFont& font,
                          QString* error) = 0;
};

} // namespace tivoral
