#include "tests/session/AnswerFixture.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

using namespace zor;
using zor::test::AnswerTest;

namespace {

constexpr int Point = 10, Backspace = 11, Enter = 12, Close = 13, Extra1 = 14;

class TenKeyTest : public AnswerTest {
protected:
    void SetUp() override
    {
        AnswerTest::SetUp();
        TenKeyPinned = 0;
        window.tbTenKey->clear();
    }
    void TearDown() override
    {
        window.frTenKey->hide();
        TenKeyPinned = 0;
        AnswerTest::TearDown();
    }
    void Press(std::initializer_list<int> keys)
    {
        for (const int k : keys)
            window.cbTenKey[static_cast<size_t>(k)]->click();
    }
};

} // namespace

TEST_F(TenKeyTest, KeysBuildTheEntryAndEnterOrAnExtraKeySendsIt)
{
    struct Case {
        const char* unit;
        std::vector<int> keys;
        const char* display;
        QStringList sent;
        bool open;
    };
    const Case cases[] = {
        {"tk^0", {4, 2, Enter}, "", {"42\r"}, false},
        {"tk^1", {4, 2, Enter}, "", {"42\r"}, true},
        {"tk^0", {Point, Point, 1, Point, 5}, ".15", {}, true},
        {"tk^0", {Backspace, 1, Backspace, Backspace}, "", {}, true},
        {"tk^0", {Enter}, "", {"\r"}, false},
        {"tk^0", {7, Close}, "", {}, false},
        {"tk^0^^^^^^^^Zero\\00", {5, Extra1 + 2}, "500", {"500\r"}, true},
        {"tk^0^^^^^^Cash\\C^Card", {5, Extra1}, "5C", {"5C\r"}, true},
        // Implied decimals: one digit is hundredths, each answer starts anew,
        // and BS takes back a digit.
        {"tk^1^^^^^3", {1, 2, 5}, "1.25", {}, true},
        {"tk^1^^^^^3", {5}, ".05", {}, true},
        {"tk^1^^^^^3", {1, 2, 5, Enter, 3}, ".03", {"1.25\r"}, true},
        {"tk^1^^^^^3", {1, 2, 5, Backspace, 3}, "1.23", {}, true},
    };
    for (const Case& c : cases) {
        host.sent.clear();
        window.Process(QString::fromLatin1(c.unit));
        window.tbTenKey->clear();
        TypeAhead.clear();
        for (const int k : c.keys)
            window.cbTenKey[static_cast<size_t>(k)]->click();
        SCOPED_TRACE(c.unit);
        EXPECT_EQ(window.tbTenKey->text(), QString::fromLatin1(c.display));
        EXPECT_EQ(host.sent, c.sent);
        EXPECT_EQ(window.frTenKey->isVisible(), c.open);
    }
}

TEST_F(TenKeyTest, AnAnswerSentElsewhereStartsANewEntryAndAnExtraKeySendsOnce)
{
    window.Process("tk^1");
    Press({4, 2});
    EXPECT_EQ(TypeAhead, QStringLiteral("42"));
    TypeAhead.clear(); // answered by the keyboard, say
    Press({7});
    EXPECT_EQ(window.tbTenKey->text(), QStringLiteral("7"));

    window.Process("tk^1^^^^^^Cash\\C");
    window.tbTenKey->clear();
    TypeAhead.clear();
    Press({5, Extra1});
    EXPECT_EQ(host.sent, QStringList{"5C\r"});
    // Nothing is left to send a second time, and the next key starts anew.
    EXPECT_TRUE(TypeAhead.isEmpty());
    Press({3});
    EXPECT_EQ(window.tbTenKey->text(), QStringLiteral("3"));
}

TEST_F(TenKeyTest, TheDisplayTakesNoTypingAndTheKeysNoFocus)
{
    window.INTextPic->show();
    window.INText->setFocus();
    window.Process("tk^1");
    QTest::mouseClick(window.cbTenKey[4], Qt::LeftButton);
    EXPECT_EQ(window.tbTenKey->text(), QStringLiteral("4"));
    EXPECT_TRUE(window.INText->hasFocus());
    EXPECT_TRUE(window.tbTenKey->isReadOnly());
    EXPECT_EQ(window.tbTenKey->focusPolicy(), Qt::NoFocus);
}
