#pragma once

#include <QDialog>
#include <QStringList>

#include "tools/Tips.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace zor {

// "ZOR GUI Tips": the tips of "tips.txt" one at a time, and the switch that
// keeps them from showing at start-up (the marker file "notips.txt").
class fTips : public QDialog {
    Q_OBJECT

public:
    // Reads the tips and shows the first (Form_Load).
    explicit fTips(QWidget* parent = nullptr);

    void ShowNextTip();
    void ShowPrevTip();
    void Check1_Click();

    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* TipCaption = nullptr;
    QLabel* TipText = nullptr;
    QPushButton* Command1 = nullptr; // "Close"
    QPushButton* Command2 = nullptr; // "Next >"
    QPushButton* Command3 = nullptr; // "< Back"
    QCheckBox* Check1 = nullptr;
    // The lines of "tips.txt".
    QStringList stack;

private:
    void Show(const TipWalk& walk);

    TipWalk walk_;
};

// The marker file whose presence keeps the tips from showing at start-up.
QString NoTipsFile();
QString TipsFile();

} // namespace zor
