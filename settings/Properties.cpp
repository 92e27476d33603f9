#include "settings/Properties.h"

#include "core/SessionLink.h"
#include "core/SharedState.h"
#include "core/WindowUtils.h"
#include "devices/ModPrinter.h"
#include "session/AutoReplies.h"
#include "session/WindowChange.h"
#include "settings/ConfigFile.h"
#include "settings/NamedControls.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPort>

namespace zor {

Properties& Properties::instance()
{
    static Properties* window = new Properties();
    if (!window->mLoaded)
        window->Form_Load();
    return *window;
}

Properties::Properties()
{
    setObjectName(QStringLiteral("Properties"));
    setWindowTitle(QStringLiteral("Properties"));
    setModal(true);
    CreateControls();

    // The automatic replies read the lists as they stand at each match.
    ReplyLink().GlobalReplies = [this] { return ListItems(*List2); };
    ReplyLink().SessionReplies = [this] { return ListItems(*List6); };
    ReplyLink().UseSessionReply = [this](const QString& entry) {
        const QList<QListWidgetItem*> found = List6->findItems(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (!found.isEmpty())
            delete List6->takeItem(List6->row(found.first()));
    };
    Link().PrintersListed = [this] {
        if (mLoaded)
            ShowPrinters();
    };
}

void Properties::CreateControls()
{
    for (int i = 0; i < PropTextSlots; ++i)
        PropText[i] = MakeControl<QLineEdit>(this, IndexedName("PropText", i));
    PropText[2]->setEchoMode(QLineEdit::Password);
    PropText[3]->setEchoMode(QLineEdit::Password);

    const char* checks[PropCheckSlots] = {
        nullptr, "Disable", "Enable Gradient",     "Red", "Green", "Blue", "Reverse", "", "", "",
        "",      "",        "Enable Property Lock"};
    for (int i = 1; i < PropCheckSlots; ++i)
        PropCheck[i] = MakeControl<QCheckBox>(this, IndexedName("PropCheck", i), QLatin1String(checks[i]));

    const char* placements[PropOptionSlots] = {"Centered", "Tiled", "Stretched", "Left Justify"};
    for (int i = 0; i < PropOptionSlots; ++i)
        PropOption[i] = MakeControl<QRadioButton>(this, IndexedName("PropOption", i), QLatin1String(placements[i]));

    for (int i = 0; i < PropClrSlots; ++i)
        PropClr[i] = MakeControl<QLabel>(this, IndexedName("PropClr", i));
    bImage[0] = MakeControl<QLabel>(this, IndexedName("bImage", 0));
    bImage[0]->setProperty("Tag", QString());
    Label2 = MakeControl<QLabel>(this, QStringLiteral("Label2"), QStringLiteral("Sample Text"));

    const QString hostTip = QStringLiteral("Check if your host ison IBM UniVerse");
    cbSuppressLF = MakeControl<QCheckBox>(this, QStringLiteral("cbSuppressLF"), QStringLiteral("Suppress LF"));
    cbSuppressLF->setToolTip(hostTip);
    cbSecureConnection =
        MakeControl<QCheckBox>(this, QStringLiteral("cbSecureConnection"), QStringLiteral("Secure Connection"));
    cbSecureConnection->setToolTip(hostTip);
    cbExitMode = MakeControl<QCheckBox>(this, QStringLiteral("cbExitMode"), QStringLiteral("Exit GUI on disconnect"));

    List2 = MakeControl<QListWidget>(this, QStringLiteral("List2"));
    List5 = MakeControl<QListWidget>(this, QStringLiteral("List5"));
    List6 = MakeControl<QListWidget>(this, QStringLiteral("List6"));
    List6->hide();
    List7 = MakeControl<QListWidget>(this, QStringLiteral("List7"));
    testcomm = new QSerialPort(this);
    testcomm->setObjectName(QStringLiteral("testcomm"));
    cbPrinterSelect = MakeControl<QComboBox>(this, QStringLiteral("cbPrinterSelect"));
    lblPrinterType = MakeControl<QLabel>(this, QStringLiteral("lblPrinterType"));
    CreateReplyLists();
    CreateTabs();
    ConnectStyleHandlers();
    CreateListEditing();
    ConnectApplyButtons();
    ConnectSwitches();
    ConnectPrinterFrame();
    SetTabOrder();
}

void Properties::Form_Load()
{
    // Marked first: loading uses the window's controls, and a use of the
    // window from inside the load must not load it again.
    mLoaded = true;
    LoadINI();
    CenterForm(*this);
    LoadCompanionFiles();
    LoadCacheValue();
    ShowSwitches();
    // The keyboard hook follows the switch as loaded; installing it again is
    // no second hook.
    EnableFunctionKeys(SendFunKeys != 0);
    LoadPrinters();
    CurrentPrinterType = ReceiptPrinterType;
    ShowPrinters();
    ShowStyles();
    OptionsButt[0]->setEnabled(false);
    mLoadedPicture = bImage[0]->property("Tag").toString();
}

void Properties::Unload()
{
    hide();
    mLoaded = false;
}

void Properties::reject()
{
    Unload();
}

void Properties::closeEvent(QCloseEvent* event)
{
    Unload();
    event->accept();
}

} // namespace zor
