#pragma once

#include "store/practiceoverview.h"

#include <QColor>
#include <QFont>
#include <QRgb>
#include <QString>

#include <vector>

class QPainter;
class QRectF;

namespace tivoral {

// How a practice chart looks on one device: its fonts, and lengths in the device's own units
// (pixels on the screen, printer dots on paper).
struct PracticeChartStyle {
    QFont labelFont; // the scales, the days and the legend
    QFont titleFont;
    QColor ink; // the title, the days and the legend
    QColor gridColour;
    double spacing = 0; // between the labels and what they name
    double lineWidth = 0;
    double dotRadius = 0;
};

// The two scales of the chart. They share their grid lines: the same count of steps, each of
// 1, 2 or 5 times a power of ten, whole numbers for the sentences, tenths for the red answers.
struct PracticeChartScales {
    int steps = 0;
    double finishedStep = 0;
    double redStep = 0;

    double finishedTop() const { return steps * finishedStep; }
    double redTop() const { return steps * redStep; }

    // The scales that best fill the height with the busiest day and the reddest one.
    static PracticeChartScales of(const std::vector<PracticeDay>& days);
};

// Paints a child's practice days into a rectangle of any painter: a bar of the sentences
// finished each day on the left scale, the red answers per sentence as a line with dots on the
// right scale (on days with finished sentences only), the days below, a legend and, where one
// is given, a title above.
class PracticeChart {
public:
    static constexpr QRgb FinishedColour = qRgb(58, 123, 213);
    static constexpr QRgb RedColour = qRgb(217, 56, 58);
    // The scales reach at least this far, so that a quiet day never looks like a busy one.
    static constexpr int MinFinishedScale = 5;
    static constexpr int MinRedScale = 2;

    PracticeChart(QPainter& painter, const PracticeChartStyle& style);

    void paint(const QRectF& frame, const std::vector<PracticeDay>& days,
               const QString& title = QString()) const;

private:
    double paintTitle(const QRectF& room, const QString& title) const;
    double paintLegend(const QRectF& room) const;
    QRectF plotArea(const QRectF& room, const PracticeChartScales& scales) const;
    void paintScales(const QRectF& plot, const PracticeChartScales& scales) const;
    void paintBars(const QRectF& plot, const std::vector<PracticeDay>& days,
                   const PracticeChartScales& scales) const;
    void paintRedLine(const QRectF& plot, const std::vector<PracticeDay>& days,
                      const PracticeChartScales& scales) const;
    void paintDays(const QRectF& plot, const std::vector<PracticeDay>& days) const;
    double lineHeight() const;

    QPainter& painter_;
    PracticeChartStyle style_;
};

} // namespace tivoral
