#include "exercises/umlautkeys.h"

#include "exercises/panelstyle.h"

#include <QPlainTextEdit>
#include <QToolButton>

namespace tivoral {

namespace {
constexpr int KeyFontPoints = 16;
} // namespace

UmlautKeyRow::UmlautKeyRow(QPlainTextEdit& box, QWidget* parent) : QWidget(parent), box_(box) {
    setObjectName(box.objectName() + QStringLiteral("UmlautKeys"));
    setAccessibleName(QStringLiteral("Tasten für Umlaute und ß"));
    for (const char16_t letter : Letters) {
        const QChar character(letter);
        auto* key = new QToolButton(this);
        key->setObjectName(QStringLiteral("umlautKey") + QString::number(int(letter), 16));
        key->setText(character);
        const QString name = character + QStringLiteral(" schreiben");
        key->setToolTip(name);
        key->setAccessibleName(name);
        key->setFont(panelstyle::layoutFont(KeyFontPoints));
        // A click must not take the keyboard away from the answer box.
        key->setFocusPolicy(Qt::NoFocus);
        panelstyle::setColours(key, panelstyle::White, panelstyle::Black);
        connect(key, &QToolButton::clicked, this, [this, character] { type(character); });
    }
}

void UmlautKeyRow::layOutKeys(int keyWidth, int gap) {
    int left = 0;
    for (QToolButton* key : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
        key->setGeometry(left, 0, keyWidth, height());
        left += keyWidth + gap;
    }
}

void UmlautKeyRow::type(QChar letter) {
    box_.insertPlainText(QString(letter));
    box_.setFocus(Qt::OtherFocusReason);
}

} // namespace tivoral
