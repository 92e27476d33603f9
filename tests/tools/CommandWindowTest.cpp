#include "core/Trace.h"
#include "session/fConnection.h"
#include "tests/support/ScreenStateScope.h"
#include "tests/support/TestSupport.h"
#include "tools/fCommand.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zor;

namespace {

QStringList Items(const QComboBox& combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    return items;
}

} // namespace

// The command window over the session window, with the units that reach the
// interpreter read from the trace.
class CommandWindowTest : public ::testing::Test {
protected:
    test::ProgramFolderScope folder;
    test::ScreenStateScope screen;
    fConnection& session = fConnection::instance();

    void SetUp() override
    {
        Trace() = TraceLog();
        Trace().Folder = folder.path();
        Trace().On = true;
    }
    void TearDown() override { Trace() = TraceLog(); }

    // The units the interpreter was given, in order.
    QStringList Processed() const
    {
        QStringList units;
        for (const QString& line : Trace().Lines)
            if (line.startsWith(QLatin1String("[Process]")) && !line.contains(QLatin1String("Not handled")))
                units << line.mid(9);
        return units;
    }

    // Keys go where a keyboard's go: to the widget with the focus.
    static void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    static void Press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

    static void Enter(fCommand& window, const QString& text)
    {
        window.show();
        QApplication::setActiveWindow(&window);
        window.Combo1->clearEditText();
        EXPECT_EQ(QApplication::focusWidget(), window.Combo1);
        Type(text);
        Press(Qt::Key_Return);
    }
};

TEST_F(CommandWindowTest, EnteredUnitsRunUntrimmedAndTheHistoryKeepsOneSpellingOfEach)
{
    fCommand window(&session);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ZOR Command"));
    EXPECT_EQ(window.Combo1->count(), 0); // no history file yet
    for (const char* unit : {"cs", "CS", "to^10^5^12^l^Name:^^1", " dr"}) {
        Enter(window, QString::fromLatin1(unit));
        // Enter hides the window before the unit runs, and clears the text.
        EXPECT_FALSE(window.isVisible());
        EXPECT_TRUE(window.Combo1->currentText().isEmpty());
    }
    EXPECT_EQ(Processed(), (QStringList{"cs", "CS", "to^10^5^12^l^Name:^^1", " dr"}));
    EXPECT_EQ(folder.read(QStringLiteral("qmcmnds.dat")), QByteArray("cs\r\nto^10^5^12^l^Name:^^1\r\n dr\r\n"));
    EXPECT_EQ(Items(*window.Combo1), (QStringList{"cs", "to^10^5^12^l^Name:^^1", " dr"}));
    EXPECT_EQ(EntityCount, 1);

    // The next window starts from the file.
    fCommand again(&session);
    EXPECT_EQ(Items(*again.Combo1), (QStringList{"cs", "to^10^5^12^l^Name:^^1", " dr"}));
}

TEST_F(CommandWindowTest, RemoveTakesTheFirstMatchIgnoringCaseAndRewritesTheFileAnyway)
{
    folder.write(QStringLiteral("qmcmnds.dat"), "cs\r\nmb^Hello^0\r\nMB^HELLO^0\r\n");
    fCommand window(&session);
    EXPECT_FALSE(window.Command2->isEnabled());
    window.show();
    QApplication::setActiveWindow(&window);
    Type(QStringLiteral("mb^hello^0"));
    EXPECT_TRUE(window.Command2->isEnabled());
    window.Command2->click();
    EXPECT_EQ(folder.read(QStringLiteral("qmcmnds.dat")), QByteArray("cs\r\nMB^HELLO^0\r\n"));
    EXPECT_FALSE(window.Command2->isEnabled());
    EXPECT_TRUE(window.Combo1->currentText().isEmpty());

    // Picking an entry enables Remove too; an absent text rewrites the file as it was.
    window.Combo1->setCurrentIndex(0);
    emit window.Combo1->activated(0);
    EXPECT_TRUE(window.Command2->isEnabled());
    folder.write(QStringLiteral("qmcmnds.dat"), "stale");
    window.Combo1->setEditText(QStringLiteral("zz"));
    window.Command2->click();
    EXPECT_EQ(folder.read(QStringLiteral("qmcmnds.dat")), QByteArray("cs\r\nMB^HELLO^0\r\n"));
    EXPECT_TRUE(Processed().isEmpty());
}

TEST_F(CommandWindowTest, TextThatCannotBeSentIsRefusedAndEnterNeverClosesTheWindow)
{
    test::DialogScript dialogs;
    fCommand window(&session);
    window.show();
    QApplication::setActiveWindow(&window);
    window.Combo1->setEditText(QStringLiteral("mb^") + QChar(0x20ac));
    Press(Qt::Key_Return);
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].kind, Dialogs::Request::MessageBox);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(Processed().isEmpty());
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("qmcmnds.dat"))));

    // A blank text: Enter does nothing, and no button takes the key.
    window.Combo1->setEditText(QStringLiteral("  "));
    Press(Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());

    QTest::keyClick(window.Command2, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(CommandWindowTest, AltDOpensTheWindowModallyAndABoxTheUnitOpensComesAfterItHides)
{
    session.show();
    QApplication::setActiveWindow(&session);
    bool wasModal = false;
    bool commandWindowShownWithTheBox = true;
    Dialogs::SetAnswerer([&](const Dialogs::Request&) -> QVariant {
        commandWindowShownWithTheBox = qobject_cast<fCommand*>(QApplication::activeModalWidget()) != nullptr;
        return QString();
    });
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<fCommand*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        wasModal = true;
        QApplication::setActiveWindow(window);
        Type(QStringLiteral("ib^Title^Prompt^x"));
        Press(Qt::Key_Return);
    });
    QTest::keyClick(&session, Qt::Key_D, Qt::AltModifier);
    Dialogs::ClearAnswerer();
    EXPECT_TRUE(wasModal);
    EXPECT_FALSE(commandWindowShownWithTheBox);
    EXPECT_EQ(Processed(), QStringList{"ib^Title^Prompt^x"});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(CommandWindowTest, AHistoryThatCannotBeReadIsNeverWrittenOver)
{
    test::DialogScript dialogs;
    QDir(folder.path()).mkdir(QStringLiteral("qmcmnds.dat"));
    fCommand window(&session);
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].kind, Dialogs::Request::MessageBox);
    Enter(window, QStringLiteral("cs"));
    EXPECT_EQ(Processed(), QStringList{"cs"}); // the unit still runs
    EXPECT_TRUE(QFileInfo(folder.file(QStringLiteral("qmcmnds.dat"))).isDir());
    EXPECT_EQ(dialogs.asked.size(), 1);
}
