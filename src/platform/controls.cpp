#include "platform/controls.h"

#include "platform/picturebutton.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace tivoral {

namespace {

// Names and places a control; its caption is also what a screen reader and the tool tip say.
template <typename Control>
Control* placeCaptioned(Control* control, const QString& name, const QString& caption,
                        const QRect& geometry) {
    control->setObjectName(name);
    control->setAccessibleName(caption);
    control->setToolTip(caption);
    control->setGeometry(geometry);
    return control;
}

} // namespace

QRect pixelRect(const TwipsRect& rect) {
    return QRect(twips(rect.left), twips(rect.top), twips(rect.width), twips(rect.height));
}

QRect twipsRect(int left, int top, int width, int height) {
    return pixelRect({left, top, width, height});
}

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QListWidget* addList(QWidget* parent, const QString& name, const QString& accessibleName,
                     const QRect& geometry) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    list->setGeometry(geometry);
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

QComboBox* addChoice(QWidget* parent, const QString& name, const QString& caption,
                     const QRect& captionGeometry, const QRect& geometry) {
    auto* label = new QLabel(caption + QLatin1Char(':'), parent);
    label->setGeometry(captionGeometry);
    auto* choice = placeCaptioned(new QComboBox(parent), name, caption, geometry);
    label->setBuddy(choice);
    return choice;
}

QCheckBox* addSwitch(QWidget* parent, const QString& name, const QString& caption,
                     const QRect& geometry) {
    return placeCaptioned(new QCheckBox(caption, parent), name, caption, geometry);
}

PictureButton* addPictureButton(QWidget* parent, const QString& name, const QString& toolTip,
                                const QString& iconName, int leftTwips, int topTwips) {
    auto* button = new PictureButton(name, toolTip, iconName, parent);
    button->move(twips(leftTwips), twips(topTwips));
    return button;
}

} // namespace tivoral
