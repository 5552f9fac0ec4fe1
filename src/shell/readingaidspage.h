#pragma once

#include "store/readingoptions.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace tivoral {

class AppState;
class SyllableLabel;

// The settings window's page "Lesehilfen": the teacher sets the reading aids for all children
// or for one of them. Every change is written at once and is in force at once.
class ReadingAidsPage final : public QWidget {
    Q_OBJECT
public:
    explicit ReadingAidsPage(AppState& app, QWidget* parent = nullptr);

    // Lists the children and the installed fonts anew; the page shows the default section first.
    void prepare();

private:
    QComboBox* addChoice(const char* name, const QString& caption, int top, int width);
    QCheckBox* addSwitch(const char* name, const QString& caption, int top);
    std::optional<QString> chosenUser() const;
    void showOptions();
    void showSample(const ReadingOptions& options);
    // "Silben farbig", offered only where the German syllable patterns are installed.
    void addSyllableSwitch();
    void change(const char* key, const QString& value);
    // The practice record's switch and button, for the whole folder whichever child is chosen.
    void addRecordControls();
    void showRecordSwitch();

    AppState& app_;
    QComboBox* child_ = nullptr;
    QComboBox* windowSize_ = nullptr;
    QComboBox* font_ = nullptr;
    QComboBox* spacing_ = nullptr;
    QComboBox* contrast_ = nullptr;
    QCheckBox* speech_ = nullptr;
    QCheckBox* hearTarget_ = nullptr;
    QCheckBox* umlautKeys_ = nullptr;
    QCheckBox* troubleMoreOften_ = nullptr;
    QCheckBox* announceMarks_ = nullptr;
    QCheckBox* syllableColours_ = nullptr;
    SyllableLabel* sample_ = nullptr;
    QCheckBox* recordSwitch_ = nullptr;
};

} // namespace tivoral
