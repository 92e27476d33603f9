#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zor {

// The prompt for the settings password. It compares nothing: Text1 holds
// what was typed after OK and is empty after Cancel or closing.
class fPropLock : public QDialog {
    Q_OBJECT

public:
    explicit fPropLock(QWidget* sessionWindow = nullptr);

    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* Command1;
    QPushButton* Command2;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void Command1_Click();
    void Command2_Click();
    QWidget* sessionWindow_;
};

} // namespace zor
