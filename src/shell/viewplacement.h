#pragma once

#include <QStringList>

#include <functional>

class QAbstractItemView;
class QPlainTextEdit;
class QWidget;

namespace tivoral {

// Shows a view with its left edge at its open place, or hides it parked beyond the right edge
// of the main window, where it can take no keyboard focus either.
void placeView(QWidget* view, bool open, int openLeftTwips);

// Shows the lines in the box, each ended by CR LF, unless they are what it shows already; a
// long list is laid out as the reader scrolls.
void showText(QPlainTextEdit* box, const QStringList& lines);

// Runs the action for the current row when Return or Enter is pressed in the list, so a
// keyboard user can do what a double click does.
void onReturnKey(QAbstractItemView* list, std::function<void(int row)> action);

} // namespace tivoral
