#pragma once

#include "tools/CommandHistory.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace zor {

// The command window: a unit typed by hand runs through the interpreter as
// if the host had sent it. The units typed are kept as the combo's list.
class fCommand : public QDialog {
    Q_OBJECT

public:
    explicit fCommand(QWidget* sessionWindow);

    QLabel* Label1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QPushButton* Command2 = nullptr; // "&Remove"
    QPushButton* Command1 = nullptr; // "&Close"

    void Combo1_Enter();
    void Command2_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowHistory();
    CommandHistory mHistory;
};

// Alt+D: the command window, modal.
void ShowCommandWindow();

} // namespace zor
