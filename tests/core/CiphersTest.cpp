#include "core/Ciphers.h"
#include "core/SharedState.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace zor;

class Ciphers : public ::testing::Test {
protected:
    void SetUp() override { LoadScriptKeys(); }
};

TEST_F(Ciphers, KeyTableHas31TenDigitKeys)
{
    EXPECT_TRUE(ScriptKeys[0].isEmpty());
    for (int i = 1; i <= 31; ++i) {
        EXPECT_EQ(ScriptKeys[i].size(), 10) << i;
        for (QChar c : ScriptKeys[i])
            EXPECT_TRUE(c.isDigit());
    }
}

TEST_F(Ciphers, KeyedCipherAddsTheKeyDigitsAndRestartsEveryCall)
{
    const QString key = ScriptKeys[13];
    const QString plain = QStringLiteral("ABCDEFGHIJK");
    const QString enciphered = EncryptWithKey(plain, 13);
    ASSERT_EQ(enciphered.size(), plain.size());
    for (int i = 0; i < plain.size(); ++i)
        EXPECT_EQ(enciphered[i].unicode(), plain[i].unicode() + key[i % 10].digitValue()) << i;
    // The 11th character uses the first digit again.
    EXPECT_EQ(enciphered[10].unicode() - plain[10].unicode(), key[0].digitValue());
    EXPECT_EQ(EncryptWithKey(plain, 13), enciphered);
    EXPECT_EQ(DecryptWithKey(enciphered, 13), plain);
    EXPECT_NE(EncryptWithKey(plain, 14), enciphered);
}

TEST_F(Ciphers, KeyZeroAndKeysOutsideTheTableLeaveTheText)
{
    const QString text = QStringLiteral("secret");
    for (int index : {0, 32, -1, 1000}) {
        EXPECT_EQ(EncryptWithKey(text, index), text) << index;
        EXPECT_EQ(DecryptWithKey(text, index), text) << index;
    }
}

TEST_F(Ciphers, EveryByteRoundTrips)
{
    QString all;
    for (int c = 0; c < 256; ++c)
        all.append(QChar(c));
    for (int index = 1; index <= 31; ++index)
        EXPECT_EQ(DecryptWithKey(EncryptWithKey(all, index), index), all);
    EXPECT_EQ(UnscrambleText(ScrambleText(all)), all);
}

TEST_F(Ciphers, ScrambleDoublesAndDiffersEachTime)
{
    const QString text = QStringLiteral("Admin Pwd 123");
    const QString once = ScrambleText(text);
    EXPECT_EQ(once.size(), text.size() * 2);
    for (int i = 0; i < text.size(); ++i) {
        EXPECT_EQ(once[2 * i].unicode(), text[i].unicode() + 100);
        EXPECT_GE(once[2 * i + 1].unicode(), 100);
        EXPECT_LE(once[2 * i + 1].unicode(), 199);
    }
    QString other;
    for (int tries = 0; tries < 5 && (other.isEmpty() || other == once); ++tries)
        other = ScrambleText(text);
    EXPECT_NE(other, once);
    EXPECT_EQ(UnscrambleText(once), text);
    EXPECT_EQ(UnscrambleText(other), text);
}

TEST_F(Ciphers, ScriptMarker)
{
    EXPECT_EQ(EncryptScript(QString(), 13), QStringLiteral("<$Sc%@-"));
    QString marked = QStringLiteral("<$Sc%@-");
    EXPECT_EQ(DecryptScript(marked, 13), QString());

    QString line = EncryptScript(QStringLiteral("login:=@userid"), 13);
    EXPECT_TRUE(line.startsWith(QStringLiteral("<$Sc%@-")));
    EXPECT_EQ(DecryptScript(line, 13), QStringLiteral("login:=@userid"));
    EXPECT_FALSE(line.startsWith(QStringLiteral("<$Sc%@-")));

    QString plain = QStringLiteral("login:=@userid");
    EXPECT_EQ(DecryptScript(plain, 13), QStringLiteral("login:=@userid"));
    EXPECT_EQ(plain, QStringLiteral("login:=@userid"));
}
