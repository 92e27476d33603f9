#include "core/SharedState.h"
#include "core/Trace.h"
#include "session/fConnection.h"
#include "tests/support/ScreenStateScope.h"
#include "tests/support/TestSupport.h"
#include "tools/fScriptManager.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zor;

namespace {

const QByteArray DemoScript = "cs\r\nto^10^5^12^l^Name:^^1\r\nto^23^5^20^l^SMITH^NAME^2\r\n";

} // namespace

// The manager over the session window in a program folder of its own; the
// units the interpreter is given are read from the trace.
class ScriptManagerTest : public ::testing::Test {
protected:
    test::ProgramFolderScope folder;
    test::ScreenStateScope screen;
    test::DialogScript dialogs;
    fConnection& session = fConnection::instance();
    fScriptManager& manager = fScriptManager::instance();
    qint16 capture = CaptureEnabled;

    void SetUp() override
    {
        Trace() = TraceLog();
        Trace().Folder = folder.path();
        Trace().On = true;
        Entities.fill(Entity{});
        EntityCount = 0;
        session.stack.clear();
        manager.List1->clear();
        manager.Option1[fScriptManager::Bitmap]->click();
        manager.ShotWidth = 0;
        manager.ShotHeight = 0;
        manager.RefreshFiles();
    }
    void TearDown() override
    {
        Trace() = TraceLog();
        CaptureEnabled = capture;
        manager.hide();
    }

    QStringList Processed() const
    {
        QStringList units;
        for (const QString& line : Trace().Lines)
            if (line.startsWith(QLatin1String("[Process]")))
                units << line.mid(9);
        return units;
    }

    void ClickFile(const QString& name)
    {
        const auto items = manager.File1->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        manager.File1->setCurrentItem(items[0]);
        emit manager.File1->itemClicked(items[0]);
    }

    void Load(const QString& name)
    {
        ClickFile(name);
        manager.Command5->click();
    }

    // Save with the kind chosen, the dialog answered with the name.
    void Save(int kind, const QString& name)
    {
        manager.Option1[kind]->click();
        dialogs.answer(folder.file(name));
        manager.Command4->click();
    }

    void ChooseSize(const QString& entry)
    {
        manager.Combo1->setCurrentText(entry);
        manager.Combo1_Click();
    }
};

TEST_F(ScriptManagerTest, ATokenFileLoadsAndStepsOneUnitAtATimeWithADrawAfterEach)
{
    folder.write(QStringLiteral("demo.qms"), DemoScript);
    manager.RefreshFiles();
    EXPECT_FALSE(manager.Command5->isEnabled());
    Load(QStringLiteral("demo.qms"));
    ASSERT_EQ(manager.List1->count(), 3);
    EXPECT_TRUE(Processed().isEmpty()); // loading replays nothing

    for (int step = 0; step < 3; ++step)
        manager.Command1->click();
    EXPECT_EQ(Processed(), (QStringList{"cs", "dr", "to^10^5^12^l^Name:^^1", "dr", "to^23^5^20^l^SMITH^NAME^2", "dr"}));
    ASSERT_EQ(EntityCount, 2);
    EXPECT_EQ(Entities[0].Caption.trimmed(), QStringLiteral("Name:"));
    EXPECT_EQ(Entities[0].EntityType, 1);
    EXPECT_EQ(Entities[0].X, 10);
    EXPECT_EQ(Entities[1].Tag.trimmed(), QStringLiteral("NAME"));
    EXPECT_EQ(Entities[1].X, 23);

    // Step on the last line replays it again where it is; a click replays
    // the clicked line once.
    manager.Command1->click();
    EXPECT_EQ(manager.List1->currentRow(), 2);
    EXPECT_EQ(Processed().mid(6), (QStringList{"to^23^5^20^l^SMITH^NAME^2", "dr"}));
    emit manager.List1->itemClicked(manager.List1->item(0));
    EXPECT_EQ(Processed().mid(8), (QStringList{"cs", "dr"}));
    EXPECT_LE(EntityCount, 0); // a cleared screen

    Load(QStringLiteral("demo.qms"));
    EXPECT_EQ(manager.List1->count(), 6); // added to the end, not instead
}

TEST_F(ScriptManagerTest, CaptureThenReplayGivesTheSameEntityTable)
{
    for (const char* unit : {"cs", "to^10^5^12^l^Name:^^1", "to^23^5^20^l^SMITH^NAME^2", "bx^1^2^30^4^Box"})
        session.Process(QString::fromLatin1(unit));
    const auto table = Entities;
    const qint16 count = EntityCount;
    Save(fScriptManager::TokenFile, QStringLiteral("screen")); // the extension is added
    EXPECT_EQ(folder.read(QStringLiteral("screen.qms")),
              QByteArray("cs\r\nto^10^5^12^l^Name:^^1\r\nto^23^5^20^l^SMITH^NAME^2\r\nbx^1^2^30^4^Box\r\n"));
    Save(fScriptManager::EntityFile, QStringLiteral("screen.qmb"));
    EXPECT_EQ(folder.read(QStringLiteral("screen.qmb")).size(), count * 255);
    EXPECT_EQ(manager.File1->count(), 2);

    session.Process(QStringLiteral("cs"));
    Load(QStringLiteral("screen.qms"));
    for (int i = 0; i < manager.List1->count(); ++i)
        manager.Command1->click();
    EXPECT_EQ(EntityCount, count);
    EXPECT_EQ(Entities, table);

    session.Process(QStringLiteral("cs"));
    Load(QStringLiteral("screen.qmb"));
    EXPECT_EQ(EntityCount, count);
    EXPECT_EQ(Entities, table);

    // The replay's history, with its draws, saved over the larger token file.
    Save(fScriptManager::TokenFile, QStringLiteral("screen.qms"));
    EXPECT_EQ(folder.read(QStringLiteral("screen.qms")).count("\r\n"), 1);
}

TEST_F(ScriptManagerTest, AnEntityFileIsWrittenWholeAndABadOneLeavesTheScreenAsItWas)
{
    for (int i = 0; i < 10; ++i)
        session.Process(QStringLiteral("to^%1^1^3^l^E%1^^1").arg(i + 1));
    Save(fScriptManager::EntityFile, QStringLiteral("big.qmb"));
    EXPECT_EQ(folder.read(QStringLiteral("big.qmb")).size(), 2550);
    EntityCount = 3;
    Save(fScriptManager::EntityFile, QStringLiteral("big.qmb"));
    EXPECT_EQ(folder.read(QStringLiteral("big.qmb")).size(), 765); // no old tail

    folder.write(QStringLiteral("bad.qmb"), folder.read(QStringLiteral("big.qmb")) + QByteArray(100, ' '));
    manager.RefreshFiles();
    EntityCount = 7;
    const auto table = Entities;
    const qsizetype asked = dialogs.asked.size();
    Load(QStringLiteral("bad.qmb"));
    ASSERT_EQ(dialogs.asked.size(), asked + 1);
    EXPECT_EQ(dialogs.asked.back().title, QStringLiteral("ERROR"));
    EXPECT_EQ(EntityCount, 7);
    EXPECT_EQ(Entities, table);
}

TEST_F(ScriptManagerTest, ABitmapNeedsASizeAndIsAlwaysABitmapOfThatSize)
{
    manager.Command4->click();
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].prompt,
              QStringLiteral("You must first select a size for the screen shot to be saved as"));
    EXPECT_EQ(dialogs.asked[0].style, Dialogs::Critical);
    EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("ERROR"));

    ChooseSize(QStringLiteral("640x480"));
    EXPECT_EQ(manager.ShotWidth, 640);
    Save(fScriptManager::Bitmap, QStringLiteral("shot.jpg"));
    EXPECT_EQ(dialogs.asked.back().kind, Dialogs::Request::SaveFile);
    EXPECT_EQ(dialogs.asked.back().filter,
              QStringLiteral("All Images|*.bmp;*.jpg;*.gif|Windows Bitmap|*.bmp|JPEG Image|*.jpg|GIF Image|*.gif"));
    const QByteArray bytes = folder.read(QStringLiteral("shot.jpg"));
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(QImage::fromData(bytes, "BMP").size(), QSize(640, 480));

    ChooseSize(QStringLiteral("As Seen"));
    Save(fScriptManager::Bitmap, QStringLiteral("seen"));
    EXPECT_EQ(QImage(folder.file(QStringLiteral("seen.bmp")), "BMP").size(), session.MainPic->size());

    // The size list is for bitmaps only; a cancelled dialog writes nothing.
    manager.Option1[fScriptManager::TokenFile]->click();
    EXPECT_FALSE(manager.Combo1->isEnabled());
    manager.Command4->click();
    EXPECT_EQ(manager.File1->count(), 0);
}

TEST_F(ScriptManagerTest, RemoveAsksAndBothButtonsWaitForTheNextClick)
{
    folder.write(QStringLiteral("a.qms"), "cs\r\n");
    folder.write(QStringLiteral("B.QMB"), "");
    folder.write(QStringLiteral("notes.txt"), "x");
    manager.RefreshFiles();
    ASSERT_EQ(manager.File1->count(), 2);

    ClickFile(QStringLiteral("a.qms"));
    dialogs.answer(int(Dialogs::No));
    manager.Command3->click();
    EXPECT_EQ(dialogs.asked.back().prompt, QStringLiteral("Are you sure you wish to remove a.qms?"));
    EXPECT_EQ(dialogs.asked.back().style, Dialogs::YesNo | Dialogs::Question);
    EXPECT_EQ(dialogs.asked.back().title, QStringLiteral("Remove"));
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("a.qms"))));
    EXPECT_FALSE(manager.Command3->isEnabled());
    EXPECT_FALSE(manager.Command5->isEnabled());

    ClickFile(QStringLiteral("a.qms"));
    dialogs.answer(int(Dialogs::Yes));
    manager.Command3->click();
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("a.qms"))));
    EXPECT_EQ(manager.File1->count(), 1);
}

TEST_F(ScriptManagerTest, CaptureIsSwitchedByTheBoxAndWritesTheSameFileAsATokenSave)
{
    CaptureEnabled = VbTrue;
    QTest::keyClick(&session, Qt::Key_M, Qt::AltModifier);
    ASSERT_TRUE(manager.isVisible());
    EXPECT_TRUE(manager.Check1->isChecked()); // shows what is in force
    manager.Check1->click();
    EXPECT_EQ(CaptureEnabled, VbFalse);
    manager.Check1->click();
    EXPECT_EQ(CaptureEnabled, VbTrue);

    for (const char* unit : {"cs", "to^10^5^12^l^Name:^^1", "in^16^3^20"})
        session.Process(QString::fromLatin1(unit));
    Save(fScriptManager::TokenFile, QStringLiteral("same.qms"));
    EXPECT_EQ(folder.read(QStringLiteral("capture.qms")), folder.read(QStringLiteral("same.qms")));
    session.HideInputBoxes();
}

TEST_F(ScriptManagerTest, ANameTypedWithoutItsExtensionReplacesAFileOnlyWhenTheUserSaysSo)
{
    folder.write(QStringLiteral("keep.qms"), DemoScript);
    session.Process(QStringLiteral("cs"));
    struct Case {
        Dialogs::Answer answer;
        QByteArray left;
    };
    for (const Case& c : {Case{Dialogs::No, DemoScript}, Case{Dialogs::Yes, QByteArray("cs\r\n")}}) {
        dialogs.asked.clear();
        dialogs.answer(folder.file(QStringLiteral("keep")));
        dialogs.answer(int(c.answer));
        manager.Option1[fScriptManager::TokenFile]->click();
        manager.Command4->click();
        ASSERT_EQ(dialogs.asked.size(), 2);
        EXPECT_EQ(dialogs.asked[1].kind, Dialogs::Request::MessageBox);
        EXPECT_TRUE(dialogs.asked[1].prompt.contains(QStringLiteral("keep.qms already exists")))
            << dialogs.asked[1].prompt.toStdString();
        EXPECT_EQ(dialogs.asked[1].style & 7, Dialogs::YesNo);
        EXPECT_EQ(folder.read(QStringLiteral("keep.qms")), c.left);
    }
    // A new name is written without a question.
    dialogs.asked.clear();
    Save(fScriptManager::TokenFile, QStringLiteral("fresh"));
    EXPECT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(folder.read(QStringLiteral("fresh.qms")), QByteArray("cs\r\n"));
}

TEST_F(ScriptManagerTest, EachOpeningListsTheFolderAsItIsNow)
{
    QTest::keyClick(&session, Qt::Key_M, Qt::AltModifier);
    ASSERT_TRUE(manager.isVisible());
    EXPECT_EQ(manager.File1->count(), 0);
    manager.close();
    folder.write(QStringLiteral("capture.qms"), DemoScript);
    QTest::keyClick(&session, Qt::Key_M, Qt::AltModifier);
    ASSERT_EQ(manager.File1->count(), 1);
    Load(QStringLiteral("capture.qms"));
    EXPECT_EQ(manager.List1->count(), 3);
}

TEST_F(ScriptManagerTest, StepWithNoLineSelectedReplaysTheFirstLine)
{
    folder.write(QStringLiteral("demo.qms"), DemoScript);
    manager.RefreshFiles();
    Load(QStringLiteral("demo.qms"));
    manager.show();
    QApplication::setActiveWindow(&manager);
    // The list takes the focus as a user's Tab gives it: its first row becomes
    // current, unselected.
    manager.List1->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), manager.List1);
    ASSERT_TRUE(manager.List1->selectedItems().isEmpty());
    QTest::mouseClick(manager.Command1, Qt::LeftButton);
    EXPECT_EQ(Processed(), (QStringList{"cs", "dr"}));
    EXPECT_EQ(manager.List1->currentRow(), 0);
    manager.Command1->click();
    EXPECT_EQ(Processed().mid(2), (QStringList{"to^10^5^12^l^Name:^^1", "dr"}));
}
