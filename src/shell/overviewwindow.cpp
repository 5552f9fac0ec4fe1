#include "shell/overviewwindow.h"

#include "exercises/panelstyle.h"
#include "platform/dialogs.h"
#include "platform/offthread.h"
#include "platform/picturebutton.h"
#include "platform/textmarks.h"
#include "platform/twips.h"
#include "platform/windowscale.h"
#include "shell/childreport.h"
#include "shell/progresschart.h"
#include "store/appstate.h"
#include "store/learningoverview.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>

namespace tivoral {

namespace {
constexpr int TitlePoints = 18;
constexpr int TextPoints = 12;
constexpr int ChartStretch = 3;
constexpr int TroubleStretch = 2;
constexpr int TableStretch = 2;
constexpr int ChildStretch = 3;
constexpr int ChooserCharacters = 16;

QLabel* heading(const QString& text, int points, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(panelstyle::layoutFont(points));
    return label;
}

QPushButton* textButton(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setFont(panelstyle::layoutFont(TextPoints));
    return button;
}
} // namespace

OverviewWindow::OverviewWindow(AppState& app, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      app_(app) {
    setObjectName(QStringLiteral("overviewWindow"));
    setWindowTitle(QStringLiteral("Tivoral:  Lernstand"));
    setWindowIcon(PictureButton::icon(QStringLiteral("tivoral")));
    // Resizable, so that it fits a small screen: the table, chart and list share what there is.
    resize(twips(WidthTwips), twips(HeightTwips));
    panelstyle::setColours(this, panelstyle::PaleBackground, panelstyle::Black);
    const QFont textFont = panelstyle::layoutFont(TextPoints, false);

    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("childTable"));
    table_->setAccessibleName(QStringLiteral("Übersicht der Kinder"));
    table_->setFont(textFont);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setFont(panelstyle::layoutFont(TextPoints));

    childChooser_ = new QComboBox(this);
    childChooser_->setObjectName(QStringLiteral("childChooser"));
    childChooser_->setAccessibleName(QStringLiteral("Kind"));
    childChooser_->setFont(textFont);
    childChooser_->setMinimumContentsLength(ChooserCharacters);

    periodChooser_ = new QComboBox(this);
    periodChooser_->setObjectName(QStringLiteral("periodChooser"));
    periodChooser_->setAccessibleName(QStringLiteral("Zeitraum"));
    periodChooser_->setFont(textFont);
    for (const OverviewPeriod period : OverviewPeriods)
        periodChooser_->addItem(periodText(period), int(period));
    periodChooser_->setCurrentIndex(periodChooser_->findData(int(OverviewPeriod::LastFourWeeks)));

    auto* reportButton = textButton("reportButton", QStringLiteral("Bericht drucken"), this);
    reportButton->setToolTip(QStringLiteral("Eine Seite über das gewählte Kind, als PDF-Datei"));
    auto* exportButton =
        textButton("exportButton", QStringLiteral("Als CSV-Datei speichern"), this);
    exportButton->setToolTip(
        QStringLiteral("Die Tabelle als CSV-Datei im Arbeitsordner speichern"));
    auto* closeButton = textButton("closeOverviewButton", QStringLiteral("Zum Hauptfenster"), this);

    troubleList_ = new QListWidget(this);
    troubleList_->setObjectName(QStringLiteral("troubleList"));
    troubleList_->setAccessibleName(QStringLiteral("Schwierige Sätze"));
    troubleList_->setFont(textFont);
    troubleList_->setWordWrap(true);

    auto* chooserRow = new QHBoxLayout;
    chooserRow->addWidget(heading(QStringLiteral("Kind:"), TextPoints, this));
    chooserRow->addWidget(childChooser_);
    chooserRow->addWidget(reportButton);
    chooserRow->addStretch();
    chooserRow->addWidget(exportButton);
    chooserRow->addWidget(closeButton);

    auto* troubleColumn = new QVBoxLayout;
    troubleColumn->addWidget(heading(QStringLiteral("Schwierige Sätze"), TextPoints, this));
    troubleColumn->addWidget(troubleList_);

    auto* childRow = new QHBoxLayout;
    chart_ = new ProgressChart(this);
    childRow->addWidget(chart_, ChartStretch);
    childRow->addLayout(troubleColumn, TroubleStretch);

    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(heading(QStringLiteral("Lernstand der Kinder"), TitlePoints, this));
    titleRow->addStretch();
    titleRow->addWidget(heading(QStringLiteral("Zeitraum:"), TextPoints, this));
    titleRow->addWidget(periodChooser_);

    auto* page = new QVBoxLayout(this);
    page->addLayout(titleRow);
    page->addWidget(table_, TableStretch);
    page->addLayout(chooserRow);
    page->addLayout(childRow, ChildStretch);

    connect(childChooser_, &QComboBox::currentIndexChanged, this, &OverviewWindow::showChild);
    connect(table_, &QTableWidget::currentCellChanged, childChooser_, &QComboBox::setCurrentIndex);
    connect(exportButton, &QPushButton::clicked, this, [this] { overview_->exportTable(); });
    connect(reportButton, &QPushButton::clicked, this, &OverviewWindow::printReport);
    connect(periodChooser_, &QComboBox::currentIndexChanged, this, [this] {
        overview_->setPeriod(OverviewPeriod(periodChooser_->currentData().toInt()));
        showTable();
    });
    connect(closeButton, &QPushButton::clicked, this, &OverviewWindow::returnToMainWindow);

    windowscale::followTeacherScreen(*this);
    windowscale::centreOnScreen(*this);
}

OverviewWindow::~OverviewWindow() = default;

void OverviewWindow::activate(int failedLines) {
    // The window is there at once; a class's year of record is read meanwhile, off the window
    // thread, so nothing freezes. The last opening's figures are not shown in between.
    {
        const QSignalBlocker blocker(table_);
        table_->setRowCount(0);
    }
    troubleList_->clear();
    show();
    raise();
    activateWindow();
    const auto period = OverviewPeriod(periodChooser_->currentData().toInt());
    overview_ = runOffWindowThread([this, failedLines, period] {
        auto overview = std::make_unique<LearningOverview>(app_, failedLines);
        overview->setPeriod(period);
        return overview;
    });
    showTable();
    overview_->showNotice();
}

void OverviewWindow::showTable() {
    // The child looked at stays chosen when the period changes, as long as it has a row.
    const QString chosen = childChooser_->currentText();
    const OverviewTable table = overview_->figures().table();
    table_->clear();
    table_->setColumnCount(int(table.header.size()));
    table_->setRowCount(int(table.rows.size()));
    QStringList headings = table.header;
    for (QString& title : headings) // two short lines keep the columns narrow
        title.replace(QLatin1Char(' '), QLatin1Char('\n'));
    table_->setHorizontalHeaderLabels(headings);
    for (int row = 0; row < table_->rowCount(); ++row) {
        const QStringList& cells = table.rows[size_t(row)];
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells.at(column));
            if (column > 0)
                item->setTextAlignment(Qt::AlignCenter);
            table_->setItem(row, column, item);
        }
    }
    table_->resizeColumnsToContents();

    const QSignalBlocker blocker(childChooser_);
    childChooser_->clear();
    for (const ChildFigures& child : overview_->figures().children())
        childChooser_->addItem(child.user);
    const int same = childChooser_->findText(chosen, Qt::MatchExactly);
    childChooser_->setCurrentIndex(same >= 0 ? same : (childChooser_->count() > 0 ? 0 : -1));
    showChild(childChooser_->currentIndex());
}

void OverviewWindow::showChild(int index) {
    const auto& children = overview_->figures().children();
    const bool known = index >= 0 && size_t(index) < children.size();
    const QString user = known ? children[size_t(index)].user : QString();
    table_->selectRow(index);

    auto days = overview_->figures().days(user, overview_->lastChartDay());
    const QString title =
        known ? user + QStringLiteral(": %1 bis %2")
                           .arg(days.front().date.toString(QStringLiteral("dd.MM.")),
                                days.back().date.toString(QStringLiteral("dd.MM.yyyy")))
              : QString();
    chart_->showDays(std::move(days), title);

    troubleList_->clear();
    for (const TroubleSentence& trouble : overview_->figures().troubleSentences(user))
        troubleList_->addItem(trouble.sentence + QStringLiteral("\n    ") +
                              troubleWording(trouble));
}

void OverviewWindow::printReport() {
    if (const auto report = ChildReport::of(*overview_, childChooser_->currentText()))
        makeChildReport(app_, *report);
    else
        app_.dialogs.message(QStringLiteral("Im gewählten Zeitraum hat noch kein Kind geübt.") + CR,
                             QStringLiteral("Bericht drucken"), Buttons::Ok, Icon::Information);
}

void OverviewWindow::returnToMainWindow() {
    hide();
    Q_EMIT returnedToMainWindow();
}

void OverviewWindow::closeEvent(QCloseEvent* event) {
    // Leaving through the frame takes the same way back as the button.
    event->ignore();
    returnToMainWindow();
}

} // namespace tivoral
