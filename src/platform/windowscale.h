#pragma once

#include "platform/twips.h"

#include <QRect>
#include <QSize>

class QWidget;

namespace tivoral::windowscale {

// Window sizes a child may work at, as factors of the layout.
inline constexpr double Smallest = 0.5;
inline constexpr double Largest = 4.0;

// Sets the factor (kept within Smallest … Largest) and re-lays out every open window of the
// program: positions, sizes, fonts, icons and margins scale together, so each window keeps its
// layout exactly. Windows made later are built at the new factor through twips().
void apply(double factor);

// The largest factor at which a window whose client area is layoutSize at 100 %, plus the
// frame the window system draws around it, fits into the available area.
double fillFactor(QSize layoutSize, QSize frameExtra, QRect available);

// Puts the window in the middle of the free area of its screen.
void centreOnScreen(QWidget& window);

} // namespace tivoral::windowscale
