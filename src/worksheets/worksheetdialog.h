#pragma once

#include "worksheets/worksheetcontent.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tivoral {

// "Arbeitsblätter": the teacher chooses the exercises, whether the solutions follow, which
// sentences and the font, then "Erstellen" or "Abbrechen".
class WorksheetDialog final : public QDialog {
    Q_OBJECT
public:
    // markedCount: the sentences marked in the editor's list; classFont: the settings' font.
    WorksheetDialog(const WorksheetOptions& options, int markedCount, const QString& classFont,
                    QWidget* parent = nullptr);

    WorksheetOptions options() const;

private:
    void showChoices(const WorksheetOptions& options, int markedCount);
    void updateCreateButton();

    QList<QCheckBox*> exercises_; // in the order of sheetExercises()
    QCheckBox* solutions_ = nullptr;
    QRadioButton* allSentences_ = nullptr;
    QRadioButton* markedSentences_ = nullptr;
    QRadioButton* firstSentences_ = nullptr;
    QSpinBox* firstCount_ = nullptr;
    QComboBox* font_ = nullptr;
    QComboBox* syllables_ = nullptr;
    QPushButton* create_ = nullptr;
};

} // namespace tivoral
