#pragma once

#include <QRect>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QWidget;

namespace tivoral {

class PictureButton;

// The controls the windows place at the twips of their layout, built alike everywhere.

// A place in a window's layout: left, top, width and height in twips.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

// The place in pixels at the child's window size.
QRect pixelRect(const TwipsRect& rect);
QRect twipsRect(int left, int top, int width, int height);

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry);
// A list of which one entry at a time can be chosen.
QListWidget* addList(QWidget* parent, const QString& name, const QString& accessibleName,
                     const QRect& geometry);
// A choice with its caption before it; the caption is also the choice's accessible name and
// tool tip.
QComboBox* addChoice(QWidget* parent, const QString& name, const QString& caption,
                     const QRect& captionGeometry, const QRect& geometry);
// A switch whose caption is also its accessible name and tool tip.
QCheckBox* addSwitch(QWidget* parent, const QString& name, const QString& caption,
                     const QRect& geometry);
PictureButton* addPictureButton(QWidget* parent, const QString& name, const QString& toolTip,
                                const QString& iconName, int leftTwips, int topTwips);

} // namespace tivoral
