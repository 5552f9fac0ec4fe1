#include "worksheets/worksheetpainter.h"

#include "exercises/verrutscher.h"
#include "platform/syllablecolours.h"
#include "platform/syllables.h"
#include "worksheets/pageplan.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace tivoral {

namespace {

constexpr double MillimetresPerInch = 25.4;
constexpr double HeaderMm = 8.0;
// The "Name / Datum" row under the header of every page a child works on.
constexpr double NameRowMm = 9.0;
// A line measured for the Verrutscher breaks must not be wrapped again when laid out.
constexpr double MeasuredLineShare = 0.98;
constexpr double BlockGapMm = 4.0;
constexpr double SpaceMm = 2.0;
constexpr double NumberColumnMm = 12.0;
constexpr double NumberDiameterMm = 7.0;
constexpr double WritingLineMm = 12.0;
constexpr double MidlineAboveBaseMm = 4.0;
constexpr double BaselineBelowTopMm = 9.5;
// Children write larger than print, and a writing line must hold the whole sentence.
constexpr double HandwritingFactor = 1.4;
constexpr double TileHeightMm = 11.0;
constexpr double TilePaddingMm = 3.0;
constexpr double TileGapMm = 3.0;
constexpr double MosaicMaxCellHeightMm = 5.2;
constexpr double MosaicCellAspect = 1.2;
constexpr double MosaicLetterShare = 0.8;
constexpr double ThinPenMm = 0.25;
constexpr double PenMm = 0.4;
// A syllable arc hangs this deep under the letters, with this much air at its ends and above.
constexpr double ArcDepthMm = 1.6;
constexpr double ArcInsetMm = 0.5;
constexpr double ArcGapMm = 0.4;
constexpr int HalfTurn = 180 * 16; // QPainter's arc angles are in sixteenths of a degree

constexpr int TitlePointSize = 24;
constexpr int HeadingTaskPointSize = 14;
constexpr int AnswerPointSize = 13;
constexpr int NumberPointSize = 12;
constexpr int SmallPointSize = 9;

const QColor ProgramBlue(128, 128, 255);
const QColor TitleBlue(58, 58, 140);
const QColor Ink(20, 20, 40);
const QColor LineGrey(120, 120, 120);
const QColor MidlineGrey(175, 175, 175);
const QColor TileFill(232, 232, 255);
const QColor RowShade(242, 242, 250);

// Wraps at blanks, and inside a word only when the word alone is wider than the line, so
// nothing runs off the paper. Measuring and drawing use the same lines. Marked syllables come in
// colour, or with an arc under each; a line with arcs is that much taller.
class WrappedText {
public:
    WrappedText(const QString& text, const QFont& font, const QPaintDevice* device, double width,
                SyllableStyle syllables = SyllableStyle::None)
        : layout_(text, font, device), syllables_(syllables) {
        QTextOption option(Qt::AlignLeft);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout_.setTextOption(option);
        if (syllables_ == SyllableStyle::Colours)
            layout_.setFormats(syllableFormats(text, ReadingSyllableColours));
        const double dotsPerMm = device->logicalDpiY() / MillimetresPerInch;
        const double arcRoom =
            syllables_ == SyllableStyle::Arcs ? (ArcDepthMm + 2 * ArcGapMm) * dotsPerMm : 0;
        layout_.beginLayout();
        for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, height_));
            height_ += line.height() + arcRoom;
        }
        layout_.endLayout();
    }

    double height() const { return height_; }
    double firstLineWidth() const {
        return layout_.lineCount() > 0 ? layout_.lineAt(0).naturalTextWidth() : 0;
    }

    void draw(QPainter& painter, const QPointF& topLeft) const {
        layout_.draw(&painter, topLeft);
        if (syllables_ == SyllableStyle::Arcs)
            drawArcs(painter, topLeft);
    }

private:
    void drawArcs(QPainter& painter, const QPointF& topLeft) const {
        const double dotsPerMm = painter.device()->logicalDpiY() / MillimetresPerInch;
        painter.save();
        painter.setPen(QPen(Ink, ThinPenMm * dotsPerMm * 2, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        for (const SyllableSpan& span : syllableSpans(layout_.text())) {
            const QTextLine line = layout_.lineForTextPosition(int(span.start));
            const double left = line.cursorToX(int(span.start)) + ArcInsetMm * dotsPerMm;
            const double right =
                line.cursorToX(int(span.start + span.length)) - ArcInsetMm * dotsPerMm;
            const double top = line.y() + line.height() + ArcGapMm * dotsPerMm;
            const double depth = ArcDepthMm * dotsPerMm;
            // The lower half of an ellipse whose middle lies on the arc's top.
            painter.drawArc(QRectF(topLeft.x() + left, topLeft.y() + top - depth,
                                   std::max(right - left, 0.0), 2 * depth),
                            HalfTurn, HalfTurn);
        }
        painter.restore();
    }

    QTextLayout layout_;
    SyllableStyle syllables_;
    double height_ = 0;
};

QFont makeFont(const QString& family, int pointSize, bool bold) {
    QFont font(family, pointSize, bold ? QFont::Bold : QFont::Normal);
    // On paper the letters must keep their shapes exactly; no hinting to screen pixels.
    font.setHintingPreference(QFont::PreferNoHinting);
    // A child learning to read needs every letter on its own: no ligatures such as fl.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QString nameLine() {
    return QStringLiteral("Name: ____________________________     Datum: ________________");
}

} // namespace

WorksheetPainter::WorksheetPainter(const WorksheetContent& content, const QString& fontFamily)
    : content_(content) {
    fonts_.title = makeFont(fontFamily, TitlePointSize, true);
    fonts_.task = makeFont(fontFamily, HeadingTaskPointSize, false);
    fonts_.text = makeFont(fontFamily, TaskPointSize, true);
    fonts_.answer = makeFont(fontFamily, AnswerPointSize, false);
    fonts_.number = makeFont(fontFamily, NumberPointSize, true);
    fonts_.small = makeFont(fontFamily, SmallPointSize, false);
}

double WorksheetPainter::textWidth() const {
    return pageWidth_ - mm(NumberColumnMm);
}

double WorksheetPainter::headingHeight(const QString& task) const {
    const QFontMetricsF title(fonts_.title, device_);
    const double taskHeight = WrappedText(task, fonts_.task, device_, pageWidth_).height();
    return title.lineSpacing() + mm(SpaceMm) + taskHeight;
}

int WorksheetPainter::writingLineCount(const SheetSection& section, const SheetTask& task) const {
    double needed = 0;
    if (section.exercise == SheetExercise::Puzzle) {
        // The tiles are glued on the lines side by side.
        for (const QRectF& rect : tileRects(task.tiles))
            needed += rect.width();
    } else {
        needed = QFontMetricsF(fonts_.text, device_).horizontalAdvance(task.sentence) *
                 HandwritingFactor;
    }
    return std::max(1, int(std::ceil(needed / textWidth())));
}

QList<QRectF> WorksheetPainter::tileRects(const QStringList& tiles) const {
    // Left to right, row under row, relative to the top left of the text column.
    const QFontMetricsF metrics(fonts_.text, device_);
    QList<QRectF> rects;
    double x = 0;
    double y = 0;
    for (const QString& tile : tiles) {
        const double width = std::min(textWidth(), metrics.horizontalAdvance(tile.trimmed()) +
                                                       2 * mm(TilePaddingMm));
        if (x > 0 && x + width > textWidth()) {
            x = 0;
            y += mm(TileHeightMm + TileGapMm);
        }
        rects.append(QRectF(x, y, width, mm(TileHeightMm)));
        x += width + mm(TileGapMm);
    }
    return rects;
}

double WorksheetPainter::mosaicCellWidth() const {
    return textWidth() / Mosaic::Columns;
}

double WorksheetPainter::mosaicCellHeight() const {
    return std::min(mosaicCellWidth() * MosaicCellAspect, mm(MosaicMaxCellHeightMm));
}

double WorksheetPainter::taskHeight(const SheetSection& section, const SheetTask& task) const {
    double shown = 0;
    switch (section.exercise) {
    case SheetExercise::Dosensatz:
        shown = WrappedText(task.shownText, fonts_.text, device_, textWidth(),
                            content_.options.syllables)
                    .height();
        break;
    case SheetExercise::Verrutscher:
        shown = WrappedText(shownLines(section, task), fonts_.text, device_, textWidth()).height();
        break;
    case SheetExercise::Puzzle: {
        const QList<QRectF> rects = tileRects(task.tiles);
        shown = rects.isEmpty() ? 0 : rects.constLast().bottom();
        break;
    }
    case SheetExercise::Mosaic:
        shown = Mosaic::Rows * mosaicCellHeight();
        break;
    }
    return std::max(shown, mm(NumberDiameterMm)) + mm(SpaceMm) +
           writingLineCount(section, task) * mm(WritingLineMm);
}

QString WorksheetPainter::shownLines(const SheetSection& section, const SheetTask& task) const {
    if (section.exercise != SheetExercise::Verrutscher)
        return task.shownText;
    // Broken as the screen breaks it: at wide gaps only, so no letter group is cut in two.
    const QFontMetricsF metrics(fonts_.text, device_);
    const double room = textWidth() * MeasuredLineShare;
    return breakMisprint(task.shownText,
                         [&metrics, room](const QString& line) {
                             return metrics.horizontalAdvance(line) <= room;
                         })
        .join(QChar::LineSeparator);
}

double WorksheetPainter::answerHeight(const QString& sentence) const {
    return std::max(WrappedText(sentence, fonts_.answer, device_, textWidth()).height(),
                    mm(NumberDiameterMm));
}

bool WorksheetPainter::paint(QPagedPaintDevice& device, QString* error) {
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageMargins(QMarginsF(PageMarginMm, PageMarginMm, PageMarginMm, PageMarginMm),
                          QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = QStringLiteral("Der Druck konnte nicht beginnen.");
        return false;
    }
    device_ = &device;
    dotsPerMm_ = device.logicalDpiY() / MillimetresPerInch;
    pageWidth_ = painter.viewport().width();
    bodyTop_ = mm(HeaderMm + NameRowMm);
    bodyHeight_ = painter.viewport().height() - bodyTop_;

    QList<SectionHeights> heights;
    for (const SheetSection& section : content_.sections) {
        SectionHeights sizes{headingHeight(section.task), {}};
        for (const SheetTask& task : section.tasks)
            sizes.items.append(taskHeight(section, task));
        heights.append(sizes);
    }
    const QString answerTitle = QStringLiteral("Lösungen");
    const QString answerNote = content_.sections.size() > 1
                                   ? QStringLiteral("Die Nummern gelten für alle Übungen.")
                                   : QStringLiteral("Die Nummern gelten für die Übung.");
    SectionHeights answers{headingHeight(answerNote), {}};
    for (const QString& sentence : content_.answers) {
        if (content_.showsAnswers)
            answers.items.append(answerHeight(sentence));
    }
    heights.append(answers);
    const PagePlan plan = planPages(heights, bodyHeight_, mm(BlockGapMm));

    for (int page = 0; page < plan.size(); ++page) {
        if (page > 0 && !device.newPage()) {
            if (error)
                *error = QStringLiteral("Eine neue Seite konnte nicht beginnen.");
            return false;
        }
        const bool forChildren = plan.at(page).constFirst().section < content_.sections.size();
        drawPageFrame(painter, page, int(plan.size()), forChildren);
        for (const PlacedBlock& block : plan.at(page)) {
            const double top = bodyTop_ + block.top;
            painter.save();
            // Only a block taller than a whole page is shrunk, and then to exactly one page.
            if (block.height > bodyHeight_) {
                const double scale = bodyHeight_ / block.height;
                painter.translate(0, top);
                painter.scale(scale, scale);
                painter.translate(0, -top);
            }
            const bool isAnswer = block.section == content_.sections.size();
            if (isAnswer && block.item == PlacedBlock::Heading)
                drawHeading(painter, top, answerTitle, answerNote);
            else if (isAnswer)
                drawAnswer(painter, top, block.item + 1, content_.answers.at(block.item));
            else if (const SheetSection& section = content_.sections.at(block.section);
                     block.item == PlacedBlock::Heading)
                drawHeading(painter, top, section.title, section.task);
            else
                drawTask(painter, top, section, section.tasks.at(block.item));
            painter.restore();
        }
    }
    device_ = nullptr;
    return painter.end();
}

void WorksheetPainter::drawPageFrame(QPainter& painter, int page, int pageCount,
                                     bool forChildren) const {
    painter.setFont(fonts_.small);
    painter.setPen(LineGrey);
    const QRectF header(0, 0, pageWidth_, mm(HeaderMm - SpaceMm));
    painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Tivoral-Arbeitsblatt: ") + content_.listName);
    painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Seite %1 von %2").arg(page + 1).arg(pageCount));
    painter.setPen(QPen(LineGrey, mm(ThinPenMm)));
    painter.drawLine(QPointF(0, header.bottom()), QPointF(pageWidth_, header.bottom()));
    // The solutions are the teacher's; only the children's pages ask for a name.
    if (forChildren) {
        painter.setPen(Ink);
        painter.setFont(fonts_.task);
        painter.drawText(QRectF(0, mm(HeaderMm), pageWidth_, mm(NameRowMm - SpaceMm)),
                         Qt::AlignLeft | Qt::AlignVCenter, nameLine());
    }
}

void WorksheetPainter::drawHeading(QPainter& painter, double top, const QString& title,
                                   const QString& task) const {
    painter.setPen(TitleBlue);
    painter.setFont(fonts_.title);
    const double titleHeight = QFontMetricsF(fonts_.title, device_).lineSpacing();
    painter.drawText(QRectF(0, top, pageWidth_, titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     title);
    painter.setPen(Ink);
    painter.setFont(fonts_.task);
    const WrappedText wrapped(task, fonts_.task, device_, pageWidth_);
    wrapped.draw(painter, QPointF(0, top + titleHeight + mm(SpaceMm)));
}

void WorksheetPainter::drawNumber(QPainter& painter, double top, int number) const {
    const QRectF badge(0, top, mm(NumberDiameterMm), mm(NumberDiameterMm));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ProgramBlue);
    painter.drawEllipse(badge);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::white);
    painter.setFont(fonts_.number);
    painter.drawText(badge, Qt::AlignCenter, QString::number(number));
}

double WorksheetPainter::drawWrapped(QPainter& painter, double top, const QFont& font,
                                     const QString& text, SyllableStyle syllables) const {
    painter.setPen(Ink);
    painter.setFont(font);
    const WrappedText wrapped(text, font, device_, textWidth(), syllables);
    wrapped.draw(painter, QPointF(mm(NumberColumnMm), top));
    return wrapped.height();
}

void WorksheetPainter::drawWritingLines(QPainter& painter, double top, int count) const {
    const double left = mm(NumberColumnMm);
    const double right = pageWidth_;
    QPen midline(MidlineGrey, mm(ThinPenMm), Qt::DashLine);
    const QPen baseline(LineGrey, mm(PenMm));
    for (int k = 0; k < count; ++k) {
        const double base = top + k * mm(WritingLineMm) + mm(BaselineBelowTopMm);
        painter.setPen(midline);
        painter.drawLine(QPointF(left, base - mm(MidlineAboveBaseMm)),
                         QPointF(right, base - mm(MidlineAboveBaseMm)));
        painter.setPen(baseline);
        painter.drawLine(QPointF(left, base), QPointF(right, base));
    }
}

double WorksheetPainter::drawTiles(QPainter& painter, double top, const QStringList& tiles) const {
    const QList<QRectF> rects = tileRects(tiles);
    // Dashed like a cutting line.
    painter.setPen(QPen(LineGrey, mm(PenMm), Qt::DashLine));
    for (int k = 0; k < rects.size(); ++k) {
        const QRectF rect = rects.at(k).translated(mm(NumberColumnMm), top);
        painter.setBrush(TileFill);
        painter.drawRect(rect);
        painter.setBrush(Qt::NoBrush);
        painter.save();
        painter.setPen(Ink);
        // Only a word wider than the whole line gets smaller letters, so it stays whole.
        const QString word = tiles.at(k).trimmed();
        const double room = rect.width() - 2 * mm(TilePaddingMm);
        const double needed = QFontMetricsF(fonts_.text, device_).horizontalAdvance(word);
        QFont font = fonts_.text;
        if (needed > room)
            font.setPointSizeF(font.pointSizeF() * room / needed);
        painter.setFont(font);
        const WrappedText marked(word, font, device_, rect.width(), content_.options.syllables);
        marked.draw(painter, QPointF(rect.center().x() - marked.firstLineWidth() / 2,
                                     rect.center().y() - marked.height() / 2));
        painter.restore();
    }
    return rects.isEmpty() ? 0 : rects.constLast().bottom();
}

double WorksheetPainter::drawMosaic(QPainter& painter, double top, const Mosaic& mosaic) const {
    const double cellWidth = mosaicCellWidth();
    const double cellHeight = mosaicCellHeight();
    const double left = mm(NumberColumnMm);
    QFont letters = fonts_.text;
    letters.setPixelSize(std::max(1, int(cellHeight * MosaicLetterShare)));
    painter.setFont(letters);
    for (int row = 0; row < Mosaic::Rows; ++row) {
        const double y = top + row * cellHeight;
        // Every other row lightly shaded, so the eye keeps its row.
        if (row % 2 == 1)
            painter.fillRect(QRectF(left, y, textWidth(), cellHeight), RowShade);
        painter.setPen(Ink);
        for (int column = 0; column < Mosaic::Columns; ++column) {
            const QChar cell = mosaic.cell(row * Mosaic::Columns + column);
            if (!cell.isNull())
                painter.drawText(QRectF(left + column * cellWidth, y, cellWidth, cellHeight),
                                 Qt::AlignCenter, QString(cell));
        }
    }
    const double height = Mosaic::Rows * cellHeight;
    painter.setPen(QPen(ProgramBlue, mm(PenMm)));
    painter.drawRect(QRectF(left, top, textWidth(), height));
    return height;
}

void WorksheetPainter::drawTask(QPainter& painter, double top, const SheetSection& section,
                                const SheetTask& task) const {
    drawNumber(painter, top, task.number);
    double shown = 0;
    switch (section.exercise) {
    case SheetExercise::Dosensatz:
        shown = drawWrapped(painter, top, fonts_.text, task.shownText, content_.options.syllables);
        break;
    case SheetExercise::Verrutscher:
        shown = drawWrapped(painter, top, fonts_.text, shownLines(section, task));
        break;
    case SheetExercise::Puzzle:
        shown = drawTiles(painter, top, task.tiles);
        break;
    case SheetExercise::Mosaic:
        shown = drawMosaic(painter, top, task.mosaic);
        break;
    }
    drawWritingLines(painter, top + std::max(shown, mm(NumberDiameterMm)) + mm(SpaceMm),
                     writingLineCount(section, task));
}

void WorksheetPainter::drawAnswer(QPainter& painter, double top, int number,
                                  const QString& sentence) const {
    drawNumber(painter, top, number);
    drawWrapped(painter, top, fonts_.answer, sentence);
}

} // namespace tivoral
