#pragma once

#include "core/EntityDrawing.h"
#include "core/LogPane.h"
#include "core/SharedState.h"
#include "interpreter/Interpreter.h"
#include "session/HelpPicture.h"
#include "session/HostChannel.h"
#include "session/KeyboardHook.h"
#include "session/PictureBox.h"
#include "session/ReceivePipeline.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QMainWindow>
#include <QStringList>
#include <array>
#include <vector>

class QAction;
class QFrame;
class QGroupBox;
class QKeySequence;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QStatusBar;
class QTimer;
class QToolBar;

namespace zor {

constexpr int ProcButtonSlots = 16;           // ProcButt(0 To 15)
constexpr int MultiValueButtonSlots = 8;      // MVCmd(0 To 7), element 2 does not exist
constexpr int TenKeyButtonSlots = 22;         // cbTenKey(0 To 21)
constexpr int StatusPanelCount = 7;           // status-bar panels 1..7
constexpr int BufferSlots = 2;                // Buffer(0 To 1) exist from the start
constexpr int MaxBufferSlots = 16;            // more are made on demand, up to this many
constexpr int HostPictureSlots = EntitySlots; // eImage: each picture takes an entity slot as well

// The session window: the host's screen with its panels, toolbar and menus.
// Controls keep the names the rest of the program knows them by; every panel
// starts hidden.
class fConnection : public QMainWindow, public KeyboardHook {
    Q_OBJECT

public:
    static fConnection& instance();

    // Recomputes the cell size and places the surfaces and the open panels.
    void Form_Resize();
    // Lays out the procedure panel.
    void ResizeProc();
    // Redraws every entity: the backdrop and the entities composed on Work,
    // then shown on MainPic in one copy.
    void DrawEntities();
    // Repaints BackDrop from the settings.
    void PaintBackdrop();
    // The option pictures and the host's pictures, for drawing entities.
    EntityPictures Pictures() const;

    // The toolbar button with the given key ("connect", "systemfunctions", ...).
    QAction* ToolbarButton(const QString& key) const;
    // Shows the menu tree window modally (the pop-up, the View menu, the
    // toolbar and Alt+J).
    void puJumpTree_Click();
    // An item of a toolbar drop-down was chosen: its Tag goes to the host.
    void Toolbar_ButtonMenuClick(QAction* item);

    // Frame
    QWidget* ClientArea = nullptr;
    QToolBar* Toolbar = nullptr;
    QMenu* SystemFunctionsMenu = nullptr; // drop-down of the "systemfunctions" button
    QStatusBar* StatusBar = nullptr;
    std::array<QLabel*, StatusPanelCount + 1> StatusPanels = {}; // 1..7, element 0 unused
    QLabel* HelpBar = nullptr;

    QMenu* filemnu = nullptr;
    QAction* SpawnMnu = nullptr;
    QAction* SaveMnu = nullptr;
    QAction* saveasmnu = nullptr;
    QAction* printmnu = nullptr;
    QAction* exitmnu = nullptr;
    QMenu* connectionmnu = nullptr;
    QAction* connectmnu = nullptr;
    QAction* disconnectmnu = nullptr;
    QMenu* ViewMnu = nullptr;
    QAction* ConsoleMnu = nullptr;
    QAction* jumptreemnu = nullptr;
    QAction* mnuReportView = nullptr;
    QAction* mnuRefresh = nullptr;
    QAction* PropertiesMnu = nullptr;
    QMenu* HelpMnu = nullptr;
    QAction* HelpContents = nullptr;
    QAction* HelpSearch = nullptr;
    QAction* HelpAbout = nullptr;
    QMenu* ThePopUp = nullptr;
    QAction* puSpawn = nullptr;
    QAction* puSave = nullptr;
    QAction* puSaveAs = nullptr;
    QAction* puPrint = nullptr;
    QAction* puConnect = nullptr;
    QAction* puDisconnect = nullptr;
    QAction* puConsole = nullptr;
    QAction* puJumpTree = nullptr;
    QAction* puReportViewer = nullptr;
    QAction* puProperties = nullptr;

    QTimer* Timer1 = nullptr;   // clock, 10 s
    QTimer* Timer2 = nullptr;   // busy indicator, 100 ms
    QTimer* Timer3 = nullptr;   // connect time-out, 5 s
    QTimer* Timer4 = nullptr;   // message-box countdown, 1 s
    QTimer* lvTimer1 = nullptr; // deferred focus of the sub-window editor, 1 s

    // Visible surfaces
    PictureBox* MainPic = nullptr;
    PictureBox* lvMainPic = nullptr; // the sub-window
    QLabel* GuiWindowCap = nullptr;  // its caption bar
    PictureBox* Shadow = nullptr;    // its drop shadow
    QFrame* MoveBox = nullptr;       // outline while the sub-window is dragged

    // Hidden surfaces
    QImage Work;
    QFont WorkFont;
    QImage BackDrop;
    QImage BackImage;
    std::vector<QImage> Buffer;
    std::array<QImage, HostPictureSlots> eImage;

    // Input boxes
    PictureBox* INTextPic = nullptr;
    QLineEdit* INText = nullptr;
    PictureBox* lvINTextPic = nullptr;
    QLineEdit* lvINText = nullptr;

    // Item lists
    std::array<QListWidget*, ItemListSlots> ILList = {};

    // Multi-value editors
    PictureBox* MVPic = nullptr;
    QLineEdit* MVText = nullptr;
    std::array<QPushButton*, MultiValueButtonSlots> MVCmd = {};
    PictureBox* lvMVPic = nullptr;
    QLineEdit* lvMVText = nullptr;
    std::array<QPushButton*, MultiValueButtonSlots> lvMVCmd = {};

    // List selection
    PictureBox* ListPic = nullptr;
    QLabel* LSForm = nullptr;
    QLabel* LSHeader = nullptr;
    QListWidget* LSList = nullptr;
    std::array<QPushButton*, 4> LSCmnd = {};

    // Message box
    PictureBox* MsgPic = nullptr;
    QLabel* MsgPicCap = nullptr;
    QLabel* lErrMessage = nullptr;
    std::array<QLabel*, 3> iErrEffect = {};
    std::array<QPushButton*, 4> MBCommand = {};

    // Progress bar
    PictureBox* ProgBarPic = nullptr;
    QLabel* ProgBarMsg = nullptr;
    QProgressBar* ProgBar = nullptr;

    // Parameters
    PictureBox* ParmFrame = nullptr;
    QLabel* ParamCap = nullptr;
    QGroupBox* frame = nullptr;
    std::array<QRadioButton*, 10> oParams = {};
    std::array<QPushButton*, 3> PLCommand = {};

    // Procedure panel
    PictureBox* ProcPic = nullptr;
    LogPane* ProcText = nullptr;
    std::array<QPushButton*, ProcButtonSlots> ProcButt = {};
    QLineEdit* fProcInput = nullptr;
    QLabel* lblProcLabel = nullptr;

    // Inline help
    PictureBox* HelpPicContainer = nullptr;
    QLabel* helppiccap = nullptr;
    HelpPicture* HelpPic = nullptr;
    QScrollBar* HelpVScroll = nullptr;
    // Lays the help panel out over the middle of the screen and takes one
    // line of help: a directive, or text printed at the print position
    // (fConnection_Help.cpp). The caller shows the panel.
    void DoHelp(const QString& line);
    // The help text follows the scroll bar.
    void HelpVScroll_Change();

    // Console
    QWidget* Console = nullptr;
    LogPane* ConsoleText = nullptr;

    // Busy indicator
    QLabel* lWorking = nullptr;

    // Ten-key pad
    QGroupBox* frTenKey = nullptr;
    QLineEdit* tbTenKey = nullptr;
    std::array<QPushButton*, TenKeyButtonSlots> cbTenKey = {};
    QLabel* lblTK1 = nullptr;
    QLabel* lblTK2 = nullptr;
    // The pad as the host set it up: digits typed get a point before their
    // last two; the replies of the extra keys 14..21 at elements 1..8; the
    // digits of the implied-decimal entry so far.
    bool ImpliedDecimals = false;
    std::array<QString, 10> TenKeyExtraValues = {};
    QString TenKeyDigits;
    // How far the headings of the last unit raised the pad above its place.
    int TenKeyRaise = 0;
    static constexpr int TenKeyWidth = 355;
    static constexpr int TenKeyHeight = 290;
    // The designed place of key k in the pad.
    static QRect TenKeyDesign(int key);
    // Keys, display and size back as designed, headings hidden and the
    // raise undone, so every set-up starts from the same pad.
    void RestoreTenKeyDesign();
    void cbTenKey_Click(int key);
    static QString ImpliedDecimalEntry(const QString& digits);

    // Hidden list of the canned answers
    QListWidget* DataList = nullptr;
    // The screen's command history: whole units as executed, in arrival
    // order. Never shown, so a plain list: as a list widget it cost more
    // than all the rest of Process.
    QStringList stack;

    // Executes one host command unit (without its ESC).
    void Process(const QString& unit) { mInterpreter.Process(unit); }

    // Screen cache (fConnection_Cache.cpp). Saves the screen's entities under
    // the name with the version (not while the sub-window level is current);
    // loads them back and answers "VER=OK" when the stored version is the
    // given one, else "VER=OLD" (an empty screen when the file was there).
    void SaveCache(const QString& name, const QString& version);
    void LoadCache(const QString& name, const QString& version);

    // Host channel and receive pipeline (fConnection_Receive.cpp)
    HostChannel* mChannel = nullptr;
    ReceivePipeline* Receiver = nullptr;
    int AnimFrame = 0;
    void mChannel_DataReady();
    // Handles one released chunk of host text; may rewrite it.
    void Socket_Receive(QString& data);
    // Writes the text (bytes 0..255) to the host as it stands.
    void Send(const QString& text);
    // The next frame of the busy picture, with the hourglass.
    void ShowBusy();
    // The receipt port's output of serial pass-through text, and its closing.
    void ComPortOut(const QString& text);
    void CloseComPort();

    // Connection life cycle (fConnection_Connection.cpp)
    bool ChannelOpen = false;
    QString CommStateText;
    void puConnect_Click();
    void socket_Connect();
    int GetChannelProtocol() const;
    void mChannel_CommState(int state);
    void Timer3_Timer();
    void puDisconnect_Click();
    // Disconnects without asking (while connected).
    void CloseConnection();
    // Leaves the program; false when the user chose to stay connected.
    bool exitmnu_Click();
    // The host refused the log-on: back to disconnected, and the log-on again.
    void LogonRefused();

    // Typed answers. Input boxes and multi-value editors
    // (fConnection_InputBoxes.cpp):
    // Alternates on each clear-text Tab answer, so that a second validation
    // of the same Tab answers nothing.
    bool TabAnswered = false;
    // Mirrors the visible input box into TypeAhead.
    void InputBox_Change();
    // The focus is about to leave an input box; true keeps it from leaving
    // where it would go (the handler has placed it).
    bool InputBox_Validate(bool tabDown, bool shiftDown);
    void lvINText_GotFocus();
    void MVCmd_Click(int index);
    void lvMVCmd_Click(int index);
    void MVText_KeyDown(int keyCode);
    void lvMVText_KeyDown(int keyCode);
    void MVText_Click();
    void lvMVText_Click();
    void lvTimer1_Timer();
    // The visible input boxes hidden; the focus to the open editors; to the
    // open input box.
    void HideInputBoxes();
    void FocusOpenEditors();
    void FocusOpenInputBox();

    // Keys previewed for the whole window (fConnection_Keyboard.cpp), with
    // the key codes, character codes and shift flags (1 Shift, 2 Ctrl,
    // 4 Alt) of the host keyboard. Setting the code to 0 swallows the key.
    bool AnswerArmed = false; // Ctrl+Z: the next three characters answer
    QString PendingPrefix;    // what was typed before Ctrl+Z
    QString ConsoleLine;      // the line typed while the console is shown
    void Form_KeyPress(int& keyAscii);
    void Form_KeyDown(int& keyCode, int shift);

    // The mouse on the screen and on the sub-window (fConnection_Mouse.cpp),
    // in the picture's pixels; buttons 1 left, 2 right, 4 middle.
    void MainPic_MouseDown(int button, int shift, double x, double y);
    void MainPic_MouseMove(int button, int shift, double x, double y);
    void lvMainPic_MouseDown(int button, int shift, double x, double y);
    void lvMainPic_MouseMove(int button, int shift, double x, double y);

    // Floating panels dragged by their caption bars (fConnection_Dragging.cpp):
    // the panel a caption moves, or nullptr; the press point in the caption,
    // shared by all the captions; positions in the caption's pixels.
    QWidget* DraggedBy(const QObject* caption) const;
    QPoint GrabOffset;
    void Caption_MouseDown(const QLabel& caption, QPoint position);
    void Caption_MouseMove(const QLabel& caption, Qt::MouseButtons buttons, QPointF globalPosition);
    void Caption_MouseUp(const QLabel& caption, Qt::MouseButton button);

    // The host's panels answered (fConnection_PanelHandlers.cpp). Enter
    // presses the default button of the panel shown last that is still
    // open, or the button of that panel the user has moved to.
    void MakeDefaultButton(QPushButton& button);
    bool PressDefaultButton();
    // While a panel is shown, its buttons' access keys are theirs, over the
    // menu bar's letters; a key that two open panels have is the one opened
    // last's.
    bool PressPanelAccessKey(const QKeySequence& key);
    // The message box: its countdown in ticks of Timer4 (the ticks gone,
    // the host's value for when it closes, the picture shown next), its
    // buttons centred and focused as it opens, and its answers.
    int MsgElapsed = 0;
    QString MsgCountdown;
    int MsgAnimFrame = 2;
    void LayoutMessageBox();
    void MBCommand_Click(int index);
    void Timer4_Timer();
    // The list selection: a click, OK (also a double click), Cancel, Maint
    // and Print; each answer closes it, as Esc does.
    void LSList_Click();
    void LSCmnd_Click(int index);
    void AnswerListSelection(const QString& reply);
    // The item list's current line became the row (-1: none).
    void ILList_Click(int index, int row);
    // The parameter choice: a double click on an option, Ok, Cancel (also
    // Esc) and Help, which leaves it open.
    void oParams_DblClick(int index);
    void PLCommand_Click(int index);
    void AnswerParameters(const QString& reply);
    // The procedure panel: a link button, and Tab or Enter in its input line.
    void ProcButt_Click(int index);
    void fProcInput_KeyDown(int keyCode);

    // What the keyboard hook swallows (fConnection_Keyboard.cpp): the
    // task-switching keys in kiosk mode, the function keys while they are
    // sent to the host.
    bool BlockControlEscape() override;
    bool BlockAltEscape() override;
    bool BlockAltTab() override;
    bool BlockFunkey() override;

    // The frame's actions: menus, pop-up, toolbar and timers
    // (fConnection_Shell.cpp; wired in fConnection_Frame.cpp).
    void Timer1_Timer(); // the clock in status panel 7
    void Timer2_Timer(); // the busy picture's next frame
    void puSpawn_Click();
    void puSave_Click();
    void puSaveAs_Click();
    void puPrint_Click();
    void puReportViewer_Click();
    void puProperties_Click();
    void mnuRefresh_Click();
    void HelpContents_Click();
    void HelpSearch_Click();
    void HelpAbout_Click();
    // Runs the toolbar button with the key; an unknown key does nothing.
    void Toolbar_ButtonClick(const QString& key);
    // Shows the console, or hides it when shown.
    void showConsole();
    // The ten-key pad opened from the toolbar: it stays open after Enter.
    void OpenPinnedTenKey();

protected:
    // Closing the window is leaving the program.
    void closeEvent(QCloseEvent* event) override;

private:
    fConnection();
    void CreateMenus();
    void CreateToolbar();
    void CreateStatusBar();
    void CreateTimers();
    void WireShell();
    void PrintFromToolbar();
    void CreateSurfaces();
    void CreateInputPanels();
    void CreateListPanels();
    void CreateMessagePanels();
    void CreateProcedurePanel();
    void CreateHelpPanel();
    void CreateConsole();
    void CreateTenKeyPad();
    void CreateChannel();
    void WireConnection();
    void SetConnectedItems(bool connected);
    void ClearToBackdrop();
    void HideSessionPanels();
    void ShowDisconnectedScreen(const QString& closingUnit);
    void ConnectInputHandlers();
    void ConnectPanelHandlers();
    QList<QPushButton*> DefaultButtons; // in the order their panels were shown

    Interpreter mInterpreter{*this};
    bool mConnecting = false; // puConnect_Click is waiting for the connection
};

} // namespace zor
