#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;
class QRadioButton;

namespace zor {

// Asks how the session window is to be printed. The window stays loaded
// between uses; the caller reads the options after the modal display.
class fPrintType : public QDialog {
    Q_OBJECT

public:
    // What the user chose.
    enum Choice { NoPrint = -1, ScreenShot = 0, TextOnly = 1 };

    static fPrintType& instance();
    // Shows the window modally with both options clear and answers the choice
    // the options hold afterwards.
    Choice Choose();

    QLabel* Label1 = nullptr;
    // Element 0 "Print page as full color screen shot", element 1 "Print just
    // the text as displayed on the screen".
    std::array<QRadioButton*, 2> optPrintType = {};
    QPushButton* Command1 = nullptr; // &Print
    QPushButton* Command2 = nullptr; // &Cancel

private:
    fPrintType();
    void ClearOptions();
};

} // namespace zor
