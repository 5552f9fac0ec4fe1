#include "shell/progresschart.h"

#include "exercises/panelstyle.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

namespace tivoral {

namespace {
constexpr int LabelPoints = 12;
constexpr QRgb Paper = panelstyle::White;
constexpr QRgb Ink = qRgb(40, 40, 40);
constexpr QRgb GridGrey = qRgb(215, 215, 225);
constexpr double SpacingShareOfLine = 0.4;
constexpr double PaddingShareOfLine = 0.6;
constexpr double CornerShareOfLine = 0.4;
constexpr int LineWidthPixels = 3;
constexpr double DotRadiusPixels = 5;
// Room for the legend and eight day labels side by side, and a few lines of bars.
constexpr int MinimumWidthCharacters = 48;
constexpr int MinimumHeightLines = 10;
} // namespace

ProgressChart::ProgressChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("progressChart"));
    setAccessibleName(QStringLiteral("Sätze pro Tag und rote Antworten pro Satz"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    style_.ink = QColor(Ink);
    style_.gridColour = QColor(GridGrey);
    style_.lineWidth = LineWidthPixels;
    style_.dotRadius = DotRadiusPixels;
    setFont(panelstyle::layoutFont(LabelPoints, false));
    followFont();
}

void ProgressChart::showDays(std::vector<PracticeDay> days, const QString& title) {
    days_ = std::move(days);
    title_ = title;
    setAccessibleDescription(title);
    update();
}

QSize ProgressChart::minimumSizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.averageCharWidth() * MinimumWidthCharacters,
            metrics.height() * MinimumHeightLines};
}

void ProgressChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double line = QFontMetricsF(font()).height();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(Paper));
    painter.drawRoundedRect(rect(), line * CornerShareOfLine, line * CornerShareOfLine);
    const double padding = line * PaddingShareOfLine;
    PracticeChart(painter, style_)
        .paint(QRectF(rect()).adjusted(padding, padding, -padding, -padding), days_, title_);
}

void ProgressChart::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        followFont();
    QWidget::changeEvent(event);
}

// The labels take the widget's font, the title its bold; the gaps grow with them.
void ProgressChart::followFont() {
    style_.labelFont = font();
    style_.titleFont = font();
    style_.titleFont.setBold(true);
    style_.spacing = QFontMetricsF(font()).height() * SpacingShareOfLine;
}

} // namespace tivoral
