#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zor {

// What the log-on dialog leaves for the connection and the automatic replies.
constexpr int LoginPasswordWidth = 10;
inline QString LoginPassword; // always LoginPasswordWidth characters once set
inline qint16 LoginCancelled = 0;
inline qint16 LogonFailed = 0;

// The log-on dialog: user id, password and account, asked before a
// connection is opened. It sends nothing to the host; the automatic replies
// read Text1, Text2 and the selected account of lbAccountList. Only its two
// buttons close it.
class fLogin : public QDialog {
    Q_OBJECT

public:
    static fLogin& instance();

    // Shows LastUser (when there is one) selected in Text1 and places the
    // dialog under the session window's toolbar; runs at the first use.
    void Form_Load();
    void Command1_Click(); // "&Log On"
    void Command2_Click(); // "&Cancel"

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr; // user id
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr; // password
    QLabel* Label3 = nullptr;
    QListWidget* lbAccountList = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

public slots:
    // Esc and the window frame do not close the dialog.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    fLogin();
    void Form_Activate();
};

} // namespace zor
