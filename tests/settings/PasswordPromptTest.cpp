#include "session/fConnection.h"
#include "settings/AdminPassword.h"
#include "settings/CompanionFiles.h"
#include "settings/Properties.h"
#include "settings/fPropLock.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <gtest/gtest.h>

using namespace zor;

namespace {

// Plays the user at the real prompt: each time it comes up, the next answer
// is typed and given with OK, or the prompt is cancelled or closed.
class PromptUser {
public:
    explicit PromptUser(std::deque<QString> answers) : answers_(std::move(answers))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
        timer_.start(5);
    }
    int shown = 0;
    QStringList textWhenShown;

private:
    void Answer()
    {
        auto* prompt = qobject_cast<fPropLock*>(QApplication::activeModalWidget());
        if (!prompt || !prompt->isVisible() || answers_.empty())
            return;
        ++shown;
        textWhenShown << prompt->Text1->text();
        EXPECT_EQ(prompt->windowTitle(), QStringLiteral("Password required"));
        EXPECT_EQ(prompt->Text1->echoMode(), QLineEdit::Password);
        prompt->Text1->setText(QStringLiteral("abc"));
        EXPECT_EQ(prompt->Text1->displayText(), QStringLiteral("***"));
        prompt->Text1->clear();
        const QString answer = answers_.front();
        answers_.pop_front();
        if (answer == QLatin1String("<cancel>")) {
            QTest::keyClicks(prompt->Text1, QStringLiteral("Secret"));
            prompt->Command2->click();
        } else if (answer == QLatin1String("<close>")) {
            QTest::keyClicks(prompt->Text1, QStringLiteral("Secret"));
            prompt->close();
        } else if (answer == QLatin1String("<esc>")) {
            QTest::keyClicks(prompt->Text1, QStringLiteral("Secret"));
            QTest::keyClick(prompt->Text1, Qt::Key_Escape);
        } else {
            QTest::keyClicks(prompt->Text1, answer);
            prompt->Command1->click();
        }
    }
    std::deque<QString> answers_;
    QTimer timer_;
};

} // namespace

TEST(PasswordPrompt, CallersProtocol)
{
    struct Case {
        const char* name;
        bool locked;
        std::deque<QString> answers;
        bool granted;
        int failures;
    };
    const Case cases[] = {
        {"no lock, no prompt", false, {}, true, 0},
        {"letter case is ignored", true, {"sECRET"}, true, 0},
        {"a wrong password asks again", true, {"wrong", "also wrong", "Secret"}, true, 2},
        {"OK with an empty box cancels", true, {"wrong", ""}, false, 1},
        {"Cancel", true, {"<cancel>"}, false, 0},
        {"closing the prompt", true, {"<close>"}, false, 0},
        {"Esc", true, {"<esc>"}, false, 0},
    };
    for (const Case& c : cases) {
        test::DialogScript dialogs;
        PromptUser user(c.answers);
        EXPECT_EQ(AskAdminPassword(c.locked, QStringLiteral("secret")), c.granted) << c.name;
        EXPECT_EQ(user.shown, int(c.answers.size())) << c.name;
        // Every prompt comes up empty.
        EXPECT_EQ(user.textWhenShown, QStringList(qsizetype(c.answers.size()), QString())) << c.name;
        ASSERT_EQ(dialogs.asked.size(), c.failures) << c.name;
        for (const Dialogs::Request& box : dialogs.asked) {
            EXPECT_EQ(box.prompt, QStringLiteral("Password was incorrect.  Try again.")) << c.name;
            EXPECT_EQ(box.title, QStringLiteral("Pwd Failed")) << c.name;
            EXPECT_EQ(box.style, 16) << c.name;
        }
    }
}

TEST(PasswordPrompt, UsesTheSettingsWindowsLockAndPassword)
{
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    Properties& settings = Properties::instance();
    settings.PropCheck[12]->setChecked(false);
    EXPECT_TRUE(AskAdminPassword());

    settings.PropCheck[12]->setChecked(true);
    settings.PropText[2]->setText(QStringLiteral("Counter1"));
    PromptUser user({QStringLiteral("secret"), QStringLiteral("COUNTER1")});
    EXPECT_TRUE(AskAdminPassword());
    EXPECT_EQ(user.shown, 2);
    EXPECT_EQ(dialogs.asked.size(), 1);
    settings.PropCheck[12]->setChecked(false);
}

TEST(PasswordPrompt, TheSettingsWindowOpensOnlyPastTheLockItsFileSets)
{
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    ASSERT_TRUE(WriteAdminLock({QStringLiteral("Counter1"), QStringLiteral("Counter1"), true}));
    Properties::instance().Unload();

    for (const char* answer : {"<cancel>", "counter1"}) {
        bool opened = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            Properties& settings = Properties::instance();
            if (QApplication::activeModalWidget() == &settings) {
                opened = true;
                settings.OptionsButt[1]->click();
            }
        });
        closer.start(5);
        PromptUser user({QLatin1String(answer)});
        fConnection::instance().puProperties_Click();
        EXPECT_EQ(user.shown, 1) << answer;
        EXPECT_EQ(opened, answer[0] != '<') << answer;
    }
    WriteAdminLock({});
    Properties::instance().Unload();
    Properties::instance().PropCheck[12]->setChecked(false);
}
