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
// program but the teacher's: positions, sizes, fonts, icons and margins scale together, so each
// window keeps its layout exactly. Windows made later are built at the new factor through
// twips().
void apply(double factor);

// Screen fit. Every window and dialog lies inside the available area of its screen (the screen
// minus its panels) with its title bar on it; a window too large for it takes the largest size
// that fits, and what it shows scrolls or wraps inside.
//
// Makes every window and dialog of the program fit as it is shown. Called once at start-up;
// a window made later needs nothing more.
void keepWindowsOnScreen();
// Fits the window at once: a resizable window shrinks to the area (a fixed one keeps its size),
// and the window moves so that its frame lies inside the area.
void fitOnScreen(QWidget& window);
// What the window system adds around the window's client area: measured once the window is
// shown, estimated (a title bar and a thin border) before.
QSize frameExtra(const QWidget& window);
// For a teacher's window or dialog (editor, settings, Lernstand and what they open): it is
// brought from the child's window size to 100 %, or the largest that fits its screen, and from
// then on apply() leaves it alone. Call at the end of its constructor.
void followTeacherScreen(QWidget& window);
// The factor a window is shown at: its own for a teacher's window, the child's otherwise.
double factorOf(const QWidget& window);

// The largest factor at which a window whose client area is layoutSize at 100 %, plus the
// frame the window system draws around it, fits into the available area.
double fillFactor(QSize layoutSize, QSize frameExtra, QRect available);

// Puts the window in the middle of the free area of its screen, wholly inside it.
void centreOnScreen(QWidget& window);

} // namespace tivoral::windowscale
