#include "tools/fReport.h"

#include "core/Colors.h"
#include "core/Dialogs.h"
#include "core/FileSave.h"
#include "core/ProgramFolder.h"
#include "core/ScreenPointer.h"
#include "core/SharedState.h"
#include "session/PictureBox.h"
#include "session/fConnection.h"
#include "tools/ReportFile.h"
#include "tools/ReportPrinting.h"
#include "tools/ReportStore.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

namespace zor {

namespace {

const QString InitialFindText = QStringLiteral("Page");
const QString OpenFilter = QStringLiteral("QM Report File|*.qmr|Text Files|*.txt");
const QString SaveFilter = QStringLiteral("QM Report File|*.qmr|Text Files|*.txt|XML File|*.xml");
const QString HeaderFilter = QStringLiteral("QM Report File");
const QString PleaseWaitUnit = QStringLiteral("mb^Print Report^Printing Report.  Please wait...^1^timer=12^end");

QToolButton* MakeButton(QWidget* parent, const QString& name, const QString& tip, const QIcon& icon)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setIcon(icon);
    button->setAutoRaise(true);
    return button;
}

QIcon Swatch(const QColor& colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.drawRect(0, 0, 15, 15);
    return QIcon(pixmap);
}

// The paper's look as a report file's header keeps it.
ReportHeader HeaderOf(const PaperLook& look)
{
    return {look.BarColor, look.Font.family(), look.Font.bold(), look.Font.italic(), look.Font.pointSizeF()};
}

// The paper's font with a chosen face: the paper keeps its own rendering.
QFont PaperFont(const QString& family, bool bold, bool italic, double size)
{
    QFont font = PaperLook::DefaultPaperFont();
    font.setFamily(family);
    font.setBold(bold);
    font.setItalic(italic);
    font.setPointSizeF(std::clamp(size, MinReportFontSize, MaxReportFontSize));
    return font;
}

class Hourglass {
public:
    Hourglass() { SetScreenPointer(ScreenPointer::Hourglass); }
    ~Hourglass() { SetScreenPointer(ScreenPointer::Default); }
};

} // namespace

fReport& fReport::instance()
{
    static fReport* window = new fReport();
    return *window;
}

fReport::fReport() : QWidget(&fConnection::instance(), Qt::Window)
{
    setObjectName(QStringLiteral("fReport"));
    setWindowTitle(Report().Caption);
    const QStyle* look = style();
    const std::pair<const char*, QStyle::StandardPixmap> commands[] = {
        {"Next Page", QStyle::SP_ArrowDown},
        {"Previous Page", QStyle::SP_ArrowUp},
        {"Open Report", QStyle::SP_DialogOpenButton},
        {"Bottom of Report", QStyle::SP_MediaSkipForward},
        {"Top of Report", QStyle::SP_MediaSkipBackward},
        {"Print Report", QStyle::SP_FileIcon},
        {"Save Report", QStyle::SP_DialogSaveButton},
        {"Font", QStyle::SP_FileDialogDetailedView},
        {"Printer Setup", QStyle::SP_FileDialogInfoView},
    };
    auto* bar = new QHBoxLayout;
    for (size_t i = 0; i < RptCmnd.size(); ++i) {
        RptCmnd[i] = MakeButton(this, QStringLiteral("RptCmnd_%1").arg(i), QLatin1String(commands[i].first),
                                look->standardIcon(commands[i].second));
        connect(RptCmnd[i], &QToolButton::clicked, this, [this, i] { RptCmnd_Click(static_cast<int>(i)); });
        bar->addWidget(RptCmnd[i]);
    }
    bar->addSpacing(12);
    Command1 =
        MakeButton(this, QStringLiteral("Command1"), QStringLiteral("Green Bar Paper"), Swatch(ToQColor(GreenBar)));
    Command2 =
        MakeButton(this, QStringLiteral("Command2"), QStringLiteral("Blue Bar Paper"), Swatch(ToQColor(BlueBar)));
    Command3 = MakeButton(this, QStringLiteral("Command3"), QStringLiteral("No Bar Paper"), Swatch(Qt::white));
    connect(Command1, &QToolButton::clicked, this, &fReport::Command1_Click);
    connect(Command2, &QToolButton::clicked, this, &fReport::Command2_Click);
    connect(Command3, &QToolButton::clicked, this, &fReport::Command3_Click);
    bar->addWidget(Command1);
    bar->addWidget(Command2);
    bar->addWidget(Command3);
    bar->addSpacing(12);
    Label2 = new QLabel(QStringLiteral("Find:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    FindText = new QLineEdit(InitialFindText, this);
    FindText->setObjectName(QStringLiteral("FindText"));
    ReportFind = MakeButton(this, QStringLiteral("ReportFind"), QStringLiteral("Find Next"),
                            look->standardIcon(QStyle::SP_FileDialogContentsView));
    connect(ReportFind, &QToolButton::clicked, this, &fReport::ReportFind_Click);
    // A changed text is searched from the first report line.
    connect(FindText, &QLineEdit::textChanged, this, [this] { FindRow = 0; });
    bar->addWidget(Label2);
    bar->addWidget(FindText, 1);
    bar->addWidget(ReportFind);

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setMinimumSize(1, 1);
    PaperFace = new PictureBox(QStringLiteral("PaperFace"), Picture1);
    PaperFace->SetBackColor(Qt::white);
    Line1 = new QWidget(PaperFace);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setAutoFillBackground(true);
    QPalette rule = Line1->palette();
    rule.setColor(QPalette::Window, Qt::black);
    Line1->setPalette(rule);
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setFocusPolicy(Qt::StrongFocus);
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    connect(VScroll1, &QScrollBar::valueChanged, this, [this](int value) {
        TopLine = value;
        DrawPage();
    });
    connect(HScroll1, &QScrollBar::valueChanged, this, [this](int value) { PaperFace->move(-value, 0); });

    auto* paper = new QHBoxLayout;
    paper->setSpacing(0);
    paper->addWidget(Picture1, 1);
    paper->addWidget(VScroll1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addLayout(paper, 1);
    layout->addWidget(HScroll1);

    // The window sees keys before its controls do.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    resize(800, 600);
}

fReport::~fReport() = default;

void fReport::ShowReport()
{
    setWindowTitle(Report().Caption);
    TopLine = 0;
    FindRow = 0;
    if (!loaded_) {
        loaded_ = true;
        showMaximized();
    } else {
        show();
    }
    raise();
    Form_Resize();
}

void fReport::ShowFromMenu()
{
    ShowReport();
    activateWindow();
    VScroll1->setFocus();
}

void fReport::Form_Resize()
{
    if (isMinimized())
        return;
    const QFont& font = Look.Font;
    const int viewport = Picture1->width();
    const int paperWidth = PaperWidthFor(viewport, font);
    ReportPageLines = static_cast<qint16>(PageLinesOf(Picture1->height(), PaperLineHeight(font)));
    {
        const QSignalBlocker blocker(HScroll1);
        HScroll1->setEnabled(paperWidth > viewport);
        HScroll1->setRange(0, paperWidth - viewport);
        HScroll1->setPageStep(std::max(1, (paperWidth - viewport) / 2));
        HScroll1->setValue(0);
    }
    PaperFace->setGeometry(0, 0, paperWidth, Picture1->height());
    Line1->setGeometry(0, 0, paperWidth, 1);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(ReportPageLines);
    DrawPage();
}

void fReport::DrawPage()
{
    const QStringList& rows = Report().Rows;
    TopLine = std::max<qsizetype>(TopLine, 0);
    {
        const QSignalBlocker blocker(VScroll1);
        VScroll1->setMaximum(static_cast<int>(std::clamp<qsizetype>(rows.size() - ReportPageLines, 0, INT_MAX)));
    }
    DrawPaper(PaperFace->Image(), rows, TopLine, ReportPageLines, Look, FindText->text());
    PaperFace->Refresh();
}

void fReport::SetBarValue(qsizetype value)
{
    const QSignalBlocker blocker(VScroll1);
    VScroll1->setValue(static_cast<int>(std::clamp<qsizetype>(value, 0, VScroll1->maximum())));
}

void fReport::ScrollTo(qsizetype top)
{
    // The page commands stay within the bar's range and always redraw, so
    // an empty report or a page that does not move needs no special case. A
    // find may have put the page past the bar's end: the next page is not
    // back up there.
    TopLine = std::clamp<qsizetype>(top, 0, std::max<qsizetype>(VScroll1->maximum(), TopLine));
    SetBarValue(TopLine);
    DrawPage();
}

void fReport::RptCmnd_Click(int index)
{
    switch (index) {
    case NextPage:
        ScrollTo(TopLine + ReportPageLines);
        break;
    case PreviousPage:
        ScrollTo(TopLine - ReportPageLines);
        break;
    case OpenReport:
        Open();
        break;
    case BottomOfReport:
        ScrollTo(Report().Rows.size() - ReportPageLines);
        break;
    case TopOfReport:
        ScrollTo(0);
        break;
    case PrintReport:
        Print();
        break;
    case SaveReport:
        Save();
        break;
    case ChooseFont:
        PickFont();
        break;
    case PrinterSetup:
        SetUpPrinter();
        break;
    default:
        break;
    }
}

void fReport::ReportFind_Click()
{
    const QString text = FindText->text();
    if (text.isEmpty())
        return;
    qsizetype found = -1;
    {
        const Hourglass busy;
        found = FindRowFrom(Report().Rows, FindRow, text);
        if (found >= 0) {
            FindRow = found + 1;
            // The hit is the page's first line, even on the last page.
            TopLine = found;
            SetBarValue(found);
            DrawPage();
        }
    }
    if (found < 0) {
        Dialogs::MsgBox(QStringLiteral("Searched to end of report"), Dialogs::Critical, QStringLiteral("Find"));
        FindRow = 0;
    }
}

void fReport::Command1_Click()
{
    Look.BarColor = GreenBar;
    DrawPage();
}

void fReport::Command2_Click()
{
    Look.BarColor = BlueBar;
    DrawPage();
}

void fReport::Command3_Click()
{
    if (const auto colour = Dialogs::ChooseColour(ToQColor(Look.BarColor))) {
        Look.BarColor = FromQColor(*colour);
        Form_Resize();
    }
}

void fReport::Open()
{
    const QString path = Dialogs::GetOpenFileName(QStringLiteral("Open Report"), OpenFilter, ProgramFolder());
    if (path.isEmpty())
        return;
    ReportFileRead file;
    {
        const Hourglass busy;
        file = ReadReportFile(path);
    }
    if (!file.Ok()) {
        Dialogs::MsgBox(QStringLiteral("Cannot open ") + path + QStringLiteral(": ") + file.Error +
                            QStringLiteral(". Nothing was loaded."),
                        Dialogs::Critical, QStringLiteral("Open Report"));
        return;
    }
    if (file.Header) {
        const ReportHeader& header = *file.Header;
        Look.BarColor = header.BarColor;
        Look.Font = PaperFont(header.FontName, header.Bold, header.Italic, header.Size);
    }
    // The file replaces the report; printing covers exactly its lines.
    Report().Replace(file.Lines);
    ReportRowCount = file.Lines.size();
    TopLine = 0;
    FindRow = 0;
    SetBarValue(0);
    Form_Resize();
    VScroll1->setFocus();
}

void fReport::Save()
{
    QString filter;
    const QString path = Dialogs::GetSaveFileName(QStringLiteral("Save Report"), SaveFilter, ProgramFolder(), &filter);
    if (path.isEmpty())
        return;
    const Hourglass busy;
    const std::optional<ReportHeader> header =
        filter == HeaderFilter ? std::optional<ReportHeader>(HeaderOf(Look)) : std::nullopt;
    SaveFileWhole(path, ReportFileBytes(Report().Rows, header));
}

QPrinter* fReport::Printer()
{
    if (!printer_) {
        // The system's default printer, else the program's own first one.
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull() && PrinterCount > 0)
            info = QPrinterInfo::printerInfo(Printers.value(0));
        if (info.isNull())
            return nullptr;
        printer_ = std::make_unique<QPrinter>(info);
    }
    return printer_.get();
}

void fReport::Print()
{
    const QStringList& rows = Report().Rows;
    // Row 0 is the first report line; the spare blank rows are not printed.
    const qsizetype count = std::min<qsizetype>(std::max<qint64>(ReportRowCount, 0), rows.size());
    if (count == 0) {
        Dialogs::MsgBox(QStringLiteral("Nothing to print"), Dialogs::Critical, QStringLiteral("Error"));
        return;
    }
    QPrinter* printer = Printer();
    if (!printer) {
        Dialogs::MsgBox(QStringLiteral("No printer"), Dialogs::Critical, QStringLiteral("Error"));
        return;
    }
    printer->setDocName(Report().Caption);
    fConnection::instance().Process(PleaseWaitUnit);
    bool printed = false;
    {
        const Hourglass busy;
        printed = PrintReportRows(*printer, rows.mid(0, count), Look.Font);
    }
    if (!printed)
        Dialogs::MsgBox(QStringLiteral("Unable to print to ") + printer->printerName(), Dialogs::Critical,
                        QStringLiteral("Printer Error"));
}

void fReport::PickFont()
{
    if (const auto chosen = Dialogs::ChooseFont(Look.Font)) {
        Look.Font = PaperFont(chosen->family(), chosen->bold(), chosen->italic(), chosen->pointSizeF());
        Form_Resize();
    }
}

void fReport::SetUpPrinter()
{
    if (QPrinter* printer = Printer()) {
        Dialogs::ChoosePrinter(*printer);
        return;
    }
    // With no printer yet, only a setup that was confirmed gives one.
    auto chosen = std::make_unique<QPrinter>();
    if (Dialogs::ChoosePrinter(*chosen))
        printer_ = std::move(chosen);
}

bool fReport::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Picture1 && event->type() == QEvent::Resize)
        Form_Resize();
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ReportFind_Click();
        return true;
    case Qt::Key_F:
        if (watched == FindText || (key->modifiers() & ~Qt::ShiftModifier) != Qt::NoModifier)
            break;
        FindText->setFocus();
        return true;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void fReport::closeEvent(QCloseEvent* event)
{
    QLineEdit* input = fConnection::instance().INText;
    if (input->isVisible() && input->isEnabled())
        input->setFocus();
    Unload();
    event->accept();
}

void fReport::Unload()
{
    // The next showing starts afresh; a capture still running keeps its
    // lines, or its report would be cut at "re".
    if (!ReportMode) {
        Report() = ReportStore();
        ReportRowCount = 0;
    }
    Look = PaperLook();
    TopLine = 0;
    FindRow = 0;
    FindText->setText(InitialFindText);
    printer_.reset();
    loaded_ = false;
}

} // namespace zor
