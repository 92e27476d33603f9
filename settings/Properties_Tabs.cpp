// The layout of the settings window: seven tabs over the Apply, Cancel and
// Close buttons. The controls the rest of the program reads already exist
// (Properties.cpp); here they are placed, and the tabs' own controls made.
#include "settings/Properties.h"

#include "core/Records.h"
#include "settings/CompanionFiles.h"
#include "settings/NamedControls.h"
#include "settings/StyleEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zor {

namespace {

const QString HostKeyTip = QStringLiteral("Click here to set function key actions on the host");

QGroupBox* MakeFrame(QWidget* parent, const QString& name, const QString& title, QLayout* layout)
{
    auto* frame = MakeControl<QGroupBox>(parent, name, title);
    frame->setLayout(layout);
    return frame;
}

// A swatch with its caption and the button that chooses its colour.
QHBoxLayout* SwatchRow(const QString& caption, QLabel* swatch, QPushButton* button)
{
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(caption));
    swatch->setMinimumSize(40, 20);
    swatch->setAutoFillBackground(true);
    row->addWidget(swatch);
    row->addWidget(button);
    row->addStretch();
    return row;
}

} // namespace

void Properties::CreateTabs()
{
    SSTab1 = MakeControl<QTabWidget>(this, QStringLiteral("SSTab1"));
    const QString captions[] = {QStringLiteral("Connection"), QStringLiteral("Entities"),  QStringLiteral("Backdrop"),
                                QStringLiteral("Admin"),      QStringLiteral("Scripting"), QStringLiteral("Other"),
                                QStringLiteral("Misc")};
    TabPage[ConnectionTab] = CreateConnectionPage();
    TabPage[EntitiesTab] = CreateEntitiesPage();
    TabPage[BackdropTab] = CreateBackdropPage();
    TabPage[AdminTab] = CreateAdminPage();
    TabPage[ScriptingTab] = CreateScriptingPage();
    TabPage[OtherTab] = CreateOtherPage();
    TabPage[MiscTab] = CreateMiscPage();
    for (int i = 0; i < static_cast<int>(TabPage.size()); ++i) {
        TabPage[i]->setObjectName(captions[i] + QStringLiteral("Page"));
        SSTab1->addTab(TabPage[i], captions[i]);
    }

    const QString buttons[] = {QStringLiteral("&Apply"), QStringLiteral("&Cancel"), QStringLiteral("C&lose")};
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    for (int i = 0; i < static_cast<int>(OptionsButt.size()); ++i) {
        OptionsButt[i] = MakeControl<QPushButton>(this, IndexedName("OptionsButt", i), buttons[i]);
        OptionsButt[i]->setAutoDefault(false);
        buttonRow->addWidget(OptionsButt[i]);
    }
    OptionsButt[0]->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(buttonRow);
}

void Properties::SetTabOrder()
{
    // Reading order, as the controls are laid out: top to bottom, left to
    // right, a frame's controls together; the buttons under the tabs last.
    // Controls made before their page (or after it) would otherwise be
    // reached out of place. Only the shown page's enabled controls take the
    // focus, and of a group of options only the chosen one.
    QList<QWidget*> order = {SSTab1->tabBar(), PropText[0],        PropText[1], PropText[4],
                             cbSuppressLF,     cbSecureConnection, List4,       SrvList[0],
                             SrvList[1],       SrvList[2],         SrvList[3]};
    // The style editor's own order is its reading order.
    for (QWidget* w = Styles->nextInFocusChain(); Styles->isAncestorOf(w); w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            order << w;
    order << PropButt[2];
    for (int i = 2; i <= 6; ++i)
        order << PropCheck[i];
    for (QRadioButton* option : PropOption)
        order << option;
    order << PropCheck[1] << PropButt[3] << PropCheck[12] << PropText[2] << PropText[3] << SSTab2->tabBar() << List2
          << List5 << List7 << Command1 << Command2 << Command3 << udPrinterType << cbPrinterSelect << CmndBtnOptions
          << PropText[5] << PropButt[8] << PropButt[9] << Check1 << Command4 << PropEncrypt << breakChar << cbTablet
          << cbExitMode << setKiosk << sendFunKeys;
    for (QPushButton* button : OptionsButt)
        order << button;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    // A tab widget hands the focus on to its strip, so Tab stops at it
    // where it was made, out of place: the strip alone is the stop.
    for (QTabWidget* tabs : {SSTab1, SSTab2}) {
        tabs->setFocusProxy(nullptr);
        tabs->setFocusPolicy(Qt::NoFocus);
        tabs->tabBar()->setFocusPolicy(Qt::TabFocus);
    }
}

QWidget* Properties::CreateConnectionPage()
{
    auto* page = new QWidget;
    // The stored widths: a longer text cannot be typed, so none is cut short
    // on saving.
    PropText[0]->setMaxLength(SessionSettings::HostNameWidth);
    PropText[4]->setMaxLength(HostDescriptionWidth);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Name/Address:"), PropText[0]);
    fields->addRow(QStringLiteral("Port:"), PropText[1]);
    fields->addRow(QStringLiteral("Description:"), PropText[4]);
    fields->addRow(cbSuppressLF);
    fields->addRow(cbSecureConnection);
    PropFrame[3] = MakeFrame(page, IndexedName("PropFrame", 3), QStringLiteral("Server"), fields);

    ServerListPane = MakeControl<QWidget>(page, QStringLiteral("ServerListPane"));
    auto* servers = new QVBoxLayout(ServerListPane);
    servers->setContentsMargins(0, 0, 0, 0);
    Label1 = MakeControl<QLabel>(ServerListPane, QStringLiteral("Label1"), QStringLiteral("Server List"));
    servers->addWidget(Label1);
    servers->addWidget(List4);

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(PropFrame[3]);
    layout->addWidget(ServerListPane);
    return page;
}

QWidget* Properties::CreateBackdropPage()
{
    auto* page = new QWidget;
    PropButt[2] = MakeControl<QPushButton>(page, IndexedName("PropButt", 2), QStringLiteral("..."));
    PropButt[3] = MakeControl<QPushButton>(page, IndexedName("PropButt", 3), QStringLiteral("..."));

    auto* gradient = new QGridLayout;
    for (int i = 2; i <= 6; ++i)
        gradient->addWidget(PropCheck[i], i - 2, 0);
    PropClr[4]->setMinimumSize(60, 100);
    gradient->addWidget(PropClr[4], 0, 1, 5, 1);
    PropFrame[0] = MakeFrame(page, IndexedName("PropFrame", 0), QStringLiteral("Gradient Properties"), gradient);

    auto* image = new QGridLayout;
    for (int i = 0; i < PropOptionSlots; ++i)
        image->addWidget(PropOption[i], i, 0);
    image->addWidget(PropCheck[1], PropOptionSlots, 0);
    bImage[0]->setMinimumSize(100, 80);
    image->addWidget(bImage[0], 0, 1, PropOptionSlots, 1);
    image->addWidget(PropButt[3], PropOptionSlots, 1);
    PropFrame[1] = MakeFrame(page, IndexedName("PropFrame", 1), QStringLiteral("Backdrop Image"), image);

    auto* frames = new QHBoxLayout;
    frames->addWidget(PropFrame[0]);
    frames->addWidget(PropFrame[1]);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(SwatchRow(QStringLiteral("Backdrop Color:"), PropClr[1], PropButt[2]));
    layout->addLayout(frames);
    layout->addStretch();
    return page;
}

QWidget* Properties::CreateAdminPage()
{
    auto* page = new QWidget;
    auto* fields = new QFormLayout;
    fields->addRow(PropCheck[12]);
    fields->addRow(QStringLiteral("Password:"), PropText[2]);
    fields->addRow(QStringLiteral("Confirm Password:"), PropText[3]);
    PropFrame[2] = MakeFrame(page, IndexedName("PropFrame", 2), QStringLiteral("Property Lock"), fields);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(PropFrame[2]);
    layout->addStretch();
    return page;
}

QWidget* Properties::CreateScriptingPage()
{
    auto* page = new QWidget;
    auto* lists = new QVBoxLayout;
    lists->addWidget(SSTab2);
    Frame2 = MakeFrame(page, QStringLiteral("Frame2"), QStringLiteral("Scripting"), lists);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Frame2);
    return page;
}

QWidget* Properties::CreateOtherPage()
{
    auto* page = new QWidget;
    Label3 = MakeControl<QLabel>(page, QStringLiteral("Label3"), QStringLiteral("Receipt Printer"));
    lblPrinterType->setText(QStringLiteral("  Printer Type"));
    udPrinterType = MakeControl<QSpinBox>(page, QStringLiteral("udPrinterType"));
    // The arrows step the type; the number itself is shown by lblPrinterType's
    // name, so the spin box is no wider than its arrows.
    udPrinterType->setFixedWidth(18);
    udPrinterType->setWrapping(false);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(lblPrinterType);
    typeRow->addWidget(udPrinterType);
    auto* printer = new QVBoxLayout;
    printer->addWidget(Label3);
    printer->addLayout(typeRow);
    printer->addWidget(cbPrinterSelect);
    Frame6 = MakeFrame(page, QStringLiteral("Frame6"), QStringLiteral("Printer Settings"), printer);
    CmndBtnOptions = MakeControl<QPushButton>(page, QStringLiteral("CmndBtnOptions"), QStringLiteral("Options"));
    auto* printers = new QVBoxLayout;
    printers->addWidget(Frame6);
    printers->addWidget(CmndBtnOptions);
    Frame5 = MakeFrame(page, QStringLiteral("Frame5"), QStringLiteral("Printer Settings"), printers);

    auto* termId = new QVBoxLayout;
    termId->addWidget(PropText[5]);
    Frame4 = MakeFrame(page, QStringLiteral("Frame4"), QStringLiteral("Terminal Identification"), termId);

    PropButt[8] = MakeControl<QPushButton>(page, IndexedName("PropButt", 8), QStringLiteral("..."));
    PropButt[9] = MakeControl<QPushButton>(page, IndexedName("PropButt", 9), QStringLiteral("..."));
    auto* input = new QVBoxLayout;
    input->addLayout(SwatchRow(QStringLiteral("Fore Color:"), PropClr[6], PropButt[8]));
    input->addLayout(SwatchRow(QStringLiteral("Back Color:"), PropClr[7], PropButt[9]));
    Label2->setAutoFillBackground(true);
    input->addWidget(Label2);
    Frame3 = MakeFrame(page, QStringLiteral("Frame3"), QStringLiteral("Input Box"), input);

    Check1 = MakeControl<QCheckBox>(page, QStringLiteral("Check1"), QStringLiteral("Use Screen Cache"));
    Command4 = MakeControl<QPushButton>(page, QStringLiteral("Command4"), QStringLiteral("Clear Cache"));
    Command4->setAutoDefault(false);
    auto* cache = new QVBoxLayout;
    cache->addWidget(Check1);
    cache->addWidget(Command4);
    Frame1 = MakeFrame(page, QStringLiteral("Frame1"), QStringLiteral("Cache Options"), cache);

    auto* layout = new QGridLayout(page);
    layout->addWidget(Frame5, 0, 0, 2, 1);
    layout->addWidget(Frame4, 0, 1);
    layout->addWidget(Frame3, 1, 1);
    layout->addWidget(Frame1, 2, 0, 1, 2);
    return page;
}

QWidget* Properties::CreateMiscPage()
{
    auto* page = new QWidget;
    PropEncrypt = MakeControl<QCheckBox>(page, QStringLiteral("PropEncrypt"), QStringLiteral("Encrypt Scripts"));
    breakChar = MakeControl<QLineEdit>(page, QStringLiteral("breakChar"));
    BreakKeyLabel = MakeControl<QLabel>(page, QStringLiteral("BreakKeyLabel"), QStringLiteral("Break Key"));
    cbTablet = MakeControl<QCheckBox>(page, QStringLiteral("cbTablet"), QStringLiteral("Tablet mode"));
    setKiosk = MakeControl<QCheckBox>(page, QStringLiteral("setKiosk"), QStringLiteral("Operate in Kiosk Mode"));
    sendFunKeys = MakeControl<QCheckBox>(page, QStringLiteral("sendFunKeys"), QStringLiteral("Send Function Keys"));
    for (QCheckBox* box : {cbTablet, cbExitMode, setKiosk, sendFunKeys})
        box->setToolTip(HostKeyTip);
    LblTraceDir = MakeControl<QLabel>(page, QStringLiteral("LblTraceDir"), QStringLiteral("Trace File Directory"));

    auto* breakRow = new QHBoxLayout;
    breakRow->addWidget(breakChar);
    breakRow->addWidget(BreakKeyLabel);
    breakRow->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(PropEncrypt);
    layout->addLayout(breakRow);
    for (QWidget* box : {cbTablet, cbExitMode, setKiosk, sendFunKeys})
        layout->addWidget(box);
    layout->addWidget(LblTraceDir);
    layout->addStretch();
    return page;
}

} // namespace zor
