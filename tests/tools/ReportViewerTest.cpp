#include "core/Colors.h"
#include "core/SharedState.h"
#include "session/ShellLink.h"
#include "tests/interpreter/ProcessFixture.h"
#include "tests/support/TestSupport.h"
#include "tools/ReportFile.h"
#include "tools/ReportPaper.h"
#include "tools/ReportStore.h"
#include "tools/fReport.h"

#include "session/PictureBox.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

namespace zor {
namespace {

const QString Fixture = QStringLiteral(ZOR_SOURCE_DIR "/tests/tools/fixtures/stock.qmr");

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Dark pixels of one paper line: how much ink it took.
int InkIn(const QImage& paper, int top, int height)
{
    int ink = 0;
    for (int y = top; y < top + height; ++y)
        for (int x = 0; x < paper.width(); ++x)
            if (qGray(paper.pixel(x, y)) < 128)
                ++ink;
    return ink;
}

QStringList Lines(int count)
{
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows << QStringLiteral("line %1").arg(i);
    return rows;
}

class ReportViewerTest : public test::ProcessTest {
protected:
    fReport& viewer = fReport::instance();
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    QTemporaryDir dir;

    void SetUp() override
    {
        test::ProcessTest::SetUp();
        viewer.close();
        ReportMode = false;
        Report() = ReportStore();
    }
    void TearDown() override
    {
        viewer.close();
        window.MsgPic->hide();
        test::ProcessTest::TearDown();
    }
    // The viewer shown at a size of its own with these rows.
    void ShowRows(const QStringList& rows, QSize size = QSize(1200, 700))
    {
        Report().Replace(rows);
        ReportRowCount = rows.size();
        viewer.ShowReport();
        QApplication::processEvents();
        viewer.showNormal();
        viewer.resize(size);
        QApplication::processEvents();
    }
    QImage Paper() const { return viewer.PaperFace->Image(); }
    int LineHeight() const { return PaperLineHeight(viewer.Look.Font); }
    QStringList Boxes() const
    {
        QStringList boxes;
        for (const Dialogs::Request& request : dialogs.asked)
            if (request.kind == Dialogs::Request::MessageBox)
                boxes << request.title + QLatin1Char('|') + request.prompt;
        return boxes;
    }
    QString Saved(const QString& name, const QString& filter)
    {
        const QString path = dir.filePath(name);
        dialogs.answer(QStringList{path, filter});
        viewer.RptCmnd_Click(fReport::SaveReport);
        return path;
    }
    void Open(const QString& path)
    {
        dialogs.answer(path);
        viewer.RptCmnd_Click(fReport::OpenReport);
    }
};

TEST_F(ReportViewerTest, BandsStayOnThePaperAtEverySize)
{
    for (const QSize size : {QSize(1200, 700), QSize(500, 330)}) {
        SCOPED_TRACE(size.width());
        ShowRows({});
        viewer.resize(size);
        QApplication::processEvents();
        const int h = LineHeight();
        const QImage paper = Paper();
        EXPECT_EQ(ReportPageLines, PageLinesOf(viewer.Picture1->height(), h));
        const int x = paper.width() - 2;
        EXPECT_EQ(paper.pixelColor(x, h * 9 / 2), QColor(192, 255, 255));
        EXPECT_EQ(paper.pixelColor(x, h * 3 / 2), QColor(Qt::white));
        EXPECT_EQ(paper.pixelColor(x, h * 21 / 2), QColor(192, 255, 255));
        EXPECT_EQ(paper.pixelColor(x, h * 15 / 2), QColor(Qt::white));
        viewer.Command1->click();
        EXPECT_EQ(Paper().pixelColor(x, h * 9 / 2), QColor(192, 255, 192));
        viewer.Command2->click();
        EXPECT_EQ(Paper().pixelColor(x, h * 9 / 2), QColor(192, 255, 255));
        // An empty report is bands only.
        EXPECT_EQ(InkIn(Paper(), 0, 3 * h), 0);

        // 132 columns always fit; a narrower window scrolls the paper.
        const bool narrow = viewer.Picture1->width() < PaperColumns * PaperColumnWidth(viewer.Look.Font);
        EXPECT_EQ(viewer.HScroll1->isEnabled(), narrow);
        EXPECT_GE(paper.width(), PaperColumns * PaperColumnWidth(viewer.Look.Font));
        if (narrow) {
            viewer.HScroll1->setValue(40);
            EXPECT_EQ(viewer.PaperFace->x(), -40);
        }
        viewer.close();
    }
}

TEST_F(ReportViewerTest, RowZeroIsDrawnFirstAndFindLinesAreBold)
{
    dialogs.answer(QColor(255, 0, 0));
    ShowRows({QStringLiteral("PAGE 1 of the report"), QStringLiteral("PAGE 1 of the report"),
              QStringLiteral("+NEWPAGE"), QStringLiteral("detail")});
    const int h = LineHeight();
    viewer.FindText->setText(QStringLiteral("zzz"));
    viewer.DrawPage();
    const int regular = InkIn(Paper(), 0, h);
    EXPECT_GT(regular, 0);
    EXPECT_EQ(InkIn(Paper(), h, h), regular);
    // The initial find text "Page" makes every line holding it bold.
    viewer.FindText->setText(QStringLiteral("Page"));
    viewer.DrawPage();
    EXPECT_GT(InkIn(Paper(), 0, h), regular);
    // A page break is a black rule across the paper.
    EXPECT_EQ(Paper().pixelColor(Paper().width() - 2, 2 * h), QColor(Qt::black));

    viewer.Command3->click();
    EXPECT_EQ(viewer.Look.BarColor, RGBLong(255, 0, 0));
    EXPECT_EQ(Paper().pixelColor(Paper().width() - 2, h * 9 / 2), QColor(255, 0, 0));
}

TEST_F(ReportViewerTest, FindGoesDownTheReportThenStartsAgainAtRowZero)
{
    ShowRows(QStringList{QStringLiteral("widget head"), QStringLiteral("Item"), QStringLiteral("Widget 12"),
                         QStringLiteral("gadget"), QStringLiteral("WIDGET 3")} +
             Lines(300));
    viewer.FindText->setText(QStringLiteral("widget"));
    struct Step {
        qsizetype top; // -1: not found
    };
    const Step steps[] = {{0}, {2}, {4}, {-1}, {0}};
    for (const Step& step : steps) {
        dialogs.asked.clear();
        QTest::keyClick(viewer.VScroll1, Qt::Key_Return);
        if (step.top < 0) {
            EXPECT_EQ(Boxes(), QStringList{"Find|Searched to end of report"});
            EXPECT_EQ(dialogs.asked.value(0).style, Dialogs::Critical);
            EXPECT_EQ(viewer.FindRow, 0);
            continue;
        }
        EXPECT_TRUE(Boxes().isEmpty());
        EXPECT_EQ(viewer.TopLine, step.top);
        EXPECT_EQ(viewer.VScroll1->value(), step.top);
        EXPECT_EQ(viewer.FindRow, step.top + 1);
    }
    // A changed text is searched from the first line again.
    viewer.ReportFind_Click();
    EXPECT_EQ(viewer.TopLine, 2);
    viewer.FindText->setText(QStringLiteral("HEAD"));
    viewer.ReportFind_Click();
    EXPECT_EQ(viewer.TopLine, 0);
    // A hit on the last page is the first line, past the bar's end.
    viewer.FindText->setText(QStringLiteral("line 299"));
    viewer.ReportFind_Click();
    EXPECT_EQ(viewer.TopLine, 304);
    EXPECT_EQ(viewer.VScroll1->value(), viewer.VScroll1->maximum());
    // There is no page after it, and none back above it either.
    viewer.RptCmnd[fReport::NextPage]->click();
    EXPECT_EQ(viewer.TopLine, 304);
    viewer.RptCmnd[fReport::PreviousPage]->click();
    EXPECT_EQ(viewer.TopLine, 304 - ReportPageLines);
    viewer.FindText->clear();
    dialogs.asked.clear();
    viewer.ReportFind_Click();
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(ReportViewerTest, PagesScrollByCommandBarAndKeys)
{
    ShowRows(Lines(1000));
    const qsizetype pl = ReportPageLines;
    ASSERT_GT(pl, 3);
    EXPECT_EQ(viewer.VScroll1->maximum(), 1000 - pl);
    EXPECT_EQ(viewer.VScroll1->pageStep(), pl);
    struct Case {
        int command;
        qsizetype top;
    };
    const Case cases[] = {
        {fReport::NextPage, pl},        {fReport::NextPage, 2 * pl}, {fReport::PreviousPage, pl},
        {fReport::TopOfReport, 0},      {fReport::PreviousPage, 0},  {fReport::BottomOfReport, 1000 - pl},
        {fReport::NextPage, 1000 - pl},
    };
    for (const Case& c : cases) {
        viewer.RptCmnd[static_cast<size_t>(c.command)]->click();
        EXPECT_EQ(viewer.TopLine, c.top) << c.command;
        EXPECT_EQ(viewer.VScroll1->value(), c.top) << c.command;
    }
    viewer.RptCmnd_Click(fReport::TopOfReport);
    const QImage top = Paper();
    QTest::keyClick(viewer.VScroll1, Qt::Key_PageDown);
    EXPECT_EQ(viewer.TopLine, pl);
    QTest::keyClick(viewer.VScroll1, Qt::Key_Down);
    EXPECT_EQ(viewer.TopLine, pl + 1);
    EXPECT_NE(Paper(), top);
    viewer.VScroll1->setValue(0);
    EXPECT_EQ(Paper(), top);

    // F goes to the find box, where it is typed like any letter.
    QTest::keyClick(viewer.VScroll1, Qt::Key_F);
    EXPECT_EQ(viewer.focusWidget(), viewer.FindText);
    EXPECT_EQ(viewer.FindText->text(), QStringLiteral("Page"));
    QTest::keyClick(viewer.FindText, Qt::Key_F);
    EXPECT_EQ(viewer.FindText->text(), QStringLiteral("Pagef"));

    // An empty report pages without trouble.
    ShowRows({});
    for (int command : {fReport::NextPage, fReport::PreviousPage, fReport::BottomOfReport, fReport::TopOfReport}) {
        viewer.RptCmnd_Click(command);
        EXPECT_EQ(viewer.TopLine, 0);
        EXPECT_EQ(viewer.VScroll1->value(), 0);
    }
}

TEST_F(ReportViewerTest, EscUnloadsTheReportUnlessACaptureRuns)
{
    ShowRows({QStringLiteral("kept while capturing")});
    viewer.Command1_Click();
    ReportMode = true;
    QTest::keyClick(viewer.VScroll1, Qt::Key_Escape);
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_EQ(Report().Rows, QStringList{"kept while capturing"});
    EXPECT_EQ(viewer.Look.BarColor, BlueBar);

    ReportMode = false;
    viewer.ShowReport();
    window.INTextPic->show();
    window.INText->show();
    window.INText->setEnabled(true);
    window.MainPic->setFocus();
    ASSERT_NE(window.focusWidget(), window.INText);
    QTest::keyClick(viewer.VScroll1, Qt::Key_Escape);
    // The session's input box has the focus back.
    EXPECT_EQ(window.focusWidget(), window.INText);
    window.INTextPic->hide();
    EXPECT_TRUE(Report().Rows.isEmpty());
    EXPECT_EQ(ReportRowCount, 0);
    EXPECT_EQ(Report().Caption, QStringLiteral("Report"));
}

TEST_F(ReportViewerTest, TheChosenFontSetsTheLinesOfAPage)
{
    ShowRows(Lines(500));
    const int smallLines = ReportPageLines;
    QFont large(QStringLiteral("Courier New"));
    large.setPointSizeF(16);
    large.setItalic(true);
    dialogs.answer(large);
    viewer.RptCmnd_Click(fReport::ChooseFont);
    EXPECT_EQ(viewer.Look.Font.pointSizeF(), 16);
    EXPECT_TRUE(viewer.Look.Font.italic());
    EXPECT_LT(ReportPageLines, smallLines);
    EXPECT_EQ(ReportPageLines, PageLinesOf(viewer.Picture1->height(), LineHeight()));
    EXPECT_EQ(viewer.VScroll1->maximum(), 500 - ReportPageLines);
    // A size no header could hold back is brought within range; a page has
    // at least one line.
    large.setPointSizeF(900);
    dialogs.answer(large);
    viewer.RptCmnd_Click(fReport::ChooseFont);
    EXPECT_EQ(viewer.Look.Font.pointSizeF(), MaxReportFontSize);
    EXPECT_GE(ReportPageLines, 1);
    dialogs.answer(QVariant());
    viewer.RptCmnd_Click(fReport::ChooseFont);
    EXPECT_EQ(viewer.Look.Font.pointSizeF(), MaxReportFontSize);
}

TEST_F(ReportViewerTest, TheSessionMenuOpensTheViewerOnTheScrollBar)
{
    Report().Replace({QStringLiteral("x")});
    window.puReportViewer->trigger();
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.focusWidget(), viewer.VScroll1);
    EXPECT_TRUE(Boxes().isEmpty());
}

TEST_F(ReportViewerTest, AHostReportSavedAsTextAndAsReportFile)
{
    Run({QStringLiteral("rh^Stock report"), QStringLiteral("Item  Qty"), QStringLiteral("\nWidget 12"),
         QStringLiteral("re")});
    ASSERT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Stock report"));
    EXPECT_EQ(viewer.VScroll1->maximum(), 102 - ReportPageLines);
    QByteArray lines = "Item  Qty\r\nWidget 12\r\n";
    for (int i = 0; i < ReportSpareRows; ++i)
        lines += "\r\n";
    EXPECT_EQ(lines.size(), 222);
    EXPECT_EQ(ReadAll(Saved(QStringLiteral("stock.txt"), QStringLiteral("Text Files"))), lines);
    EXPECT_EQ(ReadAll(Saved(QStringLiteral("stock.xml"), QStringLiteral("XML File"))), lines);
    const QString qmr = Saved(QStringLiteral("stock.qmr"), QStringLiteral("QM Report File"));
    EXPECT_EQ(ReadAll(qmr), "MF,16777152,Courier New,False,False,8.25\r\n" + lines);
    EXPECT_EQ(dialogs.asked.value(0).filter, QStringLiteral("QM Report File|*.qmr|Text Files|*.txt|XML File|*.xml"));

    // A cancelled save writes nothing.
    dialogs.answer(QString());
    viewer.RptCmnd_Click(fReport::SaveReport);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

TEST_F(ReportViewerTest, OpenReplacesTheReportAndSavesItBackByteForByte)
{
    Run({QStringLiteral("rh^Old"), QStringLiteral("old line"), QStringLiteral("re")});
    QApplication::processEvents();
    Open(Fixture);
    const QStringList lines = {"Item  Qty", "Widget 12", QStringLiteral("Caf\u00e9 3"), "+NEWPAGE", "Page two", ""};
    EXPECT_EQ(Report().Rows, lines);
    EXPECT_EQ(Report().Stack, lines);
    EXPECT_EQ(ReportRowCount, 6);
    EXPECT_EQ(viewer.Look.BarColor, GreenBar);
    EXPECT_TRUE(viewer.Look.Font.bold());
    EXPECT_FALSE(viewer.Look.Font.italic());
    EXPECT_EQ(viewer.Look.Font.pointSizeF(), 10);
    EXPECT_EQ(viewer.focusWidget(), viewer.VScroll1);
    EXPECT_EQ(Paper().pixelColor(Paper().width() - 2, LineHeight() * 9 / 2), QColor(192, 255, 192));

    EXPECT_EQ(ReadAll(Saved(QStringLiteral("again.qmr"), QStringLiteral("QM Report File"))), ReadAll(Fixture));

    // Without the header the first line is a report line.
    const QString text = Saved(QStringLiteral("again.txt"), QStringLiteral("Text Files"));
    Open(text);
    EXPECT_EQ(Report().Rows, lines);
    EXPECT_EQ(ReadReportFile(Fixture).Lines, lines);
    QFile odd(dir.filePath(QStringLiteral("odd.txt")));
    ASSERT_TRUE(odd.open(QIODevice::WriteOnly));
    odd.write("MFG report\r\nrow\r\n");
    odd.close();
    Open(odd.fileName());
    EXPECT_EQ(Report().Rows, (QStringList{"MFG report", "row"}));
    EXPECT_TRUE(Boxes().isEmpty()) << Boxes().join('\n').toStdString();
}

TEST(ReportFileTest, HeadersOutOfRangeAreRefusedWhole)
{
    QTemporaryDir dir;
    const struct {
        const char* header;
        const char* why;
    } cases[] = {
        {"MF,16777216,Courier New,False,False,8.25", "the colour in its header is out of range"},
        {"MF,-1,Courier New,False,False,8.25", "the colour in its header is out of range"},
        {"MF,99999999999999999999,Courier New,False,False,8.25", "the colour in its header is out of range"},
        {"MF,0,Courier New,False,False,0", "the font size in its header is out of range"},
        {"mf,0,Courier New,False,False,-3", "the font size in its header is out of range"},
        {"MF,0,Courier New,False,False,144.5", "the font size in its header is out of range"},
        {"MF,0, ,False,False,10", "its header names no font"},
        {"MF,12648384,Courier New", "its header line is incomplete"},
        {"mf", "its header line is incomplete"},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("bad.qmr"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(c.header) + "\r\nline\r\n");
        file.close();
        const ReportFileRead read = ReadReportFile(path);
        EXPECT_EQ(read.Error, QLatin1String(c.why)) << c.header;
        EXPECT_TRUE(read.Lines.isEmpty()) << c.header;
    }
    const ReportFileRead set = ReadReportFile(Fixture);
    ASSERT_TRUE(set.Ok());
    EXPECT_TRUE(set.Header->Bold);
    const std::pair<const char*, bool> flags[] = {{"True", true}, {"true", true},   {"-1", true},
                                                  {"5", true},    {"False", false}, {"0", false}};
    for (const auto& [flag, on] : flags) {
        const QString path = dir.filePath(QStringLiteral("flag.qmr"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("MF,1,Courier New,") + flag + ",False,9.75\r\n");
        file.close();
        EXPECT_EQ(ReadReportFile(path).Header->Bold, on) << flag;
    }
    EXPECT_EQ(ReadReportFile(dir.filePath(QStringLiteral("none.qmr"))).Error,
              QStringLiteral("the file does not exist"));
}

TEST_F(ReportViewerTest, ARefusedFileLeavesTheReportAsItWas)
{
    ShowRows({QStringLiteral("kept")});
    const QString bad = dir.filePath(QStringLiteral("bad.qmr"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("MF,0,Courier New,False,False,0\r\nline\r\n");
    file.close();
    Open(bad);
    EXPECT_EQ(Report().Rows, QStringList{"kept"});
    EXPECT_EQ(ReportRowCount, 1);
    ASSERT_EQ(Boxes().size(), 1);
    EXPECT_EQ(Boxes().front(),
              QStringLiteral("Open Report|Cannot open ") + bad +
                  QStringLiteral(": the font size in its header is out of range. Nothing was loaded."));
    // A cancelled open changes nothing either.
    dialogs.answer(QString());
    viewer.RptCmnd_Click(fReport::OpenReport);
    EXPECT_EQ(Report().Rows, QStringList{"kept"});
}

int PdfPages(const QString& pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished();
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromLatin1(info.readAllStandardOutput()));
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}

QString PdfText(const QString& pdf)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    text.waitForFinished();
    return QString::fromUtf8(text.readAllStandardOutput());
}

TEST_F(ReportViewerTest, PrintsFromRowZeroOnPagesOfItsOwn)
{
    if (QPrinterInfo::defaultPrinter().isNull() && PrinterCount == 0) {
        ShowRows({QStringLiteral("line")});
        viewer.RptCmnd_Click(fReport::PrintReport);
        EXPECT_EQ(Boxes(), QStringList{"Error|No printer"});
        // A setup cancelled gives no printer.
        dialogs.asked.clear();
        dialogs.answer(QString());
        viewer.RptCmnd_Click(fReport::PrinterSetup);
        viewer.RptCmnd_Click(fReport::PrintReport);
        EXPECT_EQ(Boxes(), QStringList{"Error|No printer"});
        dialogs.asked.clear();
        Report() = ReportStore();
    }
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    dialogs.answer(pdf);
    viewer.RptCmnd_Click(fReport::PrinterSetup);
    // A cancelled setup keeps the printer chosen.
    dialogs.answer(QString());
    viewer.RptCmnd_Click(fReport::PrinterSetup);
    dialogs.asked.clear();
    viewer.RptCmnd_Click(fReport::PrintReport);
    EXPECT_EQ(Boxes(), QStringList{"Error|Nothing to print"});
    EXPECT_FALSE(QFile::exists(pdf));

    struct Case {
        QStringList rows;
        int pages;
    };
    const Case cases[] = {
        {{"first line", "+NEWPAGE", "second page", "+newpage", "third page"}, 3},
        // Breaks at either end or in a row give no empty pages.
        {{"+newpage", "first line", "+newpage", "+NewPage", "second page", "+newpage"}, 2},
        {QStringList{"first line"} + Lines(400), 0},
    };
    for (const Case& c : cases) {
        dialogs.asked.clear();
        Run({QStringLiteral("rh^R")});
        for (const QString& row : c.rows)
            Report().Append(row);
        Run({QStringLiteral("re")});
        ASSERT_EQ(Report().Rows.size(), c.rows.size() + 100);
        viewer.RptCmnd_Click(fReport::PrintReport);
        EXPECT_TRUE(Boxes().isEmpty()) << Boxes().join('\n').toStdString();
        if (c.pages > 0)
            EXPECT_EQ(PdfPages(pdf), c.pages);
        else
            EXPECT_GT(PdfPages(pdf), 2);
        const QString text = PdfText(pdf);
        EXPECT_TRUE(text.startsWith(QStringLiteral("first line"))) << text.left(40).toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("newpage"), Qt::CaseInsensitive));
    }
    EXPECT_EQ(window.MsgPicCap->text(), QStringLiteral("Print Report"));
    EXPECT_TRUE(window.MsgPic->isVisible());
}

} // namespace
} // namespace zor
