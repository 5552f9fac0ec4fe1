#pragma once

#include <QtGlobal>

namespace tivoral {

// The window size the child works at, as a factor of the layout (1 at 100 %). Everything the
// program places or sizes goes through twips() and scaledPoints(), so this is the one place
// the size of every window comes from; windowscale::apply() changes it and re-lays out the
// windows that are already open.
namespace windowscale {
double factor();
} // namespace windowscale

// Window layouts are given in twips; 15 twips make one logical pixel at 96 dpi and 100 %.
// The pixels at 100 % are scaled as a whole, so every rectangle scales by the same factor.
inline int twips(int t) {
    return qRound(((t + 7) / 15) * windowscale::factor());
}

// The left edge, in twips, where the layout parks a control that is out of sight.
constexpr int HiddenLeftTwips = 10200;

// A size given in pixels at 100 %.
inline int scaledPixels(int pixels) {
    return qRound(pixels * windowscale::factor());
}

// A font size of the layout at the child's window size.
inline qreal scaledPoints(qreal points) {
    return points * windowscale::factor();
}

} // namespace tivoral
