#include "editor/samplelistdialog.h"

#include "editor/samplelists.h"
#include "platform/twips.h"
#include "platform/windowscale.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tivoral {

namespace {

constexpr int WidthTwips = 8400;
constexpr int HeightTwips = 7500;

QString entryText(const QString& name) {
    const QStringList sentences = SampleLists::sentences(name);
    return QStringLiteral("%1 – %2 (%3 Sätze)\n    %4")
        .arg(name, SampleLists::description(name))
        .arg(sentences.size())
        .arg(sentences.value(0));
}

} // namespace

SampleListDialog::SampleListDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("sampleListDialog"));
    setWindowTitle(QStringLiteral("Beispiellisten"));
    resize(twips(WidthTwips), twips(HeightTwips));

    auto* hint = new QLabel(QStringLiteral("Wählen Sie eine Liste. Sie kommt als neue Liste in den "
                                           "Satzeditor; mit „Liste speichern“ legen Sie sie im "
                                           "Ordner ab, dann finden die Kinder sie unter "
                                           "„Sätze laden“."),
                            this);
    hint->setWordWrap(true);

    lists_ = new QListWidget(this);
    lists_->setObjectName(QStringLiteral("sampleListChoice"));
    lists_->setAccessibleName(QStringLiteral("Beispiellisten mit ihrem ersten Satz"));
    lists_->setToolTip(QStringLiteral("Doppelklick lädt die Liste"));
    lists_->setAlternatingRowColors(true);
    // Long first sentences wrap rather than scroll sideways.
    lists_->setWordWrap(true);
    lists_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lists_->setResizeMode(QListView::Adjust);
    for (const QString& name : SampleLists::names()) {
        auto* item = new QListWidgetItem(entryText(name), lists_);
        item->setData(Qt::UserRole, name);
    }
    lists_->setCurrentRow(0);

    auto* buttons = new QDialogButtonBox(this);
    loadButton_ = buttons->addButton(QStringLiteral("Laden"), QDialogButtonBox::AcceptRole);
    loadButton_->setObjectName(QStringLiteral("loadSampleListButton"));
    loadButton_->setToolTip(QStringLiteral("Gewählte Liste in den Satzeditor laden"));
    loadButton_->setAccessibleName(loadButton_->toolTip());
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelSampleListButton"));
    cancel->setToolTip(QStringLiteral("Nichts laden"));
    cancel->setAccessibleName(QStringLiteral("Abbrechen, nichts laden"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(lists_, 1);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &SampleListDialog::choose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lists_, &QListWidget::itemDoubleClicked, this, &SampleListDialog::choose);
    windowscale::followTeacherScreen(*this);
}

void SampleListDialog::choose() {
    const QListWidgetItem* item = lists_->currentItem();
    if (!item)
        return;
    accept();
    Q_EMIT listChosen(item->data(Qt::UserRole).toString());
}

} // namespace tivoral
