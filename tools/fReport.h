#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace zor {

// The report viewer: a window that shows the captured report's lines under
// its caption. It only shows the store; closing it loses nothing.
class fReport : public QWidget {
    Q_OBJECT

public:
    static fReport& instance();
    // Shows the store as it stands, not modal, over the session window.
    void ShowReport();

    QPlainTextEdit* gdReportGrid = nullptr;

private:
    fReport();
};

} // namespace zor
