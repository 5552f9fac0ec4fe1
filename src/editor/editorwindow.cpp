#include "editor/editorwindow.h"

#include "editor/listrules.h"
#include "editor/samplelistdialog.h"
#include "editor/samplelists.h"
#include "editor/spellinglineedit.h"
#include "editor/spellmarkdelegate.h"
#include "platform/controls.h"
#include "platform/picturebutton.h"
#include "platform/twips.h"
#include "platform/windowscale.h"
#include "store/appstate.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSessionManager>
#include <QSignalBlocker>
#include <QToolButton>

namespace tivoral {

namespace {

constexpr int WarningPointSize = 13;
constexpr int WarningShownLeftTwips = 1560;

} // namespace

EditorWindow::EditorWindow(AppState& app, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      app_(app), editor_(app), saver_(app, editor_.files()), printer_(app, printing_),
      transfer_(app, clipboard_), unsavedEdits_(app, saver_), recovery_(app, unsavedEdits_),
      model_(app.store), spelling_(app) {
    setObjectName(QStringLiteral("editorWindow"));
    setWindowTitle(QStringLiteral("Tivoral:  Satzeditor"));
    setWindowIcon(PictureButton::icon(QStringLiteral("tivoral")));
    setFixedSize(twips(WidthTwips), twips(HeightTwips));
    buildControls();
    connectLogic();
    buildSpellingControls();
    showFileStatus();
    showFiles();
    showSelectedSentence();

    windowscale::followTeacherScreen(*this);
    windowscale::centreOnScreen(*this);
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &EditorWindow::answerSessionEnd);
}

void EditorWindow::buildControls() {
    constexpr int TopRowTwips = 120;
    constexpr int EditRowTwips = 6600;
    connect(addPictureButton(this, "closeEditorButton", QStringLiteral("Zum Hauptfenster"),
                             QStringLiteral("hauptfenster"), 240, TopRowTwips),
            &QToolButton::clicked, this, &EditorWindow::returnToMainWindow);
    connect(addPictureButton(this, "saveListButton", QStringLiteral("Liste speichern"),
                             QStringLiteral("speichern"), 1080, TopRowTwips),
            &QToolButton::clicked, this, [this] { saver_.save(); });
    connect(addPictureButton(this, "printListButton", QStringLiteral("Liste drucken"),
                             QStringLiteral("drucken"), 1920, TopRowTwips),
            &QToolButton::clicked, this, [this] { printer_.print(); });
    connect(addPictureButton(this, "pasteButton", QStringLiteral("Aus Ablage einfügen"),
                             QStringLiteral("einfuegen"), 2760, TopRowTwips),
            &QToolButton::clicked, this, &EditorWindow::paste);
    connect(addPictureButton(this, "copyButton", QStringLiteral("Liste in Ablage"),
                             QStringLiteral("kopieren"), 3600, TopRowTwips),
            &QToolButton::clicked, this, [this] { transfer_.copy(); });
    connect(addPictureButton(this, "fileListButton", QStringLiteral("Dateiliste ein/aus"),
                             QStringLiteral("dateiliste"), 4440, TopRowTwips),
            &QToolButton::clicked, &editor_, &SentenceEditor::toggleFileList);
    // Right of where the file list opens, so the list never covers it.
    constexpr int WorksheetsLeftTwips = 8160;
    connect(addPictureButton(this, "worksheetsButton", QStringLiteral("Arbeitsblätter"),
                             QStringLiteral("arbeitsblatt"), WorksheetsLeftTwips, TopRowTwips),
            &QToolButton::clicked, this, &EditorWindow::worksheetsRequested);
    // At the right end of the row, where the file list never covers it.
    constexpr int SampleListsLeftTwips = 9000;
    connect(addPictureButton(this, "sampleListsButton", QStringLiteral("Beispiellisten"),
                             QStringLiteral("beispiellisten"), SampleListsLeftTwips, TopRowTwips),
            &QToolButton::clicked, this, &EditorWindow::offerSampleLists);

    fileLabel_ = addLabel(this, "fileLabel", QString(), twipsRect(120, 960, 4335, 255));
    fileLabel_->setAccessibleDescription(QStringLiteral("Geladene Datei"));
    countLabel_ = addLabel(this, "sentenceCountLabel", QString(), twipsRect(6720, 960, 2775, 255));
    countLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    countLabel_->setAccessibleDescription(QStringLiteral("Anzahl der Sätze"));

    sentences_ = new QListView(this);
    sentences_->setObjectName(QStringLiteral("sentenceList"));
    sentences_->setAccessibleName(QStringLiteral("Satzliste"));
    sentences_->setGeometry(twipsRect(120, 1200, 9375, 5310));
    sentences_->setUniformItemSizes(true);
    // Several lines may be marked for a worksheet; the buttons act on the current one.
    sentences_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    sentences_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sentences_->setModel(&model_);
    sentences_->installEventFilter(this);

    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("fileList"));
    files_->setToolTip(QStringLiteral("Doppelklick zum Laden"));
    files_->setAccessibleName(QStringLiteral("Dateiliste"));
    // Below the count line, so the open list never covers the sentence count.
    files_->setGeometry(twipsRect(5040, 1230, 2775, 2430));
    files_->setUniformItemSizes(true);
    files_->setVisible(false);
    files_->viewport()->installEventFilter(this);
    files_->installEventFilter(this);

    warning_ = new QPushButton(QStringLiteral("Ein Satz darf maximal 18 Wörter enthalten!"), this);
    warning_->setObjectName(QStringLiteral("wordLimitWarning"));
    warning_->setGeometry(twipsRect(WarningShownLeftTwips, 3000, 6495, 1335));
    // The font is set, not styled, so that it grows with the window size.
    QFont warningFont = warning_->font();
    warningFont.setPointSizeF(scaledPoints(WarningPointSize));
    warningFont.setBold(true);
    warning_->setFont(warningFont);
    warning_->setStyleSheet(QStringLiteral("QPushButton { color: #c00000; background: #fff4b8;"
                                           " border: 3px solid #c00000; border-radius: 6px; }"));
    warning_->setCursor(Qt::PointingHandCursor);
    warning_->setVisible(false);

    connect(addPictureButton(this, "addSentenceButton", QStringLiteral("Text in Liste übernehmen"),
                             QStringLiteral("uebernehmen"), 3480, EditRowTwips),
            &QToolButton::clicked, this, &EditorWindow::addInput);
    connect(addPictureButton(this, "replaceButton", QStringLiteral("Markierte Zeile ersetzen"),
                             QStringLiteral("ersetzen"), 4200, EditRowTwips),
            &QToolButton::clicked, &editor_, &SentenceEditor::replace);
    connect(addPictureButton(this, "fetchButton", QStringLiteral("Markierte Zeile holen"),
                             QStringLiteral("holen"), 4920, EditRowTwips),
            &QToolButton::clicked, &editor_, &SentenceEditor::fetch);
    connect(addPictureButton(this, "deleteButton", QStringLiteral("Markierte Zeile löschen"),
                             QStringLiteral("loeschen"), 5640, EditRowTwips),
            &QToolButton::clicked, &editor_, &SentenceEditor::deleteSelected);

    addLabel(this, "inputLabel", QStringLiteral("Satzeingabe:"), twipsRect(120, 6960, 1695, 255));
    wordLabel_ = addLabel(this, "wordCountLabel", QString(), twipsRect(6840, 6960, 2655, 255));
    wordLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    wordLabel_->setAccessibleDescription(QStringLiteral("Anzahl der Wörter"));

    input_ = new SpellingLineEdit(spelling_, this);
    input_->setObjectName(QStringLiteral("sentenceInput"));
    input_->setAccessibleName(QStringLiteral("Satzeingabe"));
    input_->setGeometry(twipsRect(120, 7200, 9375, 375));
}

void EditorWindow::connectLogic() {
    connect(warning_, &QPushButton::clicked, &editor_, &SentenceEditor::hideWarning);

    connect(input_, &QLineEdit::textChanged, &editor_, &SentenceEditor::setInput);
    connect(input_, &QLineEdit::returnPressed, this, &EditorWindow::addInput);
    connect(&editor_, &SentenceEditor::inputChanged, this, [this](const QString& text) {
        if (input_->text() != text)
            input_->setText(text);
    });
    connect(&editor_, &SentenceEditor::wordDisplayChanged, wordLabel_, &QLabel::setText);
    connect(&editor_, &SentenceEditor::warningShownChanged, this, &EditorWindow::showWarning);
    connect(&editor_, &SentenceEditor::fileListShownChanged, this, [this](bool shown) {
        files_->setVisible(shown);
        if (shown)
            files_->raise();
    });

    connect(&editor_.files(), &SentenceFileList::changed, this, &EditorWindow::showFiles);
    connect(files_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row != editor_.files().selected())
            editor_.selectFile(row);
    });

    connect(&app_.fileStatus, &SentenceFileStatus::changed, this, &EditorWindow::showFileStatus);

    // The highlight is the marked line: a click beside the lines or a Ctrl click takes it
    // away, and then the buttons have no line to act on either.
    connect(sentences_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &EditorWindow::markSelectedRow);
    connect(sentences_, &QListView::doubleClicked, this, &EditorWindow::fetchRow);
    connect(&app_.store, &SentenceStore::selectedChanged, this,
            &EditorWindow::showSelectedSentence);
    // A reset forgets the current row.
    connect(&model_, &QAbstractItemModel::modelReset, this, &EditorWindow::showSelectedSentence);
}

void EditorWindow::activate() {
    editor_.refreshFiles();
    spelling_.start();
    showSelectedSentence();
    show();
    raise();
    activateWindow();
    input_->setFocus();
    if (sentences_->currentIndex().isValid())
        sentences_->scrollTo(sentences_->currentIndex());
    recovery_.offerKeptEdits();
}

void EditorWindow::addInput() {
    const int firstNewRow = app_.store.count();
    if (editor_.add())
        showRowsFrom(firstNewRow);
}

void EditorWindow::paste() {
    const int firstNewRow = app_.store.count();
    if (transfer_.paste() > 0)
        showRowsFrom(firstNewRow);
}

void EditorWindow::showRowsFrom(int firstNewRow) {
    // New lines come at the end; the marked line stays marked, even when out of view.
    sentences_->scrollTo(model_.index(firstNewRow), QAbstractItemView::PositionAtTop);
}

void EditorWindow::fetchRow(const QModelIndex& index) {
    app_.store.setSelected(index.row());
    editor_.fetch();
    input_->setFocus();
}

void EditorWindow::markSelectedRow() {
    const QItemSelectionModel* selection = sentences_->selectionModel();
    const QModelIndexList rows = selection->selectedRows();
    const QModelIndex current = selection->currentIndex();
    if (current.isValid() && selection->isSelected(current))
        app_.store.setSelected(current.row());
    else
        app_.store.setSelected(rows.isEmpty() ? SentenceStore::NoSelection
                                              : rows.constFirst().row());
}

QList<int> EditorWindow::markedRows() const {
    QList<int> rows;
    for (const QModelIndex& index : sentences_->selectionModel()->selectedRows())
        rows.append(index.row());
    return rows;
}

void EditorWindow::returnToMainWindow() {
    if (!unsavedEdits_.mayGoOn())
        return;
    hide();
    Q_EMIT returnedToMainWindow();
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    if (!unsavedEdits_.mayGoOn()) {
        event->ignore();
        return;
    }
    event->accept();
    Q_EMIT returnedToMainWindow();
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    const int key =
        event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event)->key() : Qt::Key_unknown;
    const bool doubleClick =
        watched == files_->viewport() && event->type() == QEvent::MouseButtonDblClick;
    const bool enterKey = watched == files_ && (key == Qt::Key_Return || key == Qt::Key_Enter);
    if (doubleClick || enterKey) {
        editor_.loadSelectedFile(unsavedEdits_);
        return true;
    }
    if (watched == sentences_ && key == Qt::Key_Delete) {
        editor_.deleteSelected();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void EditorWindow::showFileStatus() {
    const QString& path = app_.fileStatus.editorPath();
    fileLabel_->setText(
        fileLabel_->fontMetrics().elidedText(path, Qt::ElideMiddle, fileLabel_->width()));
    fileLabel_->setToolTip(path);
    countLabel_->setText(listrules::countLabelText(app_.fileStatus));
}

void EditorWindow::showFiles() {
    const SentenceFileList& files = editor_.files();
    // Refilling under the mouse would lose the click that selected an entry.
    const QSignalBlocker blocker(files_);
    if (files.names() != shownFileNames_) {
        shownFileNames_ = files.names();
        files_->clear();
        files_->addItems(shownFileNames_);
    }
    files_->setCurrentRow(files.selected());
}

void EditorWindow::showSelectedSentence() {
    QItemSelectionModel* selection = sentences_->selectionModel();
    const int selected = app_.store.selected();
    if (selected == SentenceStore::NoSelection) {
        // No focus frame either, so no line looks marked.
        if (selection->hasSelection() || selection->currentIndex().isValid())
            selection->clear();
        return;
    }
    const QModelIndex index = model_.index(selected);
    if (!selection->isSelected(index) || selection->currentIndex() != index)
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void EditorWindow::answerSessionEnd(QSessionManager& manager) {
    if (!recovery_.sessionEnds(manager.allowsInteraction()))
        manager.cancel();
    manager.release();
}

void EditorWindow::offerSampleLists() {
    if (!sampleLists_) {
        sampleLists_ = new SampleListDialog(this);
        connect(sampleLists_, &SampleListDialog::listChosen, this, [this](const QString& name) {
            if (!unsavedEdits_.mayGoOn())
                return;
            // The loaded list must not lie under the file list.
            if (SampleLists::load(app_, name) && editor_.fileListShown())
                editor_.toggleFileList();
        });
    }
    sampleLists_->open();
}

void EditorWindow::buildSpellingControls() {
    saver_.setSaveCheck([this] { return spelling_.mayGoOnWithSave(); });
    model_.showSpelling(spelling_.listCheck());
    sentences_->setItemDelegate(new SpellMarkDelegate(sentences_));

    // Beside the sentence count, in the gap left of it.
    QLabel* unknownCount =
        addLabel(this, "unknownWordsLabel", QString(), twipsRect(4560, 960, 2040, 255));
    unknownCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    unknownCount->setStyleSheet(QStringLiteral("QLabel { color: #c00000; }"));
    unknownCount->setAccessibleDescription(QStringLiteral("Unbekannte Wörter in der Liste"));
    connect(&spelling_, &EditorSpelling::unknownCountChanged, unknownCount, &QLabel::setText);

    // Below the input line.
    QLabel* status = addLabel(this, "spellingStatus", QString(), twipsRect(120, 7620, 9375, 255));
    status->setAccessibleDescription(QStringLiteral("Rechtschreibprüfung"));
    connect(&spelling_, &EditorSpelling::statusChanged, status, &QLabel::setText);
}

void EditorWindow::showWarning(bool shown) {
    warning_->setVisible(shown);
    if (shown)
        warning_->raise();
}

} // namespace tivoral
