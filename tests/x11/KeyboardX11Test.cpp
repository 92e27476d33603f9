#include "session/KeyboardHandler.h"
#include "session/WindowChange.h"
#include "tests/session/AnswerFixture.h"
#include "tests/x11/Desktop.h"

#include <QKeyEvent>
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
