#include "core/Dialogs.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "settings/ConfigFile.h"
#include "settings/fSpawn.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

using namespace zor;
using zor::test::DialogScript;
using zor::test::ProgramFolderScope;

namespace {

using Files = std::map<QString, QByteArray>;

enum Button { Launch = 0, Copy = 1, Remove = 2, Close = 3, New = 4 };

Files FilesIn(const ProgramFolderScope& home)
{
    Files files;
    for (const QString& name : QDir(home.path()).entryList(QDir::Files))
        files[name] = home.read(name);
    return files;
}

} // namespace

TEST(LauncherTest, CopyNewAndRemoveChangeExactlyTheirFiles)
{
    const Files start = {{"a.ntt", "A"},           {"a_printers.dat", "AP"}, {"b.ntt", "B"},      {"b_comm.dat", "BC"},
                         {"b_printers.dat", "BP"}, {"default.ntt", "D"},     {"b.dat", "replies"}};
    struct Case {
        const char* name;
        QString selected;
        Button button;
        QVariantList answers;
        Files after;
        QString text1;
    };
    Files copied = start;
    copied["c.ntt"] = "A";
    copied["c_printers.dat"] = "AP";
    Files overwritten = start;
    overwritten["b.ntt"] = "A";
    overwritten["b_printers.dat"] = "AP";
    overwritten.erase("b_comm.dat");
    Files made = start;
    made["shop.ntt"] = "D";
    Files removed = start;
    removed.erase("b.ntt");
    removed.erase("b_comm.dat");
    removed.erase("b_printers.dat");
    const Case cases[] = {
        {"copy with companions", "a.ntt", Copy, {"c"}, copied, "c.ntt"},
        // The overwritten configuration keeps none of its own companions.
        {"copy over another", "a.ntt", Copy, {"b.cfg", int(Dialogs::Yes)}, overwritten, "b.ntt"},
        {"overwrite refused", "a.ntt", Copy, {"b", int(Dialogs::No)}, start, "a.ntt"},
        {"copy onto itself", "a.ntt", Copy, {"a", int(Dialogs::Yes)}, start, "a.ntt"},
        {"copy to no name", "a.ntt", Copy, {""}, start, "a.ntt"},
        {"copy to a path", "a.ntt", Copy, {"../x"}, start, "a.ntt"},
        {"copy of nothing chosen", "", Copy, {}, start, ""},
        {"copy of a missing file", "gone.ntt", Copy, {}, start, "gone.ntt"},
        {"new from the template", "a.ntt", New, {"shop"}, made, "shop.ntt"},
        {"new onto the template", "a.ntt", New, {"default", int(Dialogs::Yes)}, start, "a.ntt"},
        {"remove with companions", "b.ntt", Remove, {int(Dialogs::Yes)}, removed, ""},
        {"remove not confirmed", "b.ntt", Remove, {int(Dialogs::No)}, start, "b.ntt"},
        {"the template stays", "default.ntt", Remove, {}, start, "default.ntt"},
        {"remove a path", "../b.ntt", Remove, {}, start, "../b.ntt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramFolderScope home;
        for (const auto& [name, bytes] : start)
            home.write(name, bytes);
        DialogScript dialogs;
        for (const QVariant& answer : c.answers)
            dialogs.answer(answer);
        fSpawn launcher;
        EXPECT_EQ(launcher.windowTitle(), QStringLiteral("Launch ZOR GUI Connection"));
        launcher.Text1->setText(c.selected);
        QTest::mouseClick(launcher.SpawnButt[c.button], Qt::LeftButton);
        EXPECT_EQ(FilesIn(home), c.after);
        EXPECT_EQ(launcher.Text1->text(), c.text1);
        EXPECT_EQ(launcher.File1->count(), static_cast<int>(std::count_if(c.after.begin(), c.after.end(), [](auto& f) {
                      return f.first.endsWith(QLatin1String(".ntt"));
                  })));
        EXPECT_TRUE(launcher.Chosen.isEmpty());
    }
}

TEST(LauncherTest, TheMessagesOfCopyAndRemove)
{
    ProgramFolderScope home;
    home.write(QStringLiteral("a.ntt"), "A");
    home.write(QStringLiteral("b.ntt"), "B");
    DialogScript dialogs;
    fSpawn launcher;
    EXPECT_EQ(launcher.Text1->text(), QStringLiteral("a.ntt"));
    launcher.Text1->clear();
    QTest::mouseClick(launcher.SpawnButt[Copy], Qt::LeftButton);
    launcher.Text1->setText(QStringLiteral("a.ntt"));
    dialogs.answer(QStringLiteral("b"));
    dialogs.answer(int(Dialogs::No));
    QTest::mouseClick(launcher.SpawnButt[Copy], Qt::LeftButton);
    launcher.Text1->setText(QStringLiteral("default.ntt"));
    QTest::mouseClick(launcher.SpawnButt[Remove], Qt::LeftButton);
    launcher.Text1->setText(QStringLiteral("b.ntt"));
    dialogs.answer(int(Dialogs::No));
    QTest::mouseClick(launcher.SpawnButt[Remove], Qt::LeftButton);

    struct Asked {
        QString prompt;
        int style;
        QString title;
    };
    const Asked expected[] = {
        {"You must first select a configuration from the list\r\nto be copied to the new configuration.", 64,
         "Warning"},
        {"Enter the name of the new configuration:", 0, ""},
        {"This configuration file already exists.  Overwrite?", 36, "New Spawn"},
        {"You may not remove default.ntt.", 64, "Error"},
        {"Are you sure you want to remove this configuration? (b.ntt)", 36, "Remove"},
    };
    ASSERT_EQ(dialogs.asked.size(), static_cast<qsizetype>(std::size(expected)));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(dialogs.asked[static_cast<qsizetype>(i)].prompt, expected[i].prompt);
        EXPECT_EQ(dialogs.asked[static_cast<qsizetype>(i)].title, expected[i].title);
        if (dialogs.asked[static_cast<qsizetype>(i)].kind == Dialogs::Request::MessageBox) {
            EXPECT_EQ(dialogs.asked[static_cast<qsizetype>(i)].style, expected[i].style);
        }
    }
}

TEST(LauncherTest, ACopyThatFailsLeavesNoPartOfTheNewSet)
{
    ProgramFolderScope home;
    home.write(QStringLiteral("a.ntt"), "A");
    home.write(QStringLiteral("a_printers.dat"), "AP");
    home.write(QStringLiteral("c.ntt"), "old C");
    // A folder where the new printer map would go: that file cannot be written.
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("c_printers.dat/inside")));
    DialogScript dialogs;
    dialogs.answer(QStringLiteral("c"));
    dialogs.answer(int(Dialogs::Yes));
    fSpawn launcher;
    QTest::mouseClick(launcher.SpawnButt[Copy], Qt::LeftButton);
    EXPECT_EQ(home.read(QStringLiteral("c.ntt")), QByteArray("old C"));
    EXPECT_EQ(home.read(QStringLiteral("a.ntt")), QByteArray("A"));
    EXPECT_EQ(home.read(QStringLiteral("a_printers.dat")), QByteArray("AP"));
    EXPECT_EQ(launcher.Text1->text(), QStringLiteral("a.ntt"));
    EXPECT_GE(dialogs.asked.size(), 3);
}

TEST(LauncherTest, LaunchingAndClosingGiveTheChoice)
{
    ProgramFolderScope home;
    home.write(QStringLiteral("b.ntt"), "B");
    home.write(QStringLiteral("a.ntt"), "A");
    DialogScript dialogs;
    {
        fSpawn launcher;
        launcher.show();
        QListWidgetItem* b = launcher.File1->item(1);
        ASSERT_EQ(b->text(), QStringLiteral("b.ntt"));
        const QPoint place = launcher.File1->visualItemRect(b).center();
        QTest::mouseClick(launcher.File1->viewport(), Qt::LeftButton, Qt::NoModifier, place);
        EXPECT_EQ(launcher.Text1->text(), QStringLiteral("b.ntt"));
        QTest::mouseDClick(launcher.File1->viewport(), Qt::LeftButton, Qt::NoModifier, place);
        EXPECT_EQ(launcher.Chosen, QStringLiteral("b.ntt"));
        EXPECT_FALSE(launcher.isVisible());
    }
    {
        fSpawn launcher;
        launcher.show();
        launcher.Text1->setText(QStringLiteral("/etc/passwd"));
        QTest::mouseClick(launcher.SpawnButt[Launch], Qt::LeftButton);
        EXPECT_TRUE(launcher.Chosen.isEmpty());
        EXPECT_TRUE(launcher.isVisible());
        QTest::mouseClick(launcher.SpawnButt[Close], Qt::LeftButton);
        EXPECT_TRUE(launcher.Chosen.isEmpty());
        EXPECT_FALSE(launcher.isVisible());
    }
    EXPECT_EQ(dialogs.asked.size(), 1);
}

TEST(LauncherTest, NewWithoutTheTemplateMakesItFromTheDefaultsAndLeavesTheSessionAlone)
{
    ProgramFolderScope home;
    home.write(QStringLiteral("a.ntt"), "A");
    Settings.Port = 2323;
    EntityAttrs[1].FrameWidth = 9;
    InputBackColor = 0x123456;
    DialogScript dialogs;
    dialogs.answer(QStringLiteral("shop"));
    fSpawn launcher;
    launcher.show();
    QTest::mouseClick(launcher.SpawnButt[New], Qt::LeftButton);
    EXPECT_EQ(launcher.Chosen, QStringLiteral("default.ntt"));
    EXPECT_FALSE(launcher.isVisible());
    EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("shop.ntt"))));
    const QByteArray written = home.read(QStringLiteral("default.ntt"));
    EXPECT_EQ(written.size(), ConfigSizeWithWidth);
    EXPECT_EQ(Settings.Port, 2323);
    EXPECT_EQ(EntityAttrs[1].FrameWidth, 9);
    EXPECT_EQ(InputBackColor, 0x123456);
    // What was written reads back as the default appearance.
    ConfigWindowItems window;
    EXPECT_EQ(ReadConfig(written, window), ConfigItemCount);
    EXPECT_EQ(Settings.Port, 23);
    EXPECT_EQ(InputBackColor, 0xFFFFFF);
}

TEST(LauncherTest, NewInAProgramFolderTooLongForThePathStoresTheDefaultPictureByName)
{
    ProgramFolderScope home;
    const QString folder = home.file(QString(120, QLatin1Char('f')));
    ASSERT_TRUE(QDir().mkpath(folder));
    qputenv("ZOR_HOME", folder.toLocal8Bit());
    const SessionSettings session = Settings;
    ConfigWindowItems window;
    ASSERT_EQ(ReadConfig(DefaultConfigBytes(), window), ConfigItemCount);
    EXPECT_EQ(Trim(Settings.BackImageFile), QStringLiteral("back3.bmp"));
    Settings = session;
}
