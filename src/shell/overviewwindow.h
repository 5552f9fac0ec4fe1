#pragma once

#include <QWidget>

#include <memory>

class QComboBox;
class QListWidget;
class QTableWidget;

namespace tivoral {

class AppState;
class LearningOverview;
class ProgressChart;

// The teacher's "Lernstand": each child's figures in a table, the chosen child's last weeks in
// a chart, that child's hardest sentences, and the table's export. Each opening reads the
// record anew.
class OverviewWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int WidthTwips = 15600;
    static constexpr int HeightTwips = 12000;

    explicit OverviewWindow(AppState& app, QWidget* parent = nullptr);
    ~OverviewWindow() override;

    // failedLines: lines of this run that could not be added to the record.
    void activate(int failedLines);

Q_SIGNALS:
    void returnedToMainWindow();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showTable();
    void showChild(int index);
    void printReport();
    void returnToMainWindow();

    AppState& app_;
    std::unique_ptr<LearningOverview> overview_;
    QTableWidget* table_ = nullptr;
    QComboBox* childChooser_ = nullptr;
    QComboBox* periodChooser_ = nullptr;
    ProgressChart* chart_ = nullptr;
    QListWidget* troubleList_ = nullptr;
};

} // namespace tivoral
