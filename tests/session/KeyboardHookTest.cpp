#include "session/KeyboardHook.h"
#include "core/Ciphers.h"
#include "session/KeyboardHandler.h"
#include "session/WindowChange.h"
#include "tests/session/AnswerFixture.h"
#include "tools/fJump.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace zor;
using zor::test::AnswerTest;

namespace {

const QString SUB = QString(QChar(26));

// A sink that swallows whatever it is asked about.
struct SwallowAll : KeyboardHook {
    bool BlockControlEscape() override { return true; }
    bool BlockAltEscape() override { return true; }
    bool BlockAltTab() override { return true; }
    bool BlockFunkey() override { return true; }
};

class KeyboardHookTest : public AnswerTest {
protected:
    void SetUp() override
    {
        AnswerTest::SetUp();
        SendFunKeys = VbTrue;
        KioskMode = VbTrue;
        InputKeyIndex = 0;
        KeyHookSink = &window;
        KeyboardHookActive = true;
    }
    void TearDown() override
    {
        EnableFunctionKeys(false);
        SendFunKeys = 0;
        KioskMode = 0;
        KeyHookSink = &window;
        KeyboardHookActive = true;
        AnswerTest::TearDown();
    }
    // Sends a key event to the widget as the window system would.
    bool Key(QWidget* widget, QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
             bool repeat = false)
    {
        QKeyEvent event(type, key, modifiers, QString(), repeat);
        QApplication::sendEvent(widget, &event);
        return event.isAccepted();
    }
};

} // namespace

TEST_F(KeyboardHookTest, TheKeyTestAsATable)
{
    SwallowAll swallowAll;
    const struct {
        const char* name;
        bool sink, active;
        int vk, flags;
        bool ctrl, repeat;
        qint16 kiosk, sendKeys;
        bool swallowed;
        const char* sent; // after "12"
    } cases[] = {
        {"F5 press passes", true, true, 116, 0, false, false, -1, -1, false, nullptr},
        {"F5 release is sent", true, true, 116, HookKeyUp, false, false, 0, -1, true, "5"},
        {"F1 release", true, true, 112, HookKeyUp, false, false, 0, -1, true, "1"},
        {"F12 release", true, true, 123, HookKeyUp, false, false, 0, -1, true, "12"},
        {"F13 passes", true, true, 124, HookKeyUp, false, false, -1, -1, false, nullptr},
        {"Alt+F5 press swallowed, not sent", true, true, 116, HookAltDown, false, false, 0, -1, true, nullptr},
        {"Alt+F5 release sent", true, true, 116, HookKeyUp | HookAltDown, false, false, 0, -1, true, "5"},
        {"F5 repeat swallowed, not sent", true, true, 116, HookKeyUp, false, true, 0, -1, true, nullptr},
        {"F5 without Send Function Keys", true, true, 116, HookKeyUp, false, false, -1, 0, false, nullptr},
        {"no sink", false, true, 116, HookKeyUp, false, false, -1, -1, false, nullptr},
        {"inactive", true, false, 116, HookKeyUp, false, false, -1, -1, false, nullptr},
        {"Alt+Tab in kiosk", true, true, 9, HookAltDown, false, false, -1, -1, true, nullptr},
        {"Alt+Tab release in kiosk", true, true, 9, HookAltDown | HookKeyUp, false, false, -1, -1, true, nullptr},
        {"Alt+Esc in kiosk", true, true, 27, HookAltDown, false, false, -1, -1, true, nullptr},
        {"Ctrl+Esc in kiosk", true, true, 27, 0, true, false, -1, -1, true, nullptr},
        {"Alt+Tab without kiosk", true, true, 9, HookAltDown, false, false, 0, -1, false, nullptr},
        {"Ctrl+Esc without kiosk", true, true, 27, 0, true, false, 0, -1, false, nullptr},
        {"plain Tab in kiosk", true, true, 9, 0, false, false, -1, -1, false, nullptr},
        {"Ctrl+F5 release is sent", true, true, 116, HookKeyUp, true, false, -1, -1, true, "5"},
    };
    for (const auto& c : cases) {
        host.sent.clear();
        TypeAhead = QStringLiteral("12");
        KeyHookSink = c.sink ? &window : nullptr;
        KeyboardHookActive = c.active;
        KioskMode = c.kiosk;
        SendFunKeys = c.sendKeys;
        const HookRecord record{c.vk, c.flags, c.ctrl, c.repeat};
        EXPECT_EQ(FilterHookedKey(record), c.swallowed) << c.name;
        const QStringList sent = c.sent ? QStringList{"12" + SUB + QLatin1String(c.sent) + "\r"} : QStringList();
        EXPECT_EQ(host.sent, sent) << c.name;
        EXPECT_EQ(TypeAhead.isEmpty(), c.sent != nullptr) << c.name;
    }
    // The interface's own answers swallow nothing; the window answers by its switches.
    KeyboardHook plain;
    EXPECT_FALSE(plain.BlockAltTab() || plain.BlockAltEscape() || plain.BlockControlEscape() || plain.BlockFunkey());
    KioskMode = 0;
    SendFunKeys = VbTrue;
    EXPECT_FALSE(window.BlockAltTab() || window.BlockAltEscape() || window.BlockControlEscape());
    EXPECT_TRUE(window.BlockFunkey());
    KeyHookSink = &swallowAll;
    SendFunKeys = VbTrue;
    host.sent.clear();
    EXPECT_TRUE(FilterHookedKey({116, HookKeyUp, false, false}));
    EXPECT_EQ(host.sent.size(), 1);
}

TEST_F(KeyboardHookTest, InstalledTwiceAFunctionKeyIsSentOnce)
{
    EnableFunctionKeys(true);
    EnableFunctionKeys(true);
    InstallKeyboardHook();
    EXPECT_TRUE(IsKeyboardHooked());
    QTest::keyClicks(&window, "12");
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_EQ(host.sent, QStringList{"12" + SUB + "5\r"});
    EXPECT_TRUE(TypeAhead.isEmpty());

    // Alt held: once per press.
    host.sent.clear();
    QTest::keyClick(&window, Qt::Key_F7, Qt::AltModifier);
    EXPECT_EQ(host.sent, QStringList{SUB + "7\r"});

    // A held key repeats as release and press pairs: still one send.
    host.sent.clear();
    Key(&window, QEvent::KeyPress, Qt::Key_F9);
    for (int i = 0; i < 5; ++i) {
        Key(&window, QEvent::KeyRelease, Qt::Key_F9, Qt::NoModifier, true);
        Key(&window, QEvent::KeyPress, Qt::Key_F9, Qt::NoModifier, true);
    }
    Key(&window, QEvent::KeyRelease, Qt::Key_F9);
    EXPECT_EQ(host.sent, QStringList{SUB + "9\r"});

    RemoveKeyboardHook();
    RemoveKeyboardHook();
    EXPECT_FALSE(IsKeyboardHooked());
    host.sent.clear();
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_TRUE(host.sent.isEmpty());
}

TEST_F(KeyboardHookTest, TypedTextGoesLiterallyAndEncipheredAsEnterWould)
{
    EnableFunctionKeys(true);
    TypeAhead = QStringLiteral("a~@open");
    QTest::keyClick(&window, Qt::Key_F2);
    EXPECT_EQ(host.sent, QStringList{"a~@open" + SUB + "2\r"});

    host.sent.clear();
    InputKeyIndex = 3;
    TypeAhead = QStringLiteral("secret");
    QTest::keyClick(&window, Qt::Key_F2);
    EXPECT_EQ(host.sent, QStringList{EncryptWithKey(QStringLiteral("secret"), 3) + SUB + "2\r"});
    InputKeyIndex = 0;

    // Not connected: nothing goes, and the typed text is gone all the same.
    Connected = false;
    host.sent.clear();
    TypeAhead = QStringLiteral("12");
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_TRUE(TypeAhead.isEmpty());
    Connected = true;
}

TEST_F(KeyboardHookTest, KioskKeysNeverReachTheInputBox)
{
    EnableFunctionKeys(true);
    OpenInputBox();
    QTest::keyClicks(window.INText, "77");
    // Tab in an input box answers the host: Alt+Tab must not get there.
    Key(window.INText, QEvent::KeyPress, Qt::Key_Tab, Qt::AltModifier);
    Key(window.INText, QEvent::KeyPress, Qt::Key_Escape, Qt::AltModifier);
    Key(window.INText, QEvent::KeyPress, Qt::Key_Escape, Qt::ControlModifier);
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_FALSE(window.INTextPic->isHidden());
    EXPECT_EQ(window.INText->text(), QStringLiteral("77"));

    // Kiosk without "Send Function Keys": there is no hook, nothing is blocked.
    EnableFunctionKeys(false);
    KioskMode = VbTrue;
    Key(window.INText, QEvent::KeyPress, Qt::Key_Tab, Qt::AltModifier);
    EXPECT_FALSE(host.sent.isEmpty());
}

TEST_F(KeyboardHookTest, AnotherActiveApplicationTakesTheHookAway)
{
    EnableFunctionKeys(true);
    ASSERT_TRUE(IsWindowSubclassed());
    EXPECT_EQ(KioskGrabWindow(), window.windowHandle());
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(IsKeyboardHooked());
    EXPECT_FALSE(KeyboardHookActive);
    EXPECT_EQ(KioskGrabWindow(), nullptr);
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_TRUE(host.sent.isEmpty());

    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(IsKeyboardHooked());
    EXPECT_TRUE(KeyboardHookActive);
    EXPECT_EQ(KioskGrabWindow(), window.windowHandle());
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_EQ(host.sent, QStringList{SUB + "5\r"});

    // Switched off, application switches install nothing.
    EnableFunctionKeys(false);
    EXPECT_FALSE(IsWindowSubclassed());
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_FALSE(IsKeyboardHooked());
    EXPECT_EQ(KioskGrabWindow(), nullptr);
}

TEST_F(KeyboardHookTest, InKioskModeTheProgramsOwnDialogsGetTheirKeys)
{
    EnableFunctionKeys(true);
    ASSERT_EQ(KioskGrabWindow(), window.windowHandle());
    QDialog dialog(&window);
    auto* box = new QLineEdit(&dialog);
    (new QVBoxLayout(&dialog))->addWidget(box);
    dialog.show();
    dialog.activateWindow();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    box->setFocus();
    // The window system moves its focus after the widgets.
    EXPECT_TRUE(QTest::qWaitFor([&] { return KioskGrabWindow() == dialog.windowHandle(); }));
    for (char c : {'o', 'k'})
        QTest::keyClick(dialog.windowHandle(), c);
    EXPECT_EQ(box->text(), QStringLiteral("ok"));
    dialog.hide();
    window.windowHandle()->requestActivate();
    EXPECT_TRUE(QTest::qWaitFor([&] { return KioskGrabWindow() == window.windowHandle(); }));

    // Kiosk switched off at once: the grab goes.
    KioskMode = 0;
    UpdateKioskGrab();
    EXPECT_EQ(KioskGrabWindow(), nullptr);
}

TEST_F(KeyboardHookTest, F3IsTheMenuTreesSearchWhileItIsOpen)
{
    EnableFunctionKeys(true);
    fJump::instance().show();
    ASSERT_TRUE(fJump::IsOpen());
    EXPECT_FALSE(FilterHookedKey({114, HookKeyUp, false, false}));
    EXPECT_TRUE(FilterHookedKey({115, HookKeyUp, false, false}));
    EXPECT_EQ(host.sent, QStringList{SUB + "4\r"});
    fJump::instance().hide();
    EXPECT_TRUE(FilterHookedKey({114, HookKeyUp, false, false}));
}

TEST_F(KeyboardHookTest, LeavingTheProgramTakesTheHookDown)
{
    EnableFunctionKeys(true);
    ASSERT_TRUE(IsKeyboardHooked());
    Connected = false;
    window.exitmnu_Click();
    EXPECT_FALSE(IsKeyboardHooked());
    EXPECT_FALSE(IsWindowSubclassed());
    EXPECT_EQ(KioskGrabWindow(), nullptr);
    Connected = true;
    window.show();
}
