#pragma once

#include "shell/practicechart.h"

#include <QWidget>

#include <vector>

namespace tivoral {

// The "Lernstand" window's chart of the chosen child's days in the chosen period.
class ProgressChart final : public QWidget {
    Q_OBJECT
public:
    explicit ProgressChart(QWidget* parent = nullptr);

    void showDays(std::vector<PracticeDay> days, const QString& title);
    const std::vector<PracticeDay>& days() const { return days_; }
    const QString& title() const { return title_; }

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void followFont();

    std::vector<PracticeDay> days_;
    QString title_;
    PracticeChartStyle style_;
};

} // namespace tivoral
