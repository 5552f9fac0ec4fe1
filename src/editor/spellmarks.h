#pragma once

class QFontMetrics;
class QPainter;
class QRect;

namespace tivoral::spellmarks {

// The red wavy line under an unknown word, from left to right below the baseline.
void drawWave(QPainter& painter, int left, int right, int baseline, const QFontMetrics& metrics);

// The mark beside a line holding an unknown word, at the right end of its rectangle.
void drawLineMark(QPainter& painter, const QRect& row);
// How much of a row's width the mark takes.
int lineMarkWidth(const QRect& row);

} // namespace tivoral::spellmarks
