#include "core/Trace.h"
#include "session/KeyboardHandler.h"
#include "session/WindowChange.h"
#include "tests/session/AnswerFixture.h"
#include "tests/x11/Desktop.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QWindow>

using namespace zor;
using namespace zor::test;

namespace {

const QString SUB = QString(QChar(26));

// What the application gets of one key: its presses, and whether the last
// event was its release.
class KeyWatch : public QObject {
public:
    explicit KeyWatch(Qt::Key key) : key_(key) { qApp->installEventFilter(this); }
    int presses = 0;
    bool up = true;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        // An event is filtered again for each widget it travels to.
        if (key->key() != key_ || (key->timestamp() == last_.first && event->type() == last_.second))
            return false;
        last_ = {key->timestamp(), event->type()};
        up = event->type() == QEvent::KeyRelease;
        presses += up ? 0 : 1;
        return false;
    }

private:
    Qt::Key key_;
    std::pair<quint64, QEvent::Type> last_{0, QEvent::None};
};

class HeldKeyTest : public AnswerTest {
protected:
    void SetUp() override
    {
        if (!OnXServer())
            GTEST_SKIP() << XServer::Failure().toStdString();
        AnswerTest::SetUp();
        ASSERT_TRUE(FocusWindow(*window.windowHandle()));
        SendFunKeys = VbTrue;
        KeyHookSink = &window;
        KeyboardHookActive = true;
        EnableFunctionKeys(true);
    }
    void TearDown() override
    {
        EnableFunctionKeys(false);
        SendFunKeys = 0;
        AnswerTest::TearDown();
    }
};

} // namespace

TEST_F(HeldKeyTest, AFunctionKeyHeldDownIsSentOncePerPress)
{
    for (const char* typed : {"", "12"}) {
        SCOPED_TRACE(typed);
        host.sent.clear();
        OpenInputBox();
        if (*typed) {
            ASSERT_TRUE(Xdotool({"type", typed}));
            ASSERT_TRUE(RunUntil([&] { return window.INText->text() == QLatin1String(typed); }));
        }
        // Held until the X server has repeated it several times.
        KeyWatch f6(Qt::Key_F6);
        ASSERT_TRUE(Xdotool({"keydown", "F6"}));
        const bool repeated = RunUntil([&] { return f6.presses >= 10; });
        ASSERT_TRUE(Xdotool({"keyup", "F6"}));
        ASSERT_TRUE(repeated);
        ASSERT_TRUE(RunUntil([&] { return f6.up && !host.sent.isEmpty(); }));
        EXPECT_EQ(host.sent, QStringList{QLatin1String(typed) + SUB + "6\r"});
        EXPECT_TRUE(TypeAhead.isEmpty());
        window.INTextPic->hide();
    }
}

namespace {

class KioskGrabTest : public HeldKeyTest {
protected:
    void SetUp() override
    {
        KioskMode = VbTrue;
        HeldKeyTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(HeldByTheWindow(*window.windowHandle()));
    }
    void TearDown() override
    {
        HeldKeyTest::TearDown();
        KioskMode = 0;
        Trace().On = false;
    }
    // The kiosk grab is on the window, and the X server refuses the keyboard
    // to another client.
    static bool HeldByTheWindow(QWindow& held)
    {
        return RunUntil([&] { return KioskGrabWindow() == &held && !AnotherClientCanGrabKeyboard(); }, 10000);
    }
    static bool ClickAt(QPoint where, int button)
    {
        return Xdotool(
            {"mousemove", QString::number(where.x()), QString::number(where.y()), "click", QString::number(button)});
    }
};

} // namespace

TEST_F(KioskGrabTest, TheKeyboardIsHeldAgainAfterAMenuCloses)
{
    QMenuBar& bar = *window.menuBar();
    const struct {
        const char* name;
        QMenu* menu;
        int button;
        std::function<QPoint(int round)> where;
    } cases[] = {
        // Somewhere else each time: two clicks at one place are a double click.
        {"the pop-up", window.ThePopUp, 3,
         [&](int round) { return window.MainPic->mapToGlobal(QPoint(100 + 30 * round, 100)); }},
        {"a menu of the menu bar", window.filemnu, 1,
         [&](int) { return bar.mapToGlobal(bar.actionGeometry(window.filemnu->menuAction()).center()); }},
    };
    for (const auto& c : cases) {
        for (int round = 0; round < 3; ++round) {
            SCOPED_TRACE(testing::Message() << c.name << ", round " << round);
            ASSERT_TRUE(ClickAt(c.where(round), c.button));
            ASSERT_TRUE(RunUntil([&] { return c.menu->isVisible(); }));
            ASSERT_TRUE(Xdotool({"key", "Escape"}));
            ASSERT_TRUE(RunUntil([&] { return !c.menu->isVisible(); }));
            EXPECT_TRUE(HeldByTheWindow(*window.windowHandle()));
        }
    }
}

TEST_F(KioskGrabTest, TheKeyboardFollowsADialogAndComesBack)
{
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        bool dialogHeld = false;
        WhenModal([&](QWidget& dialog) {
            dialogHeld = HeldByTheWindow(*dialog.windowHandle());
            Xdotool({"key", "Escape"});
        });
        ASSERT_TRUE(Xdotool({"key", "alt+d"}));
        ASSERT_TRUE(RunUntil([&] { return dialogHeld && !QApplication::activeModalWidget(); }));
        // As a window manager gives the focus back to the window under the
        // dialog (Xvfb runs none).
        ASSERT_TRUE(FocusWindow(*window.windowHandle()));
        EXPECT_TRUE(HeldByTheWindow(*window.windowHandle()));
    }
}

TEST_F(KioskGrabTest, ARefusedGrabIsTracedAndTakenOnceTheOtherProgramLetsGo)
{
    QTemporaryDir traceFolder;
    Trace().Folder = traceFolder.path();
    Trace().On = true;
    Trace().Lines.clear();
    KioskMode = 0;
    UpdateKioskGrab();
    ASSERT_TRUE(RunUntil([] { return AnotherClientCanGrabKeyboard(); }));
    {
        KeyboardHolder other;
        ASSERT_TRUE(other.holds());
        // Kiosk mode switched on while another program has the keyboard.
        KioskMode = VbTrue;
        UpdateKioskGrab();
        ASSERT_EQ(Trace().Lines.size(), 1u);
        EXPECT_TRUE(Trace().Lines.front().startsWith(QLatin1String("[KIOSK]")));
    }
    EXPECT_TRUE(HeldByTheWindow(*window.windowHandle()));
}
