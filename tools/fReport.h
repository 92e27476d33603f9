#pragma once

#include "tools/ReportPaper.h"

#include <QWidget>
#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QPrinter;
class QScrollBar;
class QToolButton;

namespace zor {

class PictureBox;

// "Report": the captured report on bar paper, a page at a time, with find,
// open, save and print. It shows the program's report store, which outlives
// the window while a capture runs.
class fReport : public QWidget {
    Q_OBJECT

public:
    // The report commands, by the index of their button.
    enum Command {
        NextPage,
        PreviousPage,
        OpenReport,
        BottomOfReport,
        TopOfReport,
        PrintReport,
        SaveReport,
        ChooseFont,
        PrinterSetup,
    };

    static fReport& instance();
    // Shows the store as it stands from its first line, not modal: at the
    // host's report end, and at a new report while shown.
    void ShowReport();
    // From the session window's menu and toolbar: shown, the scroll bar
    // focused.
    void ShowFromMenu();
    // Draws the page that starts at TopLine.
    void DrawPage();
    void RptCmnd_Click(int index);
    void ReportFind_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    QWidget* Picture1 = nullptr;
    PictureBox* PaperFace = nullptr;
    QWidget* Line1 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    std::array<QToolButton*, 9> RptCmnd{};
    QToolButton* Command1 = nullptr; // green bar paper
    QToolButton* Command2 = nullptr; // blue bar paper
    QToolButton* Command3 = nullptr; // a colour of the user's
    QLabel* Label2 = nullptr;
    QLineEdit* FindText = nullptr;
    QToolButton* ReportFind = nullptr;

    PaperLook Look;
    // The row on the first line of the page, and where the next search
    // starts.
    qsizetype TopLine = 0;
    qsizetype FindRow = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    fReport();
    ~fReport() override;
    // Sizes the paper and the scroll bars to the window, then draws.
    void Form_Resize();
    void ScrollTo(qsizetype top);
    void SetBarValue(qsizetype value);
    void Open();
    void Save();
    void Print();
    void PickFont();
    void SetUpPrinter();
    // The printer chosen in the printer setup, else the default one; null
    // when there is none.
    QPrinter* Printer();
    void Unload();

    std::unique_ptr<QPrinter> printer_;
    bool loaded_ = false;
};

} // namespace zor
