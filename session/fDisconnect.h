#pragma once

#include <QDialog>

class QPushButton;

namespace zor {

// Shown (not modal) when the host drops the line: connect again, leave the
// program, or stay disconnected.
class fDisconnect : public QDialog {
    Q_OBJECT

public:
    static fDisconnect& instance();

    void reconnect_Click();
    void close_Click();
    void cancel_Click();

    QPushButton* reconnect = nullptr;
    QPushButton* close = nullptr;
    QPushButton* cancel = nullptr;

public slots:
    // Esc and the window frame act as Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    fDisconnect();
};

} // namespace zor
