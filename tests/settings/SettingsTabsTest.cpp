#include "settings/Properties.h"
#include "tests/support/TestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace zor;

TEST(SettingsTabs, SevenTabsInOrderEachHoldingItsControls)
{
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    Properties& p = Properties::instance();

    const QStringList captions = {"Connection", "Entities", "Backdrop", "Admin", "Scripting", "Other", "Misc"};
    ASSERT_EQ(p.SSTab1->count(), captions.size());
    for (int i = 0; i < captions.size(); ++i)
        EXPECT_EQ(p.SSTab1->tabText(i), captions[i]);

    const struct {
        SettingsTab tab;
        const char* control;
    } placed[] = {
        {ConnectionTab, "PropText_0"}, {ConnectionTab, "PropText_1"},
        {ConnectionTab, "PropText_4"}, {ConnectionTab, "cbSuppressLF"},
        {ConnectionTab, "List4"},      {BackdropTab, "PropClr_1"},
        {BackdropTab, "PropCheck_2"},  {BackdropTab, "PropOption_3"},
        {BackdropTab, "bImage_0"},     {BackdropTab, "PropButt_3"},
        {AdminTab, "PropCheck_12"},    {AdminTab, "PropText_3"},
        {ScriptingTab, "SSTab2"},      {OtherTab, "cbPrinterSelect"},
        {OtherTab, "udPrinterType"},   {OtherTab, "CmndBtnOptions"},
        {OtherTab, "PropText_5"},      {OtherTab, "Label2"},
        {OtherTab, "Check1"},          {OtherTab, "Command4"},
        {MiscTab, "PropEncrypt"},      {MiscTab, "breakChar"},
        {MiscTab, "cbExitMode"},       {MiscTab, "sendFunKeys"},
    };
    for (const auto& c : placed)
        EXPECT_NE(p.TabPage[c.tab]->findChild<QWidget*>(QLatin1String(c.control)), nullptr)
            << c.control << " on tab " << c.tab;

    // The host name and the description are stored in fixed widths.
    EXPECT_EQ(p.PropText[0]->maxLength(), 30);
    EXPECT_EQ(p.PropText[4]->maxLength(), 50);
    EXPECT_EQ(p.OptionsButt[0]->text(), QStringLiteral("&Apply"));
    EXPECT_EQ(p.OptionsButt[1]->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(p.OptionsButt[2]->text(), QStringLiteral("C&lose"));
}
