#include "settings/Properties.h"
#include "tests/support/TestSupport.h"

#include "core/SharedState.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace zor;

namespace {

// A control by its own name, or a part of one (a tab strip, a spin box's
// text) by the name of the control it belongs to.
QString ControlName(const QWidget* widget)
{
    while (widget && (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_"))))
        widget = widget->parentWidget();
    return widget ? widget->objectName() : QString();
}

// The controls real Tab keys reach from the tab strip of the tab shown, in
// order, until the focus comes back to the strip.
QStringList TabChain(Properties& p, int tab)
{
    p.SSTab1->setCurrentIndex(tab);
    p.SSTab1->tabBar()->setFocus();
    const QWidget* strip = QApplication::focusWidget();
    QStringList chain;
    for (int i = 0; i < 60; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == strip)
            break;
        chain << ControlName(QApplication::focusWidget());
    }
    return chain;
}

} // namespace

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

TEST(SettingsTabs, TabReachesEveryControlOfEachTabInReadingOrderThenTheButtons)
{
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    HostDescription = QStringLiteral("Shop");
    home.write(QStringLiteral("response.dat"), "Login:=@userid\r\n");
    home.write(QStringLiteral("server.lst"), "shop,23,Shop:Shop\r\n");
    Properties::instance().Unload();
    Properties& p = Properties::instance();
    p.show();
    QApplication::setActiveWindow(&p);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&p));
    // Every control enabled: a row of each list chosen, something to apply,
    // the gradient boxes in use.
    p.SSTab1->setCurrentIndex(ConnectionTab);
    QTest::mouseClick(p.List4->viewport(), Qt::LeftButton, {}, p.List4->visualItemRect(p.List4->item(0)).center());
    p.SSTab1->setCurrentIndex(ScriptingTab);
    p.SSTab2->setCurrentIndex(0);
    QTest::mouseClick(p.List2->viewport(), Qt::LeftButton, {}, p.List2->visualItemRect(p.List2->item(0)).center());
    p.SSTab1->setCurrentIndex(BackdropTab);
    if (!p.PropCheck[1]->isChecked())
        p.PropCheck[1]->click();
    ASSERT_TRUE(p.OptionsButt[0]->isEnabled());

    const QStringList buttons = {"OptionsButt_0", "OptionsButt_1", "OptionsButt_2"};
    const struct {
        SettingsTab tab;
        QStringList controls;
    } tabs[] = {
        {ConnectionTab,
         {"PropText_0", "PropText_1", "PropText_4", "cbSuppressLF", "cbSecureConnection", "List4", "SrvList_0",
          "SrvList_1", "SrvList_2", "SrvList_3"}},
        {EntitiesTab,
         {"List1", "PropButt_0", "PropButt_7", "PropButt_1", "PropButt_4", "PropOption_4", "PropCheck_7", "PropCheck_8",
          "PropCheck_9", "PropCheck_10", "PropCheck_11", "Slider1", "PropButt_5", "PropButt_6"}},
        {BackdropTab,
         {"PropButt_2", "PropCheck_2", "PropCheck_3", "PropCheck_4", "PropCheck_5", "PropCheck_6", "PropOption_0",
          "PropCheck_1", "PropButt_3"}},
        {AdminTab, {"PropCheck_12", "PropText_2", "PropText_3"}},
        {ScriptingTab, {"SSTab2", "List2", "Command1", "Command2", "Command3"}},
        {OtherTab,
         {"udPrinterType", "cbPrinterSelect", "CmndBtnOptions", "PropText_5", "PropButt_8", "PropButt_9", "Check1",
          "Command4"}},
        {MiscTab, {"PropEncrypt", "breakChar", "cbTablet", "cbExitMode", "setKiosk", "sendFunKeys"}},
    };
    for (const auto& t : tabs)
        EXPECT_EQ(TabChain(p, t.tab), t.controls + buttons) << "tab " << t.tab;
    p.Unload();
    HostDescription.clear();
}
