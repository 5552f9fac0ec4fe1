#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace tivoral {

// Offers the lists that come with the program, each with what it practises and its first
// sentence; the teacher picks one by double click or "Laden".
class SampleListDialog final : public QDialog {
    Q_OBJECT
public:
    explicit SampleListDialog(QWidget* parent = nullptr);

Q_SIGNALS:
    void listChosen(const QString& name);

private:
    void choose();

    QListWidget* lists_ = nullptr;
    QPushButton* loadButton_ = nullptr;
};

} // namespace tivoral
