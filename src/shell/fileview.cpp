#include "shell/fileview.h"

#include "exercises/panelstyle.h"
#include "platform/picturebutton.h"
#include "platform/twips.h"
#include "shell/mainviews.h"
#include "shell/viewplacement.h"
#include "store/appstate.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace tivoral {

namespace {
constexpr int TopTwips = 1920;
constexpr int WidthTwips = 8175;
constexpr int HeightTwips = 4575;
constexpr int FileListWidthTwips = 2250;
constexpr int ListFontPoints = 12;
constexpr int HintFontPoints = 10;
constexpr int PreviewStretch = 1;

// Every row shows the same file picture, drawn by the list instead of kept by each of the
// thousands of rows a class folder may hold, which the start waited for.
class FilePictureDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->icon = picture_;
    }

private:
    QIcon picture_ = PictureButton::icon(QStringLiteral("datei"));
};

} // namespace

FileView::FileView(AppState& app, MainViews& views, QWidget* parent)
    : QFrame(parent), app_(app), views_(views) {
    setObjectName(QStringLiteral("sentenceFileView"));
    setAccessibleName(QStringLiteral("Satzdateien"));
    setFrameShape(QFrame::Box);
    panelstyle::setColours(this, panelstyle::LightBlue, panelstyle::Black);
    setGeometry(twips(HiddenLeftTwips), twips(TopTwips), twips(WidthTwips), twips(HeightTwips));

    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("sentenceFileHint"));
    hint_->setWordWrap(true);
    hint_->setFont(panelstyle::layoutFont(HintFontPoints));

    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("sentenceFileList"));
    files_->setToolTip(QStringLiteral("Doppelklick zum Laden"));
    files_->setAccessibleName(QStringLiteral("Satzdateien, Doppelklick zum Laden"));
    files_->setFont(panelstyle::layoutFont(ListFontPoints, false));
    files_->setFixedWidth(twips(FileListWidthTwips));
    // A folder of thousands of lists shows its first names at once and measures the rest after.
    files_->setLayoutMode(QListView::Batched);
    files_->setItemDelegate(new FilePictureDelegate(files_));

    preview_ = new QPlainTextEdit(this);
    preview_->setObjectName(QStringLiteral("sentenceFilePreview"));
    preview_->setAccessibleName(QStringLiteral("Sätze der Datei"));
    preview_->setReadOnly(true);
    preview_->setFont(panelstyle::layoutFont(ListFontPoints, false));

    auto* layout = new QGridLayout(this);
    layout->addWidget(hint_, 0, 0, 1, 2);
    layout->addWidget(files_, 1, 0);
    layout->addWidget(preview_, 1, 1);
    layout->setColumnStretch(1, PreviewStretch);

    connect(files_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { views_.previewFile(files_->row(item)); });
    connect(files_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { views_.loadAndCloseFileView(files_->row(item)); });
    onReturnKey(files_, [this](int row) { views_.loadAndCloseFileView(row); });
    connect(&app.mainFiles, &SentenceFileList::changed, this, &FileView::showFiles);
    connect(&views, &MainViews::changed, this, &FileView::render);
    showFiles();
    render();
}

void FileView::showFiles() {
    const QSignalBlocker blocker(files_);
    if (shownNames_ != app_.mainFiles.names()) {
        shownNames_ = app_.mainFiles.names();
        files_->clear();
        files_->addItems(shownNames_);
    }
    files_->setCurrentRow(app_.mainFiles.selected());
}

void FileView::render() {
    placeView(this, views_.fileViewOpen(), OpenLeftTwips);
    showText(preview_, views_.previewLines());
    hint_->setText(views_.fileViewHint());
}

} // namespace tivoral
