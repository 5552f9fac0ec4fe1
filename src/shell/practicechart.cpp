#include "shell/practicechart.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <limits>

namespace tivoral {

namespace {

const QString FinishedLegend = QStringLiteral("Sätze pro Tag");
const QString RedLegend = QStringLiteral("Rote Antworten pro Satz");
const QString DayFormat = QStringLiteral("dd.MM.");
constexpr int FewestScaleSteps = 4;
constexpr int MostScaleSteps = 6;
constexpr std::array NiceStepDigits{1, 2, 5};
constexpr double StepPowerBase = 10;
constexpr double FinestRedStep = 0.1;
constexpr int RedDecimals = 1;
// Rounding noise of tenths, far below what one decimal shows.
constexpr double ScaleTolerance = 1e-9;
// A label a week, fewer for a long period, so that they never crowd.
constexpr int DaysPerWeek = 7;
constexpr size_t MaxDayLabels = 8;
constexpr double BarShareOfDay = 0.7;
// On a long period the red line and its dots shrink with the days, so the bars stay visible.
constexpr double MarkShareOfDay = 0.4;
constexpr double ThinnestLine = 1;
constexpr double SwatchShareOfAscent = 0.8;
constexpr double LegendSampleSwatches = 2;
constexpr double LegendEntryGapSpacings = 3;
constexpr double GridLineShareOfLine = 0.5;

// The smallest of 1, 2, 5, 10, 20 … times `finest` that reaches `highest` in `steps` steps.
double niceStep(double highest, int steps, double finest) {
    for (double power = finest;; power *= StepPowerBase) {
        for (const int digit : NiceStepDigits) {
            if (digit * power * steps >= highest - ScaleTolerance)
                return digit * power;
        }
    }
}

QString finishedText(double value) {
    return QString::number(value, 'f', 0);
}

QString redText(double value) {
    return QLocale(QLocale::German).toString(value, 'f', RedDecimals);
}

// Where a day's middle lies across the plot.
double dayCentre(const QRectF& plot, size_t day, size_t dayCount) {
    return plot.left() + (double(day) + 0.5) * plot.width() / double(dayCount);
}

} // namespace

PracticeChartScales PracticeChartScales::of(const std::vector<PracticeDay>& days) {
    double mostFinished = 0;
    double mostRed = 0;
    for (const PracticeDay& day : days) {
        mostFinished = std::max(mostFinished, double(day.finished));
        if (day.finished > 0)
            mostRed = std::max(mostRed, day.redPerSentence);
    }
    mostFinished = std::max(mostFinished, double(PracticeChart::MinFinishedScale));
    mostRed = std::max(mostRed, double(PracticeChart::MinRedScale));
    // Each scale's top over its highest value, added: the smaller, the better both fill it.
    PracticeChartScales best;
    double bestSlack = std::numeric_limits<double>::infinity();
    for (int steps = FewestScaleSteps; steps <= MostScaleSteps; ++steps) {
        const PracticeChartScales scales{steps, niceStep(mostFinished, steps, 1),
                                         niceStep(mostRed, steps, FinestRedStep)};
        const double slack = scales.finishedTop() / mostFinished + scales.redTop() / mostRed;
        if (slack < bestSlack) {
            best = scales;
            bestSlack = slack;
        }
    }
    return best;
}

PracticeChart::PracticeChart(QPainter& painter, const PracticeChartStyle& style)
    : painter_(painter), style_(style) {}

void PracticeChart::paint(const QRectF& frame, const std::vector<PracticeDay>& days,
                          const QString& title) const {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setClipRect(frame, Qt::IntersectClip);
    QRectF room = frame;
    if (!title.isEmpty())
        room.setTop(room.top() + paintTitle(room, title));
    room.setTop(room.top() + paintLegend(room));
    const PracticeChartScales scales = PracticeChartScales::of(days);
    const QRectF plot = plotArea(room, scales);
    if (!days.empty() && plot.width() > 0 && plot.height() > 0) {
        paintScales(plot, scales);
        paintBars(plot, days, scales);
        paintRedLine(plot, days, scales);
        paintDays(plot, days);
    }
    painter_.restore();
}

double PracticeChart::lineHeight() const {
    return QFontMetricsF(style_.labelFont, painter_.device()).height();
}

double PracticeChart::paintTitle(const QRectF& room, const QString& title) const {
    const QFontMetricsF metrics(style_.titleFont, painter_.device());
    painter_.setFont(style_.titleFont);
    painter_.setPen(style_.ink);
    const QRectF line(room.left(), room.top(), room.width(), metrics.height());
    painter_.drawText(line, Qt::AlignCenter,
                      metrics.elidedText(title, Qt::ElideRight, room.width()));
    return line.height() + style_.spacing;
}

double PracticeChart::paintLegend(const QRectF& room) const {
    const QFontMetricsF metrics(style_.labelFont, painter_.device());
    const double swatch = metrics.ascent() * SwatchShareOfAscent;
    const double sample = swatch * LegendSampleSwatches;
    const double width = swatch + style_.spacing + metrics.horizontalAdvance(FinishedLegend) +
                         style_.spacing * LegendEntryGapSpacings + sample + style_.spacing +
                         metrics.horizontalAdvance(RedLegend);
    const double height = metrics.height();
    const double middle = room.top() + height / 2;
    double left = room.left() + std::max(0.0, (room.width() - width) / 2);
    painter_.setFont(style_.labelFont);

    painter_.fillRect(QRectF(left, middle - swatch / 2, swatch, swatch), QColor(FinishedColour));
    left += swatch + style_.spacing;
    painter_.setPen(style_.ink);
    painter_.drawText(QRectF(left, room.top(), width, height), Qt::AlignLeft | Qt::AlignVCenter,
                      FinishedLegend);
    left += metrics.horizontalAdvance(FinishedLegend) + style_.spacing * LegendEntryGapSpacings;

    painter_.setPen(QPen(QColor(RedColour), style_.lineWidth, Qt::SolidLine, Qt::RoundCap));
    painter_.drawLine(QPointF(left, middle), QPointF(left + sample, middle));
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(QColor(RedColour));
    painter_.drawEllipse(QPointF(left + sample / 2, middle), style_.dotRadius, style_.dotRadius);
    left += sample + style_.spacing;
    painter_.setPen(style_.ink);
    painter_.drawText(QRectF(left, room.top(), width, height), Qt::AlignLeft | Qt::AlignVCenter,
                      RedLegend);
    return height + style_.spacing;
}

QRectF PracticeChart::plotArea(const QRectF& room, const PracticeChartScales& scales) const {
    const QFontMetricsF metrics(style_.labelFont, painter_.device());
    double leftLabels = 0;
    double rightLabels = 0;
    for (int step = 0; step <= scales.steps; ++step) {
        leftLabels = std::max(leftLabels,
                              metrics.horizontalAdvance(finishedText(step * scales.finishedStep)));
        rightLabels =
            std::max(rightLabels, metrics.horizontalAdvance(redText(step * scales.redStep)));
    }
    // Half a line above, so the top scale label stays inside; the days' line and ticks below.
    const double half = lineHeight() / 2;
    return QRectF(QPointF(room.left() + leftLabels + style_.spacing, room.top() + half),
                  QPointF(room.right() - rightLabels - style_.spacing,
                          room.bottom() - lineHeight() - style_.spacing));
}

void PracticeChart::paintScales(const QRectF& plot, const PracticeChartScales& scales) const {
    const QFontMetricsF metrics(style_.labelFont, painter_.device());
    painter_.setFont(style_.labelFont);
    for (int step = 0; step <= scales.steps; ++step) {
        const double y = plot.bottom() - plot.height() * step / scales.steps;
        painter_.setPen(QPen(style_.gridColour, style_.lineWidth * GridLineShareOfLine));
        painter_.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        const QString finished = finishedText(step * scales.finishedStep);
        const double finishedWidth = metrics.horizontalAdvance(finished);
        painter_.setPen(QColor(FinishedColour));
        painter_.drawText(QRectF(plot.left() - style_.spacing - finishedWidth,
                                 y - metrics.height() / 2, finishedWidth, metrics.height()),
                          Qt::AlignRight | Qt::AlignVCenter, finished);
        const QString red = redText(step * scales.redStep);
        painter_.setPen(QColor(RedColour));
        painter_.drawText(QRectF(plot.right() + style_.spacing, y - metrics.height() / 2,
                                 metrics.horizontalAdvance(red), metrics.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, red);
    }
}

void PracticeChart::paintBars(const QRectF& plot, const std::vector<PracticeDay>& days,
                              const PracticeChartScales& scales) const {
    const double barWidth = plot.width() / double(days.size()) * BarShareOfDay;
    for (size_t day = 0; day < days.size(); ++day) {
        const double height = plot.height() * days[day].finished / scales.finishedTop();
        painter_.fillRect(QRectF(dayCentre(plot, day, days.size()) - barWidth / 2,
                                 plot.bottom() - height, barWidth, height),
                          QColor(FinishedColour));
    }
    painter_.setPen(QPen(style_.ink, style_.lineWidth * GridLineShareOfLine));
    painter_.drawLine(plot.bottomLeft(), plot.bottomRight());
}

void PracticeChart::paintRedLine(const QRectF& plot, const std::vector<PracticeDay>& days,
                                 const PracticeChartScales& scales) const {
    const double mark = plot.width() / double(days.size()) * MarkShareOfDay;
    const double width = std::max(ThinnestLine, std::min(style_.lineWidth, mark));
    const double radius = std::max(ThinnestLine, std::min(style_.dotRadius, mark));
    QPainterPath line;
    std::vector<QPointF> dots;
    for (size_t day = 0; day < days.size(); ++day) {
        if (days[day].finished == 0)
            continue;
        const double red = std::clamp(days[day].redPerSentence, 0.0, scales.redTop());
        const QPointF point(dayCentre(plot, day, days.size()),
                            plot.bottom() - plot.height() * red / scales.redTop());
        if (dots.empty())
            line.moveTo(point);
        else
            line.lineTo(point);
        dots.push_back(point);
    }
    painter_.setPen(QPen(QColor(RedColour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPath(line);
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(QColor(RedColour));
    for (const QPointF& dot : dots)
        painter_.drawEllipse(dot, radius, radius);
}

void PracticeChart::paintDays(const QRectF& plot, const std::vector<PracticeDay>& days) const {
    const QFontMetricsF metrics(style_.labelFont, painter_.device());
    const size_t labelStep =
        DaysPerWeek * std::max<size_t>(1, (days.size() + MaxDayLabels * DaysPerWeek - 1) /
                                              (MaxDayLabels * DaysPerWeek));
    painter_.setFont(style_.labelFont);
    double freeFrom = plot.left();
    for (size_t day = 0; day < days.size(); day += labelStep) {
        const QString label = days[day].date.toString(DayFormat);
        const double width = metrics.horizontalAdvance(label);
        const double centre = dayCentre(plot, day, days.size());
        // A label begins at its day's tick and runs over the days it stands for; it stays
        // within the plot's width and never lies on top of the label before.
        const double left = std::min(centre, plot.right() - width);
        if (left < freeFrom)
            continue;
        painter_.setPen(QPen(style_.ink, style_.lineWidth * GridLineShareOfLine));
        painter_.drawLine(QPointF(centre, plot.bottom()),
                          QPointF(centre, plot.bottom() + style_.spacing));
        painter_.drawText(QRectF(left, plot.bottom() + style_.spacing, width, metrics.height()),
                          Qt::AlignCenter, label);
        freeFrom = left + width + style_.spacing;
    }
}

} // namespace tivoral
