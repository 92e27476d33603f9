#include "core/SharedState.h"
#include "devices/DirectPrinter.h"
#include "devices/ModPrinter.h"
#include "interpreter/ReportText.h"
#include "tests/interpreter/ProcessFixture.h"
#include "tests/support/RawPrinterRecorder.h"
#include "tests/support/TestSupport.h"
#include "tools/ReportStore.h"
#include "tools/fReport.h"

#include <QDir>
#include <QFile>

namespace zor {
namespace {

class ReportCommandsTest : public test::ProcessTest {
protected:
    void SetUp() override
    {
        test::ProcessTest::SetUp();
        SetStartValues();
        ConfigFile = QStringLiteral("shop.ntt");
        raw->printers = QStringList{QStringLiteral("alpha"), QStringLiteral("beta")};
        LoadPrinters();
        PrinterMap[1] = 1;
        fReport::instance().hide();
        Report() = ReportStore();
    }
    void TearDown() override
    {
        EndReportCapture();
        DirectPrintFile.clear();
        fReport::instance().hide();
        test::ProcessTest::TearDown();
    }
    QStringList Jobs() const
    {
        QStringList jobs;
        for (const auto& job : raw->jobs)
            jobs << job.Printer + QLatin1Char('|') + job.DocName + QLatin1Char('|') + job.Text;
        return jobs;
    }
    test::ProgramFolderScope home;
    test::RawPrinterScope raw;
};

TEST(ReportNumbers, PrinterTypesFromTheHost)
{
    const std::pair<const char*, int> target[] = {{"1", 0},   {"2", 1},   {"8", 7},   {"9", -1},
                                                  {"12", -1}, {"", -1},   {"0", -1},  {"-3", -1},
                                                  {"x", -1},  {"-5", -1}, {"1.4", 0}, {"99999999999", -1}};
    for (const auto& [field, type] : target)
        EXPECT_EQ(TargetPrinterOf(QString::fromLatin1(field)), type) << field;
    const std::pair<const char*, int> info[] = {{"1", 0}, {"0", 1}, {"11", 1}, {"", 1}, {"10", 9}, {"99999", 1}};
    for (const auto& [field, type] : info)
        EXPECT_EQ(PrinterInfoTypeOf(QString::fromLatin1(field)), type) << field;
}

TEST(ReportNumbers, ControlCodes)
{
    test::ProgramFolderScope traceFolder;
    Trace().Folder = traceFolder.path();
    Trace().On = true;
    Trace().Lines.clear();
    const std::pair<const char*, const char*> cases[] = {
        {"<!013!>", "\r"},
        {"<!esc!>", "\x1b"},
        {"<!ESC!>", "<!ESC!>"},
        {"<!a12!>", "<!a12!>"},
        {"<!027xx", "\x1b"},
        {"<!999!>", "<!999!>"},
        {"<!-01!>", "<!-01!>"},
        {"<!0", "<!0"},
        {"<!027<!cr!>X", "\x1b"},
        {"<!065<!ff!>", "A"},
        {"a<!cr!>b<!012!>c<!stx!><!etx!><!ff!>", "a\rb\x0c"
                                                 "c\x02\x03\x0c"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(ReplaceControlCodes(QString::fromLatin1(in)), QString::fromLatin1(out)) << in;
    EXPECT_EQ(std::count(Trace().Lines.begin(), Trace().Lines.end(),
                         QStringLiteral("[ControlCharReplace]Non-Numeric charectors found!")),
              5);
    Trace().On = false;
    EXPECT_EQ(ReplaceControlCodes(QStringLiteral("<!000!>")), QString(QChar(0)));
    EXPECT_EQ(CutAfterLastFormFeed(QStringLiteral("A\x0c"
                                                  "B\x0c"
                                                  "C")),
              QStringLiteral("A\x0c"
                             "B\x0c"));
    EXPECT_EQ(CutAfterLastFormFeed(QStringLiteral("AB")), QStringLiteral("AB"));
}

TEST_F(ReportCommandsTest, ARawReportGoesToThePrinterOfItsType)
{
    Run({QStringLiteral("rh^Daily^^^1"), QStringLiteral("Line one"), QStringLiteral("\nTotal <!027!>E<!cr!>"),
         QStringLiteral("re")});
    EXPECT_EQ(Jobs(), QStringList{QStringLiteral("alpha|GUI Print|Line one\r\nTotal \x1b"
                                                 "E\r\r\n")});
    EXPECT_FALSE(fReport::instance().isVisible());
    EXPECT_EQ(History(), (QStringList{QStringLiteral("rh^Daily^^^1"), QStringLiteral("re")}));
    EXPECT_EQ(ReportRowCount, 0);
    EXPECT_EQ(Report().Rows, QStringList(100, QString()));
    EXPECT_TRUE(TraceLines().contains(QStringLiteral("[RH]TargetPrinter == 0alpha")));
    EXPECT_TRUE(TraceLines().contains(QStringLiteral("[RE]Printing complete.")));

    // Nothing was captured since: a second "re" prints nothing.
    Run({QStringLiteral("re")});
    EXPECT_EQ(raw->jobs.size(), 1);
}

TEST_F(ReportCommandsTest, TheReportPrinterGetsWholePagesAndPageBreaksAreKept)
{
    struct Case {
        const char* why;
        QStringList units;
        QString job;
    };
    const Case cases[] = {
        {"text after the last FF is dropped",
         {"rh^Month^^^2", "Page one", "\n<!ff!>", "\nTrailer", "re"},
         "beta|GUI Print|Page one\r\n\x0c"},
        {"a report without FF prints whole", {"rh^Month^^^2", "Only page", "re"}, "beta|GUI Print|Only page\r\n"},
        {"a host page break is FF",
         {"rh^R^^^1",
          "\x1a"
          "Second page",
          "re"},
         "alpha|GUI Print|\x0cSecond page\r\n"},
        {"a code above 255 stays as text", {"rh^R^^^1", "A<!300!>B<!013!>", "re"}, "alpha|GUI Print|A<!300!>B\r\r\n"},
    };
    for (const Case& c : cases) {
        raw->jobs.clear();
        for (const QString& unit : c.units)
            window.Process(unit);
        EXPECT_EQ(Jobs(), QStringList{c.job}) << c.why;
    }
}

TEST_F(ReportCommandsTest, WithoutAPrinterOrWhenItFailsTheViewerShowsTheReport)
{
    Run({QStringLiteral("rh^Stock report"), QStringLiteral("Item  Qty"), QStringLiteral("\nWidget 12"),
         QStringLiteral("re")});
    EXPECT_TRUE(raw->jobs.isEmpty());
    EXPECT_TRUE(fReport::instance().isVisible());
    EXPECT_EQ(fReport::instance().windowTitle(), QStringLiteral("Stock report"));
    EXPECT_EQ(Report().Rows.mid(0, 3), (QStringList{QStringLiteral("Item  Qty"), QStringLiteral("Widget 12"), {}}));
    EXPECT_EQ(Report().Rows.size(), 102);
    EXPECT_EQ(ReportRowCount, 2);
    fReport::instance().hide();

    raw->error = QStringLiteral("No such printer");
    Run({QStringLiteral("rh^Lost?^^^1"), QStringLiteral("Keep me"), QStringLiteral("re")});
    EXPECT_TRUE(fReport::instance().isVisible());
    EXPECT_EQ(Report().Rows.value(0), QStringLiteral("Keep me"));
    EXPECT_TRUE(TraceLines().contains(QStringLiteral("[RE]Report not printed: No such printer")));
}

// Jobs answered later, as a print server answers, after the host began the
// next report: a printed one drops none of the newer rows, and a failed one
// is kept whole, in the viewer when it is still the newest, else in a file.
TEST_F(ReportCommandsTest, ReportsAnsweredAfterTheNextOneBeganAreNeitherMixedNorLost)
{
    raw->holdJobs = true;
    Run({QStringLiteral("rh^First^^^1"), QStringLiteral("first row"), QStringLiteral("re"),
         QStringLiteral("rh^Second^^^1"), QStringLiteral("second row")});
    raw->AnswerHeldJobs();
    ASSERT_EQ(raw->jobs.size(), 1);
    EXPECT_EQ(Report().Rows, QStringList{QStringLiteral("second row")});
    Run({QStringLiteral("re")});

    raw->error = QStringLiteral("The print server did not answer");
    Run({QStringLiteral("rh^Third^^^1"), QStringLiteral("third row"), QStringLiteral("re")});
    test::DialogScript dialogs;
    raw->AnswerHeldJobs();
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("Printer Error"));
    EXPECT_TRUE(dialogs.asked[0].prompt.contains(QStringLiteral("\"Second\" could not be printed")));
    const QStringList kept = QDir(home.path()).entryList({QStringLiteral("unprinted-*.qmr")});
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(home.read(kept[0]), "second row\r\n");
    EXPECT_TRUE(fReport::instance().isVisible());
    EXPECT_EQ(Report().Rows.value(0), QStringLiteral("third row"));
    EXPECT_EQ(ReportRowCount, 1);
}

TEST_F(ReportCommandsTest, AReportPrintedLineByLineGoesAsOnePdfAndIsKeptWhenItFails)
{
    Run({QStringLiteral("rh^Direct^p"), QStringLiteral("first"), QStringLiteral("re")});
    ASSERT_EQ(raw->jobs.size(), 1);
    EXPECT_EQ(raw->jobs[0].Printer + raw->jobs[0].Format, QStringLiteral("alphapdf"));
    EXPECT_TRUE(raw->jobs[0].Text.startsWith(QStringLiteral("%PDF")));

    raw->error = QStringLiteral("The print server did not answer");
    test::DialogScript dialogs;
    Run({QStringLiteral("rh^Direct^p"), QStringLiteral("second"), QStringLiteral("re")});
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked[0].prompt.contains(raw->error));
    const QStringList kept = QDir(home.path()).entryList({QStringLiteral("unprinted-*.pdf")});
    ASSERT_EQ(kept.size(), 1);
    EXPECT_TRUE(home.read(kept[0]).startsWith("%PDF"));
}

TEST_F(ReportCommandsTest, RepeatedReportEndsKeepTheReportAtItsOwnSize)
{
    struct Case {
        const char* why;
        QStringList head;
        qsizetype rows;
        qint64 lines;
    };
    const Case cases[] = {
        {"a report for the viewer", {"rh^Stock", "Item"}, 101, 1},
        {"a raw report", {"rh^Daily^^^1", "Item"}, 100, 0},
        {"no report begun", {}, 0, 0},
    };
    for (const Case& c : cases) {
        Report() = ReportStore();
        raw->jobs.clear();
        for (const QString& unit : c.head)
            window.Process(unit);
        for (int i = 0; i < 20000; ++i)
            window.Process(QStringLiteral("re"));
        EXPECT_EQ(Report().Rows.size(), c.rows) << c.why;
        EXPECT_EQ(ReportRowCount, c.lines) << c.why;
        EXPECT_LE(raw->jobs.size(), 1) << c.why;
        fReport::instance().hide();
    }
}

TEST_F(ReportCommandsTest, PrinterInfoAndPassThrough)
{
    test::SentRecorder sent;
    PrinterMap[0] = 2;
    Run({QStringLiteral("pi^1"), QStringLiteral("pi"), QStringLiteral("pi^99999")});
    EXPECT_EQ(sent.sent,
              (QStringList{QStringLiteral("Com Port Printer\r"), QStringLiteral("beta\r"), QStringLiteral("beta\r")}));
    EXPECT_TRUE(History().isEmpty());

    PrinterMap[0] = 0;
    Run({QStringLiteral("com^ON")});
    EXPECT_TRUE(ComMode);
    EXPECT_TRUE(TraceLines().contains(QStringLiteral("[COM]com^on. UseComm = 0")));
    Run({QStringLiteral("Book 10.00\x1b")});
    EXPECT_EQ(Jobs(), QStringList{QStringLiteral("alpha|ZOR Receipt|Book 10.00")});
    // In pass-through only the marker is a command, and it ends it.
    Run({QStringLiteral("com")});
    EXPECT_TRUE(ComMode);
    Run({QStringLiteral("COM^OFF")});
    EXPECT_FALSE(ComMode);
    Run({QStringLiteral("com^On^x")});
    EXPECT_TRUE(ComMode);
    ComMode = false;
}

TEST_F(ReportCommandsTest, DirectPrintingMakesOneDocumentAndAPrinterErrorAsksOnce)
{
    QTemporaryDir dir;
    DirectPrintFile = dir.filePath(QStringLiteral("report.pdf"));
    Run({QStringLiteral("rh^Direct^p"), QStringLiteral("first"),
         QStringLiteral("\x1a"
                        "second page")});
    EXPECT_TRUE(TheDirectPrinter().IsOpen());
    Run({QStringLiteral("re")});
    EXPECT_FALSE(TheDirectPrinter().IsOpen());
    QFile pdf(DirectPrintFile);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 2);
    EXPECT_FALSE(fReport::instance().isVisible());

    // A printer that cannot print: asked once, the rest is kept.
    DirectPrintFile = QStringLiteral("/nonexistent/folder/report.pdf");
    test::DialogScript dialogs;
    dialogs.answer(Dialogs::No);
    Run({QStringLiteral("rh^Direct^P"), QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("re")});
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("Printer Error"));
    EXPECT_EQ(Report().Rows.mid(0, 2), (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
    EXPECT_TRUE(fReport::instance().isVisible());
}

} // namespace
} // namespace zor
