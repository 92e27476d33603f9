#include "core/ProgramFolder.h"
#include "core/SharedState.h"
#include "devices/ModPrinter.h"
#include "settings/ConfigFile.h"
#include "settings/Properties.h"
#include "tests/support/CupsPeer.h"
#include "tests/support/RawPrinterRecorder.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace zor {
namespace {

const QString Pseudo = QStringLiteral("Com Port Printer");

QStringList Names(std::initializer_list<const char*> names)
{
    QStringList list;
    for (const char* name : names)
        list << QString::fromLatin1(name);
    return list;
}

struct MapFileCase {
    const char* why;
    QStringList installed;
    QByteArray file;
    std::array<qint16, 3> map; // types 0..2
    bool serialReceipts;
};

const MapFileCase MapFileCases[] = {
    {"no file", Names({"alpha", "beta"}), {}, {0, 0, 0}, false},
    {"the pseudo printer for receipts",
     Names({"alpha", "beta"}),
     "\"Com Port Printer\"\r\n\"beta\"\r\n",
     {2, 1, 0},
     true},
    {"unknown names keep the entry", Names({"alpha", "beta"}), "\"gone\"\r\n\"beta\"\r\n", {0, 1, 0}, false},
    {"blanks and commas inside the quotes", Names({"a, b", "c"}), "\"c\"\r\n\"a, b\", \"c\"\r\n", {1, 0, 1}, false},
    {"unquoted items", Names({"alpha", "beta"}), "beta\r\n  alpha  \r\n", {1, 0, 0}, false},
    {"no printers: only the pseudo printer", {}, "\"Com Port Printer\"\r\n\"alpha\"\r\n", {0, 0, 0}, true},
    {"no printers and no file: receipts to the port", {}, {}, {0, 0, 0}, true},
};

class PrinterMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetStartValues();
        ConfigFile = QStringLiteral("shop.ntt");
    }
    void Load(const QStringList& installed)
    {
        raw->printers = installed;
        LoadPrinters();
    }
    // Start values and the case's map file.
    void Begin(const MapFileCase& c)
    {
        SetStartValues();
        QFile::remove(PrinterMapPath());
        if (!c.file.isNull())
            home.write(QStringLiteral("shop_printers.dat"), c.file);
    }
    static void ExpectMapOf(const MapFileCase& c)
    {
        EXPECT_EQ(PrinterMap[0], c.map[0]) << c.why;
        EXPECT_EQ(PrinterMap[1], c.map[1]) << c.why;
        EXPECT_EQ(PrinterMap[2], c.map[2]) << c.why;
        EXPECT_EQ(UseComPortDriver, c.serialReceipts) << c.why;
    }
    test::ProgramFolderScope home;
    test::RawPrinterScope raw;
};

TEST_F(PrinterMapTest, PrintersAreTheQueuesThenThePseudoPrinterThenNone)
{
    Load(Names({"alpha", "beta"}));
    EXPECT_EQ(Printers, Names({"alpha", "beta", "Com Port Printer", ""}));
    EXPECT_EQ(PrinterCount, 2);
    EXPECT_EQ(PrinterTypes[0], QStringLiteral("Receipt Printer"));
    EXPECT_EQ(PrinterTypes[8], QStringLiteral("Alt 9"));
    EXPECT_EQ(PrinterTypes[9], QString());
    EXPECT_EQ(PrinterComboIndexes(), (QList<int>{0, 1, 2}));

    Load({});
    EXPECT_EQ(Printers, Names({"Com Port Printer", "", ""}));
    EXPECT_EQ(PrinterCount, 0);
    // The placeholder stands for no printer; the pseudo printer can be chosen.
    EXPECT_EQ(PrinterComboIndexes(), (QList<int>{1, 0}));
}

TEST_F(PrinterMapTest, TheMapFileNamesEachTypesPrinter)
{
    for (const MapFileCase& c : MapFileCases) {
        Begin(c);
        Load(c.installed);
        ExpectMapOf(c);
    }
}

// Until the list comes, the types the map file names print to those names;
// once it comes, the map is what it would have been had it come at once.
TEST_F(PrinterMapTest, AListThatComesLaterEndsAsOneThatCameAtOnce)
{
    raw->holdLists = true;
    for (const MapFileCase& c : MapFileCases) {
        Begin(c);
        Load(c.installed);
        EXPECT_FALSE(InstalledPrintersKnown) << c.why;
        EXPECT_EQ(UseComPortDriver, c.file.startsWith("\"Com Port Printer\"")) << c.why;
        EXPECT_EQ(MappedPrinter(1).isEmpty(), c.file.isEmpty()) << c.why;

        raw->AnswerHeldLists();
        EXPECT_TRUE(InstalledPrintersKnown) << c.why;
        ExpectMapOf(c);
    }
}

// The user picks the receipt printer among the stand-ins with the keyboard in
// the settings window before the list comes: that printer stays.
TEST_F(PrinterMapTest, APrinterChosenBeforeTheListCameIsKeptByName)
{
    raw->holdLists = true;
    raw->printers = Names({"alpha", "beta", "gamma"});
    home.write(QStringLiteral("shop_printers.dat"), "\"beta\"\r\n\"gamma\"\r\n");
    test::DialogScript dialogs;
    Properties::instance().Unload();
    Properties& window = Properties::instance();
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.cbPrinterSelect->setFocus();
    ASSERT_EQ(window.cbPrinterSelect->currentText(), QStringLiteral("beta"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    ASSERT_EQ(MappedPrinter(0), QStringLiteral("gamma"));

    raw->AnswerHeldLists();
    EXPECT_EQ(window.cbPrinterSelect->count(), 4);
    EXPECT_EQ(window.cbPrinterSelect->currentText(), QStringLiteral("gamma"));
    EXPECT_EQ(MappedPrinter(0), QStringLiteral("gamma"));
    EXPECT_EQ(MappedPrinter(1), QStringLiteral("gamma"));
    window.Unload();
}

TEST_F(PrinterMapTest, SavedMapIsTenQuotedLines)
{
    Load(Names({"alpha", "beta"}));
    PrinterMap[0] = 2;
    PrinterMap[1] = 1;
    ASSERT_TRUE(SavePrinterMap());
    EXPECT_EQ(home.read(QStringLiteral("shop_printers.dat")),
              QByteArray("\"Com Port Printer\"\r\n\"beta\"\r\n") + QByteArray("\"alpha\"\r\n").repeated(8));

    SetStartValues();
    Load({});
    ASSERT_TRUE(SavePrinterMap());
    EXPECT_EQ(home.read(QStringLiteral("shop_printers.dat")), QByteArray("\"Com Port Printer\"\r\n").repeated(10));
}

TEST_F(PrinterMapTest, LookupsOutOfRangeGiveNoPrinter)
{
    Load(Names({"alpha"}));
    PrinterMap[3] = 99;
    PrinterMap[4] = -2;
    PrinterMap[5] = 2; // the empty entry after the pseudo printer
    for (int type : {-1, 3, 4, 5, 11, 40000})
        EXPECT_EQ(MappedPrinter(type), QString()) << type;
    EXPECT_EQ(MappedPrinter(0), QStringLiteral("alpha"));
    EXPECT_EQ(PrinterMapFileText().count("\"\"\r\n"), 3);

    // Items past the last type are ignored.
    ReadPrinterMap(QByteArray("\"alpha\"\r\n").repeated(20));
    EXPECT_EQ(MappedPrinter(10), QStringLiteral("alpha"));
}

TEST_F(PrinterMapTest, AShorterListKeepsPrintersByNameAndDropsWhatIsGone)
{
    Load(Names({"alpha", "beta", "gamma"}));
    PrinterMap[0] = 3; // the pseudo printer
    PrinterMap[1] = 2; // gamma
    PrinterMap[2] = 1; // beta
    Load(Names({"beta"}));
    EXPECT_EQ(MappedPrinter(0), Pseudo);
    EXPECT_TRUE(UseComPortDriver);
    EXPECT_EQ(MappedPrinter(1), QStringLiteral("beta")); // gamma is gone: index 0
    EXPECT_EQ(MappedPrinter(2), QStringLiteral("beta"));
}

TEST(CompanionBaseName, IsTheNameWithoutItsEnding)
{
    EXPECT_EQ(CompanionBaseName(QStringLiteral("default.ntt")), QStringLiteral("default"));
    EXPECT_EQ(CompanionBaseName(QStringLiteral("a.b.ntt")), QStringLiteral("a.b"));
    EXPECT_EQ(CompanionBaseName(QStringLiteral("SHOP.NTT")), QStringLiteral("SHOP"));
    EXPECT_EQ(CompanionBaseName(QStringLiteral("plain")), QStringLiteral("plain"));
}

TEST(PrinterSettings, TheSettingsWindowShowsTheCupsQueuesAndTheReceiptPrinter)
{
    test::CupsPeer cups;
    ASSERT_TRUE(cups.ready());
    ASSERT_TRUE(cups.AddQueue(QStringLiteral("beta")));
    ASSERT_TRUE(cups.AddQueue(QStringLiteral("alpha")));
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    SetStartValues();
    ConfigFile = QStringLiteral("shop.ntt");
    home.write(QStringLiteral("shop_printers.dat"), "\"Com Port Printer\"\r\n\"beta\"\r\n");
    Properties::instance().Unload();
    Properties& window = Properties::instance();
    const auto items = [&] {
        QStringList shown;
        for (int i = 0; i < window.cbPrinterSelect->count(); ++i)
            shown << window.cbPrinterSelect->itemText(i);
        return shown;
    };
    // Until the server answers, the printers of the map file stand in.
    EXPECT_EQ(items(), Names({"beta", "Com Port Printer"}));
    EXPECT_EQ(window.cbPrinterSelect->currentText(), Pseudo);
    EXPECT_TRUE(UseComPortDriver);
    EXPECT_EQ(MappedPrinter(ReportPrinterType), QStringLiteral("beta"));

    ASSERT_TRUE(test::WaitForServerPrinters());
    EXPECT_EQ(items(), Names({"alpha", "beta", "Com Port Printer"}));
    EXPECT_EQ(window.cbPrinterSelect->currentText(), Pseudo);
    EXPECT_EQ(window.lblPrinterType->text(), QStringLiteral("  Receipt Printer"));
    EXPECT_TRUE(UseComPortDriver);
    EXPECT_EQ(MappedPrinter(ReportPrinterType), QStringLiteral("beta"));
    window.Unload();
}

TEST(PrinterSettings, QueueNamesOutsideLatin1SurviveTheMapFile)
{
    const QString euro = QStringLiteral("Kasse\u20ac");
    const QString latin1 = QStringLiteral("Caf\u00e9");
    test::CupsPeer cups;
    ASSERT_TRUE(cups.ready());
    ASSERT_TRUE(cups.AddQueue(euro));
    ASSERT_TRUE(cups.AddQueue(latin1));
    test::ProgramFolderScope home;
    SetStartValues();
    ConfigFile = QStringLiteral("shop.ntt");
    ASSERT_TRUE(test::LoadPrintersFromServer());
    ASSERT_EQ(Printers.mid(0, 2), (QStringList{latin1, euro}));
    PrinterMap[ReceiptPrinterType] = 1;
    PrinterMap[ReportPrinterType] = 0;
    ASSERT_TRUE(SavePrinterMap());
    // A name that fits Latin-1 is written as the Windows design wrote it.
    EXPECT_TRUE(home.read(QStringLiteral("shop_printers.dat"))
                    .startsWith("\"Kasse\xe2\x82\xac\"\r\n\"Caf\xe9\"\r\n\"Caf\xe9\"\r\n"));

    SetStartValues();
    LoadPrinters();
    EXPECT_EQ(MappedPrinter(ReceiptPrinterType), euro);
    EXPECT_EQ(MappedPrinter(ReportPrinterType), latin1);
    ASSERT_TRUE(test::WaitForServerPrinters());
    EXPECT_EQ(MappedPrinter(ReceiptPrinterType), euro);
    EXPECT_EQ(MappedPrinter(ReportPrinterType), latin1);
}

} // namespace
} // namespace zor
