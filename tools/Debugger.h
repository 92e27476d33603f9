#pragma once

#include <QWidget>

class QListView;
class QPushButton;

namespace zor {

class TraceLines;

// The trace window: the trace is on exactly while it is shown. It lists the
// trace lines, newest selected, and prints them. Closing it (Esc, the
// frame) ends the trace and discards its lines; the trace file stays.
class Debugger : public QWidget {
    Q_OBJECT

public:
    static Debugger& instance();

    QListView* List1 = nullptr;
    QPushButton* Command1 = nullptr;
    TraceLines* Lines = nullptr;

    void Form_Resize();
    // The sideways scroll range: as far as the widest line in the list's font.
    void SetListExtent();
    void Command1_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    explicit Debugger(QWidget* parent);
    void SelectNewest();
};

// Alt+T: behind the settings password, the trace folder back to the home
// folder and both trace windows shown.
void OpenTraceWindows();

} // namespace zor
