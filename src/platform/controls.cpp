#include "platform/controls.h"

#include "platform/picturebutton.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace tivoral {

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
    auto* choice = new QComboBox(parent);
    choice->setObjectName(name);
    choice->setAccessibleName(caption);
    choice->setToolTip(caption);
    choice->setGeometry(geometry);
    label->setBuddy(choice);
    return choice;
}

QCheckBox* addSwitch(QWidget* parent, const QString& name, const QString& caption,
                     const QRect& geometry) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setAccessibleName(caption);
    box->setToolTip(caption);
    box->setGeometry(geometry);
    return box;
}

PictureButton* addPictureButton(QWidget* parent, const QString& name, const QString& toolTip,
                                const QString& iconName, int leftTwips, int topTwips) {
    auto* button = new PictureButton(name, toolTip, iconName, parent);
    button->move(twips(leftTwips), twips(topTwips));
    return button;
}

} // namespace tivoral
