#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace zor {

// The about window: the program's picture and its version line.
class fHelpAbout : public QDialog {
    Q_OBJECT

public:
    explicit fHelpAbout(QWidget* parent);

    QLabel* Picture1 = nullptr;
    QLabel* Label4 = nullptr;        // the version line
    QPushButton* Command1 = nullptr; // &OK
};

} // namespace zor
