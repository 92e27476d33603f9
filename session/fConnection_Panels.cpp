// The session window's surfaces and panels as designed: every panel is
// created once, named, and hidden until a host command or the user opens it.
#include "session/fConnection.h"

#include "core/Colors.h"

#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <type_traits>

namespace zor {

namespace {

template <typename W> W* Make(QWidget* parent, const QString& name)
{
    auto* widget = new W(parent);
    widget->setObjectName(name);
    // Labels of the session window show what the host or its files wrote:
    // such text is never markup (nor a way to make Qt load local files).
    if constexpr (std::is_base_of_v<QLabel, W>)
        widget->setTextFormat(Qt::PlainText);
    return widget;
}

template <typename W> W* Make(QWidget* parent, const char* name)
{
    return Make<W>(parent, QLatin1String(name));
}

QString Element(const char* array, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index);
}

PictureBox* MakePanel(QWidget* parent, const char* name, int width, int height)
{
    auto* panel = new PictureBox(QLatin1String(name), parent);
    panel->SetBackColor(ToQColor(COLOR_BTNFACE));
    panel->resize(width, height);
    panel->Clear();
    panel->hide();
    return panel;
}

QLabel* MakeCaptionBar(QWidget* parent, const char* name, const QString& text, int width)
{
    auto* caption = Make<QLabel>(parent, name);
    caption->setText(text);
    caption->setAutoFillBackground(true);
    QPalette palette = caption->palette();
    palette.setColor(QPalette::Window, ToQColor(COLOR_ACTIVECAPTION));
    palette.setColor(QPalette::WindowText, ToQColor(COLOR_CAPTIONTEXT));
    caption->setPalette(palette);
    caption->setGeometry(0, 0, width, 20);
    return caption;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption, QRect geometry)
{
    auto* button = Make<QPushButton>(parent, name);
    button->setText(caption);
    button->setGeometry(geometry);
    return button;
}

QLineEdit* MakeInputLine(QWidget* parent, const char* name)
{
    auto* box = Make<QLineEdit>(parent, name);
    box->setFrame(false);
    return box;
}

} // namespace

void fConnection::CreateSurfaces()
{
    MainPic = new PictureBox(QStringLiteral("MainPic"), ClientArea);
    MainPic->SetBackColor(ToQColor(Settings.BackColor));
    MainPic->setMouseTracking(true);

    HelpBar = Make<QLabel>(ClientArea, "HelpBar");
    HelpBar->setFixedHeight(HelpBar->sizeHint().height() + 4);
    HelpBar->setFrameShape(QFrame::Panel);
    HelpBar->setFrameShadow(QFrame::Sunken);

    Shadow = new PictureBox(QStringLiteral("Shadow"), MainPic);
    Shadow->SetBackColor(Qt::black);
    Shadow->Clear();
    Shadow->hide();

    lvMainPic = new PictureBox(QStringLiteral("lvMainPic"), MainPic);
    lvMainPic->SetBackColor(ToQColor(Settings.BackColor));
    lvMainPic->resize(200, 100);
    lvMainPic->hide();
    GuiWindowCap = MakeCaptionBar(lvMainPic, "GuiWindowCap", QStringLiteral("ZOR Suite"), 200);

    MoveBox = Make<QFrame>(MainPic, "MoveBox");
    MoveBox->setFrameShape(QFrame::Box);
    MoveBox->setLineWidth(2);
    MoveBox->hide();

    WorkFont = DefaultSurfaceFont();
    Work = MakeSurfaceImage(QSize(0, 0), ToQColor(Settings.BackColor));
    BackDrop = Work;
    Buffer.assign(BufferSlots, Work);

    lWorking = Make<QLabel>(MainPic, "lWorking");
    lWorking->resize(32, 32);
    lWorking->hide();
}

void fConnection::CreateInputPanels()
{
    INTextPic = MakePanel(MainPic, "INTextPic", 110, 20);
    INText = MakeInputLine(INTextPic, "INText");
    INText->setGeometry(0, 0, 110, 20);
    lvINTextPic = MakePanel(lvMainPic, "lvINTextPic", 110, 20);
    lvINText = MakeInputLine(lvINTextPic, "lvINText");
    lvINText->setGeometry(0, 0, 110, 20);

    for (int i = 0; i < ItemListSlots; ++i) {
        QListWidget* list = Make<QListWidget>(MainPic, Element("ILList", i));
        list->hide();
        ILList[static_cast<size_t>(i)] = list;
    }

    // Multi-value editors: the value line above a row of seven buttons
    // (element 2 of the array does not exist).
    const auto makeEditor = [](QWidget* parent, const char* panelName, const char* textName, const char* buttonName,
                               std::array<QPushButton*, MultiValueButtonSlots>& buttons, QLineEdit*& text) {
        PictureBox* panel = MakePanel(parent, panelName, 290, 50);
        text = Make<QLineEdit>(panel, textName);
        text->setGeometry(2, 2, 286, 22);
        const char* captions[MultiValueButtonSlots] = {"|<", "<", "", "", "", "Add", "Mov", "Ins"};
        int left = 2;
        for (int i = 0; i < MultiValueButtonSlots; ++i) {
            if (i == 2)
                continue;
            buttons[static_cast<size_t>(i)] =
                MakeButton(panel, Element(buttonName, i), QLatin1String(captions[i]), QRect(left, 26, 40, 22));
            left += 41;
        }
        buttons[0]->setToolTip(QStringLiteral("Top of List"));
        buttons[1]->setToolTip(QStringLiteral("Back one Line"));
        return panel;
    };
    MVPic = makeEditor(MainPic, "MVPic", "MVText", "MVCmd", MVCmd, MVText);
    lvMVPic = makeEditor(lvMainPic, "lvMVPic", "lvMVText", "lvMVCmd", lvMVCmd, lvMVText);

    DataList = Make<QListWidget>(ClientArea, "DataList");
    DataList->hide();
}

void fConnection::CreateListPanels()
{
    ListPic = MakePanel(MainPic, "ListPic", 400, 250);
    ListPic->SetRaisedBorder(true);
    LSForm = MakeCaptionBar(ListPic, "LSForm", QString(), 400);
    // The host lines its columns up in blanks under the header: both in
    // one fixed pitch. The list ends above the buttons along the bottom;
    // Maint sits at the left, the others from the right.
    const QFont columns = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    LSHeader = Make<QLabel>(ListPic, "LSHeader");
    LSHeader->setFont(columns);
    LSHeader->move(5, 22);
    LSList = Make<QListWidget>(ListPic, "LSList");
    LSList->setFont(columns);
    LSList->setGeometry(5, 38, 390, 180);
    const char* captions[] = {"&OK", "&Cancel", "&Maint", "&Print"};
    const int lefts[] = {320, 245, 5, 170};
    for (int i = 0; i < 4; ++i)
        LSCmnd[static_cast<size_t>(i)] =
            MakeButton(ListPic, Element("LSCmnd", i), QLatin1String(captions[i]), QRect(lefts[i], 220, 75, 25));

    ParmFrame = MakePanel(MainPic, "ParmFrame", 300, 300);
    ParmFrame->SetRaisedBorder(true);
    ParamCap = MakeCaptionBar(ParmFrame, "ParamCap", QString(), 300);
    frame = Make<QGroupBox>(ParmFrame, "frame");
    frame->setTitle(QStringLiteral("Parameters"));
    frame->setGeometry(5, 24, 290, 236);
    for (int i = 0; i < 10; ++i) {
        QRadioButton* option = Make<QRadioButton>(frame, Element("oParams", i));
        option->setGeometry(10, 20 + 21 * i, 270, 20);
        option->hide();
        oParams[static_cast<size_t>(i)] = option;
    }
    const char* commands[] = {"&Ok", "&Cancel", "&Help"};
    for (int i = 0; i < 3; ++i)
        PLCommand[static_cast<size_t>(i)] =
            MakeButton(ParmFrame, Element("PLCommand", i), QLatin1String(commands[i]), QRect(60 + 80 * i, 268, 75, 25));
}

void fConnection::CreateMessagePanels()
{
    MsgPic = MakePanel(MainPic, "MsgPic", 400, 135);
    MsgPicCap = MakeCaptionBar(MsgPic, "MsgPicCap", QString(), 400);
    for (int i = 0; i < 3; ++i) {
        QLabel* icon = Make<QLabel>(MsgPic, Element("iErrEffect", i));
        icon->setGeometry(12, 32, 32, 32);
        icon->hide();
        iErrEffect[static_cast<size_t>(i)] = icon;
    }
    iErrEffect[0]->setPixmap(style()->standardPixmap(QStyle::SP_MessageBoxCritical));
    iErrEffect[1]->setPixmap(style()->standardPixmap(QStyle::SP_MessageBoxInformation));
    lErrMessage = Make<QLabel>(MsgPic, "lErrMessage");
    lErrMessage->setGeometry(56, 28, 309, 64);
    lErrMessage->setWordWrap(true);
    lErrMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (int i = 0; i < 4; ++i) {
        QPushButton* button = MakeButton(MsgPic, Element("MBCommand", i), QString(), QRect(0, 100, 80, 25));
        button->hide();
        MBCommand[static_cast<size_t>(i)] = button;
    }

    ProgBarPic = MakePanel(MainPic, "ProgBarPic", 300, 70);
    ProgBarPic->SetRaisedBorder(true);
    ProgBarMsg = Make<QLabel>(ProgBarPic, "ProgBarMsg");
    ProgBarMsg->setGeometry(10, 8, 280, 20);
    ProgBar = Make<QProgressBar>(ProgBarPic, "ProgBar");
    ProgBar->setGeometry(10, 34, 280, 22);
    ProgBar->setMinimum(0);
}

void fConnection::CreateProcedurePanel()
{
    ProcPic = MakePanel(MainPic, "ProcPic", 500, 300);
    ProcPic->SetRaisedBorder(true);
    ProcText = Make<LogPane>(ProcPic, "ProcText");
    ProcText->setReadOnly(true);
    for (int i = 0; i < ProcButtonSlots; ++i) {
        QPushButton* button = MakeButton(ProcPic, Element("ProcButt", i), QString(), QRect(0, 5 + 28 * i, 80, 25));
        button->hide();
        ProcButt[static_cast<size_t>(i)] = button;
    }
    fProcInput = Make<QLineEdit>(ProcPic, "fProcInput");
    fProcInput->setGeometry(5, 265, 490, 22);
    fProcInput->hide();
    lblProcLabel = Make<QLabel>(ProcPic, "lblProcLabel");
    lblProcLabel->setText(QStringLiteral("Input:"));
    lblProcLabel->setGeometry(5, 245, 60, 18);
    lblProcLabel->hide();
}

void fConnection::CreateHelpPanel()
{
    HelpPicContainer = MakePanel(MainPic, "HelpPicContainer", 320, 200);
    HelpPic = new HelpPicture(QStringLiteral("HelpPic"), HelpPicContainer);
    HelpPic->setGeometry(0, 20, 303, 180);
    helppiccap = MakeCaptionBar(HelpPicContainer, "helppiccap", QStringLiteral("Inline Help"), 303);
    HelpVScroll = Make<QScrollBar>(HelpPicContainer, "HelpVScroll");
    HelpVScroll->setOrientation(Qt::Vertical);
    HelpVScroll->setGeometry(303, 0, 16, 199);
    HelpVScroll->setEnabled(false);
    connect(HelpVScroll, &QScrollBar::valueChanged, this, &fConnection::HelpVScroll_Change);
}

void fConnection::CreateConsole()
{
    Console = Make<QWidget>(ClientArea, "Console");
    ConsoleText = Make<LogPane>(Console, "ConsoleText");
    Console->hide();
}

void fConnection::CreateTenKeyPad()
{
    frTenKey = Make<QGroupBox>(MainPic, "frTenKey");
    frTenKey->setAutoFillBackground(true);
    frTenKey->hide();
    tbTenKey = Make<QLineEdit>(frTenKey, "tbTenKey");
    tbTenKey->setAlignment(Qt::AlignRight);
    // Only the keys write the entry: typed text would bypass them and the
    // answer they keep.
    tbTenKey->setReadOnly(true);
    tbTenKey->setFocusPolicy(Qt::NoFocus);
    lblTK1 = Make<QLabel>(frTenKey, "lblTK1");
    lblTK1->hide();
    lblTK2 = Make<QLabel>(frTenKey, "lblTK2");
    lblTK2->hide();

    for (int k = 0; k < TenKeyButtonSlots; ++k) {
        QString caption;
        if (k <= 9)
            caption = QString::number(k);
        else if (k == 10)
            caption = QStringLiteral(".");
        else if (k == 11)
            caption = QStringLiteral("BS");
        else if (k == 12)
            caption = QStringLiteral("Enter");
        else if (k == 13)
            caption = QStringLiteral("Close");
        else
            caption = QStringLiteral("Extra%1").arg(k - 13);
        QPushButton* key = MakeButton(frTenKey, Element("cbTenKey", k), caption, TenKeyDesign(k));
        // A touch on the pad leaves the focus where the answer is typed.
        key->setFocusPolicy(Qt::NoFocus);
        cbTenKey[static_cast<size_t>(k)] = key;
    }
    RestoreTenKeyDesign();
}

} // namespace zor
