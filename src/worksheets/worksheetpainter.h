#pragma once

#include "worksheets/worksheetcontent.h"

#include <QFont>
#include <QString>

class QPagedPaintDevice;
class QPainter;
class QRectF;

namespace tivoral {

// Draws a worksheet on paper: each sentence the way its exercise shows it, with writing lines
// below, and the solutions at the end. Text comes in the program's font at sizes a child
// reads on paper; the blocks go onto the pages as the page plan places them.
class WorksheetPainter {
public:
    static constexpr double PageMarginMm = 12.0;
    static constexpr int TaskPointSize = 16;

    WorksheetPainter(const WorksheetContent& content, const QString& fontFamily);

    // Sets A4 and the margins, then draws every page. On failure, error says why in German.
    bool paint(QPagedPaintDevice& device, QString* error);

private:
    struct Fonts {
        QFont title, task, text, answer, number, small;
    };

    double mm(double millimetres) const { return millimetres * dotsPerMm_; }
    double textWidth() const;
    double headingHeight(const QString& task) const;
    double taskHeight(const SheetSection& section, const SheetTask& task) const;
    double answerHeight(const QString& sentence) const;
    // The text an item shows, with the line breaks the exercise's own display makes.
    QString shownLines(const SheetSection& section, const SheetTask& task) const;
    int writingLineCount(const SheetSection& section, const SheetTask& task) const;
    QList<QRectF> tileRects(const QStringList& tiles) const;
    double mosaicCellWidth() const;
    double mosaicCellHeight() const;

    void drawPageFrame(QPainter& painter, int page, int pageCount, bool forChildren) const;
    void drawHeading(QPainter& painter, double top, const QString& title,
                     const QString& task) const;
    void drawTask(QPainter& painter, double top, const SheetSection& section,
                  const SheetTask& task) const;
    void drawAnswer(QPainter& painter, double top, int number, const QString& sentence) const;
    void drawNumber(QPainter& painter, double top, int number) const;
    double drawWrapped(QPainter& painter, double top, const QFont& font, const QString& text,
                       SyllableStyle syllables = SyllableStyle::None) const;
    void drawWritingLines(QPainter& painter, double top, int count) const;
    double drawTiles(QPainter& painter, double top, const QStringList& tiles) const;
    double drawMosaic(QPainter& painter, double top, const Mosaic& mosaic) const;

    const WorksheetContent& content_;
    Fonts fonts_;
    double dotsPerMm_ = 1;
    double pageWidth_ = 0;
    double bodyTop_ = 0;
    double bodyHeight_ = 0;
    QPaintDevice* device_ = nullptr;
};

} // namespace tivoral
