#include "worksheets/worksheetdialog.h"

#include "platform/fonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace tivoral {

namespace {
constexpr int DialogPoints = 12;
} // namespace

WorksheetDialog::WorksheetDialog(const WorksheetOptions& options, int markedCount,
                                 const QString& classFont, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("worksheetDialog"));
    setWindowTitle(QStringLiteral("Arbeitsblätter"));
    QFont dialogFont = font();
    dialogFont.setPointSize(DialogPoints);
    setFont(dialogFont);

    auto* exerciseBox = new QGroupBox(QStringLiteral("Übungen"), this);
    auto* exerciseColumn = new QVBoxLayout(exerciseBox);
    for (const SheetExerciseKind& kind : sheetExercises()) {
        auto* box = new QCheckBox(kind.title, exerciseBox);
        box->setObjectName(QStringLiteral("exercise") + kind.key);
        exerciseColumn->addWidget(box);
        exercises_.append(box);
        connect(box, &QCheckBox::toggled, this, &WorksheetDialog::updateCreateButton);
    }
    solutions_ = new QCheckBox(QStringLiteral("Lösungen anhängen"), this);
    solutions_->setObjectName(QStringLiteral("solutionsSwitch"));

    auto* sentenceBox = new QGroupBox(QStringLiteral("Sätze"), this);
    allSentences_ = new QRadioButton(QStringLiteral("Alle Sätze"), sentenceBox);
    allSentences_->setObjectName(QStringLiteral("allSentences"));
    markedSentences_ = new QRadioButton(
        markedCount == 1 ? QStringLiteral("Den markierten Satz")
                         : QStringLiteral("Die markierten Sätze (%1)").arg(markedCount),
        sentenceBox);
    markedSentences_->setObjectName(QStringLiteral("markedSentences"));
    firstSentences_ = new QRadioButton(QStringLiteral("Die ersten"), sentenceBox);
    firstSentences_->setObjectName(QStringLiteral("firstSentences"));
    firstCount_ = new QSpinBox(sentenceBox);
    firstCount_->setObjectName(QStringLiteral("firstCount"));
    firstCount_->setAccessibleName(QStringLiteral("Anzahl der ersten Sätze"));
    firstCount_->setRange(1, WorksheetContent::MaxSentences);
    auto* firstRow = new QHBoxLayout;
    firstRow->addWidget(firstSentences_);
    firstRow->addWidget(firstCount_);
    firstRow->addWidget(new QLabel(QStringLiteral("Sätze"), sentenceBox));
    firstRow->addStretch();
    auto* sentenceColumn = new QVBoxLayout(sentenceBox);
    sentenceColumn->addWidget(allSentences_);
    sentenceColumn->addWidget(markedSentences_);
    sentenceColumn->addLayout(firstRow);
    connect(firstCount_, &QSpinBox::valueChanged, firstSentences_,
            [this] { firstSentences_->setChecked(true); });

    font_ = new QComboBox(this);
    font_->setObjectName(QStringLiteral("worksheetFont"));
    font_->setAccessibleName(QStringLiteral("Schrift"));
    // The class font stands for whatever the settings name, now and later.
    font_->addItem(classFont + QStringLiteral(" (Schrift der Einstellungen)"), QString());
    const QStringList installed = QFontDatabase::families();
    for (const char* reader : fonts::ReaderFamilies) {
        const QString family = QLatin1String(reader);
        if (installed.contains(family) && family != classFont)
            font_->addItem(family, family);
    }
    auto* fontRow = new QFormLayout;
    fontRow->addRow(QStringLiteral("Schrift:"), font_);
    // Coloured syllables as the children know them from the screen; arcs for a printer without
    // colour.
    syllables_ = new QComboBox(this);
    syllables_->setObjectName(QStringLiteral("worksheetSyllables"));
    syllables_->setAccessibleName(QStringLiteral("Silben"));
    syllables_->addItem(QStringLiteral("nicht markieren"), int(SyllableStyle::None));
    syllables_->addItem(QStringLiteral("Silben farbig"), int(SyllableStyle::Colours));
    syllables_->addItem(QStringLiteral("Silbenbögen"), int(SyllableStyle::Arcs));
    fontRow->addRow(QStringLiteral("Silben:"), syllables_);

    auto* buttons = new QDialogButtonBox(this);
    create_ = buttons->addButton(QStringLiteral("Erstellen"), QDialogButtonBox::AcceptRole);
    create_->setObjectName(QStringLiteral("createWorksheetButton"));
    create_->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelWorksheetButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* page = new QVBoxLayout(this);
    page->addWidget(exerciseBox);
    page->addWidget(solutions_);
    page->addWidget(sentenceBox);
    page->addLayout(fontRow);
    page->addWidget(buttons);

    showChoices(options, markedCount);
}

void WorksheetDialog::showChoices(const WorksheetOptions& options, int markedCount) {
    for (qsizetype k = 0; k < exercises_.size(); ++k)
        exercises_.at(k)->setChecked(options.exercises.contains(sheetExercises().at(k).exercise));
    solutions_->setChecked(options.solutions);
    firstCount_->setValue(options.firstCount);
    markedSentences_->setEnabled(markedCount > 0);
    switch (options.sentences) {
    case WorksheetOptions::Sentences::All:
        allSentences_->setChecked(true);
        break;
    case WorksheetOptions::Sentences::Marked:
        // Nothing marked this time: the whole list rather than an empty sheet.
        (markedCount > 0 ? markedSentences_ : allSentences_)->setChecked(true);
        break;
    case WorksheetOptions::Sentences::First:
        firstSentences_->setChecked(true);
        break;
    }
    const int font = font_->findData(options.fontFamily);
    font_->setCurrentIndex(font < 0 ? 0 : font);
    syllables_->setCurrentIndex(std::max(0, syllables_->findData(int(options.syllables))));
    updateCreateButton();
}

void WorksheetDialog::updateCreateButton() {
    bool any = false;
    for (const QCheckBox* box : exercises_)
        any = any || box->isChecked();
    create_->setEnabled(any);
}

WorksheetOptions WorksheetDialog::options() const {
    WorksheetOptions options;
    options.exercises.clear();
    for (qsizetype k = 0; k < exercises_.size(); ++k) {
        if (exercises_.at(k)->isChecked())
            options.exercises.append(sheetExercises().at(k).exercise);
    }
    options.solutions = solutions_->isChecked();
    options.sentences = markedSentences_->isChecked()  ? WorksheetOptions::Sentences::Marked
                        : firstSentences_->isChecked() ? WorksheetOptions::Sentences::First
                                                       : WorksheetOptions::Sentences::All;
    options.firstCount = firstCount_->value();
    options.fontFamily = font_->currentData().toString();
    options.syllables = SyllableStyle(syllables_->currentData().toInt());
    return options;
}

} // namespace tivoral
