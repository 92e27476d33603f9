#include "settings/ComPortOptions.h"

#include "core/SharedState.h"
#include "devices/ReceiptOutput.h"
#include "devices/modComm.h"
#include "session/fConnection.h"
#include "settings/Properties.h"
#include "tests/support/PtyPair.h"
#include "tests/support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace zor {
namespace {

// Every byte the printer must get, written out rather than built: the amount
// lines are 28 characters with the amounts right-aligned.
const QByteArray ExpectedReceipt = "      ZOR Test Receipt\r\n\r\n"
                                   "Book                   10.00\r\n"
                                   "Basket                 10.00\r\n\r\n"
                                   "Tax                     1.20\r\n"
                                   "----------------------------\r\n"
                                   "Total                  21.20\r\n"
                                   "Tendered               25.00\r\n"
                                   "Change                  3.80\r\n\r\n"
                                   "      Have a nice day!\r\n\r\n\r\n\r\n";

class ComPortOptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CloseComPort();
        SetStartValues();
        ConfigFile = QStringLiteral("shop.ntt");
        UseComPortDriver = true;
        // Loaded before the test's comm file exists: what the dialog shows
        // is set by each test.
        Properties::instance();
    }
    void TearDown() override { CloseComPort(); }

    // The receipt port opened on COM2 as at start-up.
    void OpenReceiptPort()
    {
        home.write(QStringLiteral("shop_comm.dat"), "COM2\r\n9600\r\nN\r\n8\r\n1\r\nNone\r\n");
        InitComPort();
        ASSERT_TRUE(ReceiptPrinter().isOpen());
    }
    void Choose(const QStringList& settings)
    {
        for (int i = 0; i < CommSettingCount; ++i)
            dialog.SettingCombos[i]->setCurrentText(settings[i]);
    }

    test::ProgramFolderScope home;
    ComPortOptions& dialog = ComPortOptions::instance();
};

TEST_F(ComPortOptionsTest, TheTestReceiptReachesThePortAndTheReceiptPortIsOpenAgainAfterIt)
{
    test::PtyPair receiptPair(2);
    test::PtyPair otherPair(12);
    ASSERT_TRUE(receiptPair.ready() && otherPair.ready());
    test::PtyReader receiptEnd(receiptPair.b());
    test::PtyReader otherEnd(otherPair.b());
    ASSERT_TRUE(receiptEnd.opened && otherEnd.opened);
    test::DialogScript boxes;

    // On the receipt port's own device, which is free only while the
    // receipt port is closed for the test.
    OpenReceiptPort();
    Choose({"COM2", "19200", "N", "8", "2", "XON/XOFF"});
    dialog.btnTest->click();
    EXPECT_TRUE(boxes.asked.isEmpty());
    EXPECT_EQ(receiptEnd.Read(ExpectedReceipt.size()), ExpectedReceipt);
    EXPECT_FALSE(Properties::instance().testcomm->isOpen());
    EXPECT_TRUE(UseComm);
    ASSERT_TRUE(ReceiptPrinter().isOpen());
    EXPECT_EQ(ReceiptPrinter().baudRate(), 9600) << "the receipt port keeps its own settings";
    ComPortOut(QStringLiteral("after\x1b\n"));
    EXPECT_EQ(receiptEnd.Read(ExpectedReceipt.size() + 7), ExpectedReceipt + "after\r\n");

    // Port 12, with no receipt port configured: it stays closed.
    CloseComPort();
    Choose({"COM12", "9600", "N", "8", "1", "None"});
    dialog.btnTest->click();
    EXPECT_TRUE(boxes.asked.isEmpty());
    EXPECT_EQ(otherEnd.Read(ExpectedReceipt.size()), ExpectedReceipt);
    EXPECT_FALSE(UseComm);
    EXPECT_FALSE(ReceiptPrinter().isOpen());
}

TEST_F(ComPortOptionsTest, SettingsThatCannotBeTriedAreRefusedWithTheReason)
{
    test::PtyPair receiptPair(2);
    test::PtyPair busyPair(3);
    ASSERT_TRUE(receiptPair.ready() && busyPair.ready());
    QSerialPort holder;
    holder.setPortName(busyPair.a());
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    qputenv("ZOR_COM4", home.file(QStringLiteral("missing-tty")).toLocal8Bit());
    OpenReceiptPort();

    struct Case {
        QStringList settings;
        const char* reason;
    };
    const Case cases[] = {
        {{"None", "9600", "N", "8", "1", "None"}, "Comm Port: \"None\" names no port."},
        {{"COM17", "9600", "N", "8", "1", "None"}, "Comm Port: \"COM17\" is not in the list."},
        {{"", "9600", "N", "8", "1", "None"}, "Comm Port: \"\" is not in the list."},
        {{"COM2", "14400", "N", "8", "1", "None"}, "Baud Rate: \"14400\" is not in the list."},
        {{"COM2", "9600", "n", "8", "1", "None"}, "Parity: \"n\" is not in the list."},
        {{"COM2", "9600", "N", "9", "1", "None"}, "Data Bits: \"9\" is not in the list."},
        {{"COM2", "9600", "N", "8", "3", "None"}, "Stop Bits: \"3\" is not in the list."},
        {{"COM2", "9600", "N", "8", "1", "xon/xoff"}, "Handshaking: \"xon/xoff\" is not in the list."},
        // Offered, but no setting of this platform's ports.
        {{"COM2", "9600", "N", "4", "1", "None"}, "Data bits the port cannot take: 4"},
        {{"COM2", "9600", "N", "8", "1.5", "None"}, "Stop bits the port cannot take: 1.5"},
        {{"COM3", "9600", "N", "8", "1", "None"}, "COM3 ("},
        {{"COM4", "9600", "N", "8", "1", "None"}, "COM4 ("},
    };
    for (const Case& c : cases) {
        const QString shown = c.settings.join(QLatin1Char(','));
        test::DialogScript boxes;
        Choose(c.settings);
        dialog.btnTest->click();
        ASSERT_EQ(boxes.asked.size(), 1) << shown.toStdString();
        EXPECT_EQ(boxes.asked[0].title, QStringLiteral("COMMERROR"));
        EXPECT_EQ(boxes.asked[0].style, 16);
        EXPECT_TRUE(boxes.asked[0].prompt.startsWith(QStringLiteral("Invalid setting or port not found\n\n") +
                                                     QLatin1String(c.reason)))
            << boxes.asked[0].prompt.toStdString();
        EXPECT_FALSE(Properties::instance().testcomm->isOpen()) << shown.toStdString();
        EXPECT_TRUE(ReceiptPrinter().isOpen()) << shown.toStdString();
        EXPECT_TRUE(UseComm) << shown.toStdString();
    }
    qunsetenv("ZOR_COM4");
}

TEST_F(ComPortOptionsTest, PacingBoxesAndButtons)
{
    // Shown as stored; a stored value too small for pacing shows the default.
    ComPortPacing = VbTrue;
    ComPortBlockSize = 40;
    ComPortPause = 5;
    dialog.ShowPacing();
    EXPECT_TRUE(dialog.cbComPortPacing->isChecked());
    EXPECT_EQ(dialog.ComPortBlockSize->text(), QStringLiteral("40"));
    EXPECT_EQ(dialog.ComPortPause->text(), QStringLiteral("250"));

    // Unticked, then "Close": pacing off with the boxes' values.
    dialog.cbComPortPacing->click();
    dialog.ComPortBlockSize->setValue(5);
    dialog.ComPortPause->setValue(900);
    dialog.BtnOK->click();
    EXPECT_EQ(ComPortPacing, VbFalse);
    EXPECT_EQ(ComPortBlockSize, 5);
    EXPECT_EQ(ComPortPause, 900);

    // The next click on the box shows the stored 5 as 100, and keeps it.
    dialog.cbComPortPacing->click();
    EXPECT_EQ(ComPortPacing, VbTrue);
    EXPECT_EQ(dialog.ComPortBlockSize->text(), QStringLiteral("100"));
    EXPECT_EQ(dialog.ComPortPause->text(), QStringLiteral("900"));
    EXPECT_EQ(ComPortBlockSize, 5);

    // Text that is no whole number in the Integer's range is not taken.
    dialog.ComPortPause->findChild<QLineEdit*>()->setText(QStringLiteral("99999"));
    dialog.BtnOK->click();
    EXPECT_EQ(ComPortPause, 900);

    dialog.cbComPortPacing->click();
    dialog.btnReset->click();
    EXPECT_EQ(ComPortPacing, VbTrue);
    EXPECT_TRUE(dialog.cbComPortPacing->isChecked());
    EXPECT_EQ(ComPortBlockSize, 100);
    EXPECT_EQ(ComPortPause, 250);
    EXPECT_EQ(dialog.ComPortBlockSize->text(), QStringLiteral("100"));
    EXPECT_EQ(dialog.ComPortPause->text(), QStringLiteral("250"));
}

TEST_F(ComPortOptionsTest, TheSettingsWindowsEntryPointShowsTheStoredPacingUntilClose)
{
    dialog.ComPortBlockSize->setValue(100);
    ComPortPacing = VbFalse;
    ComPortBlockSize = 300;
    ComPortPause = 40;
    bool modal = false;
    QString shownBlockSize;
    QTimer::singleShot(0, &dialog, [&] {
        modal = dialog.isVisible() && dialog.isModal();
        shownBlockSize = dialog.ComPortBlockSize->text();
        dialog.ComPortPause->setValue(75);
        dialog.BtnOK->click();
    });
    ComPortOptions::ShowModal();
    EXPECT_TRUE(modal);
    EXPECT_EQ(shownBlockSize, QStringLiteral("300"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(ComPortBlockSize, 300);
    EXPECT_EQ(ComPortPause, 75);
    EXPECT_EQ(ComPortPacing, VbFalse);
}

TEST_F(ComPortOptionsTest, SettingsTheListsDoNotHoldSurviveALoadAndASave)
{
    const QByteArray file = "COM17\r\n14400\r\nn\r\n8\r\n1.5\r\nxon\r\n";
    home.write(QStringLiteral("shop_comm.dat"), file);
    Properties::instance().LoadINI();
    EXPECT_EQ(dialog.ChosenSettings(), (CommSettingTexts{"COM17", "14400", "n", "8", "1.5", "xon"}));
    ASSERT_TRUE(Properties::instance().SaveINI());
    EXPECT_EQ(home.read(QStringLiteral("shop_comm.dat")), file);

    // What the user chose in the dialog is what is saved.
    Choose({"COM3", "2400", "E", "7", "2", "Hardware"});
    ASSERT_TRUE(Properties::instance().SaveINI());
    EXPECT_EQ(home.read(QStringLiteral("shop_comm.dat")), QByteArray("COM3\r\n2400\r\nE\r\n7\r\n2\r\nHardware\r\n"));
}

} // namespace
} // namespace zor
