#pragma once

#include "settings/CompanionFiles.h"

#include <QDialog>
#include <array>
#include <map>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSerialPort;
class QSpinBox;
class QTabWidget;

namespace zor {

class StyleEditor;

constexpr int PropTextSlots = 6;   // PropText(0 To 5)
constexpr int PropCheckSlots = 13; // PropCheck(1 To 12), element 0 unused
constexpr int PropOptionSlots = 4; // PropOption(0 To 3): the backdrop placement
constexpr int PropClrSlots = 8;    // PropClr(0 To 7)
constexpr int PropButtSlots = 10;  // PropButt(0 To 9)
constexpr int PropFrameSlots = 4;  // PropFrame(0 To 3)

// The tabs of SSTab1, in their order.
enum SettingsTab { ConnectionTab, EntitiesTab, BackdropTab, AdminTab, ScriptingTab, OtherTab, MiscTab };

// The settings window of the session. Besides editing the settings it holds
// controls the rest of the program reads: the reply lists, the connection
// fields, the serial control and the printer combo. The first use of the
// window loads it (Form_Load), which loads the session configuration; so does
// the first use after it was unloaded.
class Properties : public QDialog {
    Q_OBJECT

public:
    static Properties& instance();

    // Fills the window from the configuration file and its companions.
    void Form_Load();
    // Hides the window; the next use loads it again.
    void Unload();

    // Reads the session configuration into the shared state and applies it
    // to the session window and to this window. Raises nothing: whatever
    // cannot be read keeps its earlier value.
    void LoadINI();
    // Writes the configuration and its companions, each file whole. A file
    // that cannot be written is reported to the user; the result is false.
    bool SaveINI();

    // The seven tabs (Properties_Tabs.cpp). EntitiesPage holds the style
    // editor alone; ServerListPane (on the Connection tab) and Frame2 (the
    // Scripting tab's frame around SSTab2) take the list editing buttons.
    QTabWidget* SSTab1 = nullptr;
    std::array<QWidget*, 7> TabPage = {};
    QWidget* ServerListPane = nullptr;
    std::array<QGroupBox*, PropFrameSlots> PropFrame = {};
    QGroupBox* Frame1 = nullptr; // "Cache Options"
    QGroupBox* Frame2 = nullptr; // "Scripting"
    QGroupBox* Frame3 = nullptr; // "Input Box"
    QGroupBox* Frame4 = nullptr; // "Terminal Identification"
    QGroupBox* Frame5 = nullptr; // "Printer Settings", with the serial options
    QGroupBox* Frame6 = nullptr; // "Printer Settings", the printer of each type
    // Apply, Cancel, Close.
    std::array<QPushButton*, 3> OptionsButt = {};
    // 2 and 3 sit on the Backdrop tab, 8 and 9 on the Other tab; the others
    // belong to the style editor's page.
    std::array<QPushButton*, PropButtSlots> PropButt = {};
    QLabel* Label1 = nullptr;              // "Server List"
    QLabel* Label3 = nullptr;              // "Receipt Printer"
    QCheckBox* Check1 = nullptr;           // "Use Screen Cache"
    QPushButton* Command4 = nullptr;       // "Clear Cache"
    QPushButton* CmndBtnOptions = nullptr; // the serial options of the receipt port
    QSpinBox* udPrinterType = nullptr;     // steps CurrentPrinterType; its arrows alone show
    QCheckBox* PropEncrypt = nullptr;
    QLineEdit* breakChar = nullptr;
    QLabel* BreakKeyLabel = nullptr;
    QCheckBox* cbTablet = nullptr;
    QCheckBox* setKiosk = nullptr;
    QCheckBox* sendFunKeys = nullptr;
    QLabel* LblTraceDir = nullptr;

    std::array<QLineEdit*, PropTextSlots> PropText = {};
    std::array<QCheckBox*, PropCheckSlots> PropCheck = {};
    std::array<QRadioButton*, PropOptionSlots> PropOption = {};
    // Colour swatches (ControlColours.h keeps the Long of each).
    std::array<QLabel*, PropClrSlots> PropClr = {};
    // Backdrop picture preview; its "Tag" property is the picture's path.
    std::array<QLabel*, 1> bImage = {};
    QLabel* Label2 = nullptr; // input-box colour sample
    QCheckBox* cbSecureConnection = nullptr;
    QCheckBox* cbSuppressLF = nullptr;
    QCheckBox* cbExitMode = nullptr;
    QListWidget* List2 = nullptr; // global replies
    QListWidget* List5 = nullptr; // session replies
    QListWidget* List6 = nullptr; // the matcher's copy of the session replies
    QListWidget* List7 = nullptr; // accounts
    QSerialPort* testcomm = nullptr;
    // The printer of the type lblPrinterType names; items in the order of
    // PrinterComboIndexes.
    QComboBox* cbPrinterSelect = nullptr;
    QLabel* lblPrinterType = nullptr;

    // Reply lists and server list (Properties_Replies.cpp). SSTab2 shows
    // List2 "Global", List5 under the host description, List7 "Accounts".
    QTabWidget* SSTab2 = nullptr;
    QListWidget* List3 = nullptr; // server connection entries "host,port,description"
    QListWidget* List4 = nullptr; // the texts shown for them
    // Apply, Cancel, Close (Properties_Apply.cpp). ApplyAttributes checks
    // every field first: one refused is named to the user, focused, and
    // nothing is applied (false).
    void OptionsButt_Click(int index);
    bool ApplyAttributes();

    // The switches that act at once (Properties_Switches.cpp).
    void breakChar_Change();
    void cbExitMode_Click();
    void cbTablet_Click();
    void setKiosk_Click();
    void PropEncrypt_Click();
    void sendFunKeys_Click();
    void Check1_Click();
    void Command4_Click(); // "Clear Cache"

    // The printer frame (Properties_Printers.cpp).
    void udPrinterType_Change(int type);
    void cbPrinterSelect_Click();
    void CmndBtnOptions_Click(); // the serial options dialog, modal

    // Reads the lock file, the reply lists, the accounts (into the log-on
    // dialog too) and the server list.
    void LoadCompanionFiles();
    // A change to the list of reply tab 0, 1 or 2, or to the server list, is
    // made to its file as the file stands now, and the list then shows the
    // file: what another session saved meanwhile stays. Without a change the
    // file is written again in the current form (Encrypt Scripts switched). A
    // change that could not be saved is kept and made again with the next
    // change to its file or the next save; false then.
    bool ChangeReplies(int tab, const std::optional<ListChange>& change = std::nullopt);
    bool ChangeServers(const ListChange& change);
    // Saves the changes that could not be saved before. No other list file
    // is written: this session changed nothing else.
    bool SaveResponses();
    // Reads the session replies and the accounts again when the description
    // has changed since they were read (a new description applied).
    void FollowDescription();

    // List editing (Properties_ListEditing.cpp): every change is written to
    // its file at once.
    QPushButton* Command1 = nullptr; // "Add" to the reply tab shown
    QPushButton* Command2 = nullptr; // "Remove"
    QPushButton* Command3 = nullptr; // "Edit"
    // "Add", "Remove", "Scripting", "Accounts" of the server list.
    std::array<QPushButton*, 4> SrvList = {};
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void ReplyList_Click(); // a click in List2, List5 or List7
    void SSTab2_Click();    // another reply tab shown
    void List4_Click();
    void SrvList_Click(int index);

    // The style editor on the "Entities" tab; the colour and picture buttons,
    // the backdrop boxes and the lock box of the other tabs
    // (Properties_Styles.cpp).
    StyleEditor* Styles = nullptr;
    void PropButt_Click(int index);
    void PropCheck_Click(int index);
    // Draws the gradient of the backdrop boxes into PropClr(4).
    void DrawPropGrad();

    // Esc is Cancel: the edits are forgotten, and the next use reads the
    // configuration again.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Properties();
    void CreateControls();
    void CreateReplyLists();
    void CreateTabs();
    QWidget* CreateConnectionPage();
    QWidget* CreateEntitiesPage();
    QWidget* CreateBackdropPage();
    QWidget* CreateAdminPage();
    QWidget* CreateScriptingPage();
    QWidget* CreateOtherPage();
    QWidget* CreateMiscPage();
    void CreateListEditing();
    void SetTabOrder();
    QListWidget* ReplyListOfTab(int tab) const;
    void ShowSessionReplies(const QString& description);
    void ShowAccounts(const QString& description);
    void ShowLoginAccounts();
    void EnableReplyEditing(bool enabled);
    void ConnectStyleHandlers();
    // The controls of the look as the shared state holds it: all of them
    // after the defaults, the style page's own at every load.
    void ShowAppearance();
    void ShowStyles();
    void ShowGradientFrame();
    void ChooseBackdropPicture();
    void LockBox_Click();
    // Why the lock box cannot be ticked with the passwords shown; empty when
    // it can.
    QString LockRefusal() const;
    // Whether the lock the file holds is on and passes the box's checks
    // (the user is told when it does not).
    bool LoadedLockHolds(const AdminLock& lock);
    void ConnectApplyButtons();
    void ConnectSwitches();
    void ConnectPrinterFrame();
    bool RefuseField(QLineEdit* field, const QString& message);
    void RedrawSession();
    void ShowSwitches();
    void ShowSettings();
    void ShowBackdropPicture();
    void ShowPrinters();

    ChangedListFile ChangeFile(const ListFile& file, const std::optional<ListChange>& change);
    // Fills the lists that show the file.
    void ShowListFile(const ListFile& file, const QStringList& lines);

    bool mLoaded = false;
    // The changes whose files could not be written, by file name.
    struct UnsavedChanges {
        ListFile File;
        std::vector<ListChange> Changes;
    };
    std::map<QString, UnsavedChanges> mUnsaved;
    // The last lock of the file that was left off, so the user hears of it once.
    std::optional<AdminLock> mLockRefused;
    // The descriptions List5 and List7 were read for.
    QString mSessionRepliesFor;
    QString mAccountsFor;
    // The picture path the preview held when the window was loaded: the
    // preview keeps an earlier picture when the stored one does not load,
    // and that one is no choice of the user's.
    QString mLoadedPicture;
};

} // namespace zor
