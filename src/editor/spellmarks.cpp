#include "editor/spellmarks.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace tivoral::spellmarks {

namespace {

const QColor MarkRed(0xd0, 0x00, 0x00);
// The wave grows with the font, so that it stays visible at every window size.
constexpr int WaveHeightPerFontHeight = 8;
constexpr double MinWaveHeight = 2.0;
constexpr double WavePenWidth = 1.2;
constexpr int MarkMargin = 2;

} // namespace

void drawWave(QPainter& painter, int left, int right, int baseline, const QFontMetrics& metrics) {
    if (right <= left)
        return;
    const double height =
        std::max(MinWaveHeight, double(metrics.height()) / WaveHeightPerFontHeight);
    const double top = baseline + std::max(1, metrics.descent() / 3);
    QPainterPath wave(QPointF(left, top + height));
    bool up = true;
    for (double x = left + height; x < right + height; x += height) {
        wave.lineTo(std::min(x, double(right)), up ? top : top + height);
        up = !up;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(MarkRed, WavePenWidth));
    painter.drawPath(wave);
    painter.restore();
}

int lineMarkWidth(const QRect& row) {
    return row.height();
}

void drawLineMark(QPainter& painter, const QRect& row) {
    const int size = row.height() - 2 * MarkMargin;
    if (size <= 0)
        return;
    const QRect circle(row.right() - MarkMargin - size, row.top() + MarkMargin, size, size);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(MarkRed);
    painter.drawEllipse(circle);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(1, size * 3 / 4));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(circle, Qt::AlignCenter, QStringLiteral("!"));
    painter.restore();
}

} // namespace tivoral::spellmarks
