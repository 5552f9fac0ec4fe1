#pragma once

#include "worksheets/worksheetcontent.h"

#include <QString>

class QIODevice;

namespace tivoral {

class AppState;

// The way to the printer, behind an interface so the worksheets are tested without one.
class SheetPrinter {
public:
    virtual ~SheetPrinter() = default;
    virtual bool hasPrinter() const = 0;
    // On failure, error says why in German.
    virtual bool print(const WorksheetContent& content, const QString& fontFamily,
                       QString* error) = 0;
};

class SystemSheetPrinter final : public SheetPrinter {
public:
    bool hasPrinter() const override;
    bool print(const WorksheetContent& content, const QString& fontFamily, QString* error) override;
};

// Writes the worksheet as PDF into an open device. On failure, error says why in German.
bool writeWorksheetPdf(QIODevice& device, const WorksheetContent& content,
                       const QString& fontFamily, QString* error);

// The editor's "Arbeitsblätter": the current list as worksheets of the four exercises, saved
// as a new PDF file in the working folder and printed where a printer exists.
class WorksheetMaker {
public:
    static constexpr const char* FileStem = "ARBEITSBLATT";
    // ARBEITSBLATT.PDF, ARBEITSBLATT-2.PDF … up to this number.
    static constexpr int MaxFileNumber = 999;

    WorksheetMaker(AppState& app, SheetPrinter& printer);

    // The worksheet the options choose; marked: the rows marked in the editor's list.
    void make(const WorksheetOptions& options = {}, const QList<int>& marked = {});
    // The font of the settings, which worksheets use unless the teacher chose another.
    QString classFontFamily() const;

    AppState& app_;
    SheetPrinter& printer_;
};

} // namespace tivoral
