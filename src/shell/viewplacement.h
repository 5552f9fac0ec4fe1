#pragma once

#include <functional>

class QAbstractItemView;
class QPlainTextEdit;
class QString;
class QWidget;

namespace tivoral {

// Shows a view with its left edge at its open place, or hides it parked beyond the right edge
// of the main window, where it can take no keyboard focus either.
void placeView(QWidget* view, bool open, int openLeftTwips);

// Replaces the box's text only when it differs from what was shown last, so that redrawing an
// unchanged view keeps its scroll position. A long text is laid out as the reader scrolls.
void showText(QPlainTextEdit* box, const QString& text);

// Runs the action for the current row when Return or Enter is pressed in the list, so a
// keyboard user can do what a double click does.
void onReturnKey(QAbstractItemView* list, std::function<void(int row)> action);

} // namespace tivoral
