#pragma once

#include <QString>

namespace tivoral {

class AppState;
class Printing;

// Prints the sentence list, one line per sentence. Without any printer on the system it offers
// to write the same pages as a PDF file into the working folder instead.
class ListPrinter {
public:
    static constexpr const char* FontFamily = "Arial";
    static constexpr int FontSize = 10;
    static constexpr const char* FallbackPdfName = "SATZLISTE.PDF";
    // "TIERE.PDF", then "TIERE-2.PDF" up to this number.
    static constexpr int MaxPdfNumber = 999;

    ListPrinter(AppState& app, Printing& printing);

    void print();
    // Named after the loaded sentence file, so the lists of several files do not overwrite
    // each other, and numbered past any file already there; empty when all numbers are taken.
    QString pdfFileName() const;

private:
    void offerPdf();

    AppState& app_;
    Printing& printing_;
};

} // namespace tivoral
