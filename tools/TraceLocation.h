#pragma once

#include <QDialog>

class QPushButton;

namespace zor {

class FolderList;

// The trace folder: the folder selected in TraceDir is where the trace file
// is written, from the next trace line on. OK, Cancel and the frame only hide
// the window, so the folder chosen stays in use.
class TraceLocation : public QDialog {
    Q_OBJECT

public:
    static TraceLocation& instance();

    FolderList* TraceDir = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    void done(int result) override;

private:
    explicit TraceLocation(QWidget* parent);
};

} // namespace zor
