#include "settings/CompanionFiles.h"
#include "core/Ciphers.h"
#include "core/SharedState.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace zor;

namespace {

class CompanionFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadScriptKeys();
        EncryptScripts = 0;
        HostDescription = QStringLiteral("North Shop");
    }
    void TearDown() override
    {
        EncryptScripts = 0;
        HostDescription.clear();
    }
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
};

QByteArray Bytes(const char* text)
{
    return QByteArray(text);
}

// A reply tab's whole list written to its file.
bool SaveReplyTab(int tab, const QStringList& items)
{
    const std::optional<ListFile> file = ReplyTabFile(tab);
    return file && WriteReplyFile(file->Name, items, file->Key);
}

} // namespace

// Enciphered with key 13 by hand: a change of the key table breaks every reply
// file the users already have, so it must not go unnoticed.
const QByteArray KnownGlobalFile = Bytes("<$Sc%@-TtipqC>Fysmwkk\r\n"
                                         "Password:=@password\r\n");

TEST_F(CompanionFiles, GlobalRepliesMixEncipheredAndPlainLines)
{
    home.write(QStringLiteral("response.dat"), KnownGlobalFile);
    const CompanionLists lists = ReadCompanionFiles();
    EXPECT_EQ(lists.GlobalReplies, (QStringList{"Login:=@userid", "Password:=@password"}));

    EncryptScripts = VbTrue;
    ASSERT_TRUE(SaveReplyTab(0, {QStringLiteral("Login:=@userid")}));
    EXPECT_EQ(home.read(QStringLiteral("response.dat")), Bytes("<$Sc%@-TtipqC>Fysmwkk\r\n"));

    // Read while encryption is off, saved plain again.
    EncryptScripts = 0;
    ASSERT_TRUE(SaveReplyTab(0, ReadCompanionFiles().GlobalReplies));
    EXPECT_EQ(home.read(QStringLiteral("response.dat")), Bytes("Login:=@userid\r\n"));
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(CompanionFiles, LinesWhoseCipherWouldEndTheLineAreWrittenPlainAndComeBackWhole)
{
    // Under key 13 the tab enciphers to a line feed.
    const QStringList items = {QStringLiteral("abcdef\thij"), QStringLiteral("Login:=@userid")};
    EncryptScripts = VbTrue;
    ASSERT_TRUE(WriteReplyFile(GlobalReplyFileName, items, GlobalReplyKey));
    EXPECT_EQ(home.read(QStringLiteral("response.dat")), Bytes("abcdef\thij\r\n<$Sc%@-TtipqC>Fysmwkk\r\n"));
    EXPECT_EQ(ReadReplyFile(GlobalReplyFileName, GlobalReplyKey), items);
}

TEST_F(CompanionFiles, EachReplyTabRoundTripsThroughItsOwnFile)
{
    const QString accented = QString::fromLatin1("Caf\xe9:=cr\xe8me~ok");
    const QStringList global = {QStringLiteral("Login:=@userid"), accented, QString()};
    const QStringList session = {QStringLiteral("Password:=@password"), QStringLiteral("Menu:=1")};
    const QStringList accounts = {QStringLiteral("SALES"), QStringLiteral("STOCK")};
    for (qint16 encrypt : {VbFalse, VbTrue}) {
        EncryptScripts = encrypt;
        ASSERT_TRUE(SaveReplyTab(0, global));
        ASSERT_TRUE(SaveReplyTab(1, session));
        ASSERT_TRUE(SaveReplyTab(2, accounts));
        EXPECT_FALSE(ReplyTabFile(3).has_value());
        EXPECT_EQ(QDir(home.path()).entryList(QDir::Files).size(), 3) << encrypt;

        const CompanionLists lists = ReadCompanionFiles();
        EXPECT_EQ(lists.GlobalReplies, global) << encrypt;
        EXPECT_EQ(lists.SessionReplies, session) << encrypt;
        EXPECT_EQ(lists.Accounts, accounts) << encrypt;
    }
    EncryptScripts = 0;
    ASSERT_TRUE(SaveReplyTab(1, session));
    EXPECT_EQ(home.read(QStringLiteral("North Shop.dat")), Bytes("Password:=@password\r\nMenu:=1\r\n"));
    ASSERT_TRUE(SaveReplyTab(2, {}));
    EXPECT_EQ(home.read(QStringLiteral("North Shop-accounts.dat")), QByteArray());
}

TEST_F(CompanionFiles, KeysAreNotInterchangeableBetweenFiles)
{
    EncryptScripts = VbTrue;
    const QString line = QStringLiteral("Login:=@userid");
    const QString files[] = {QStringLiteral("response.dat"), QStringLiteral("North Shop.dat"),
                             QStringLiteral("North Shop-accounts.dat")};
    for (int tab = 0; tab < 3; ++tab) {
        ASSERT_TRUE(SaveReplyTab(tab, {line}));
        const QByteArray enciphered = home.read(files[tab]);
        for (const QString& other : files)
            home.write(other, enciphered);
        const CompanionLists lists = ReadCompanionFiles();
        const QStringList readBack[] = {lists.GlobalReplies, lists.SessionReplies, lists.Accounts};
        for (int reader = 0; reader < 3; ++reader)
            EXPECT_EQ(readBack[reader].value(0) == line, reader == tab) << tab << " read as " << reader;
    }
}

TEST_F(CompanionFiles, BlankDescriptionReadsAccountsAsIsThenUsesOldEntry)
{
    HostDescription = QStringLiteral("   ");
    home.write(QStringLiteral("-accounts.dat"), Bytes("SALES\r\n"));
    home.write(QStringLiteral("Old Entry.dat"), Bytes("Menu:=1\r\n"));
    home.write(QStringLiteral(".dat"), Bytes("Wrong:=file\r\n"));
    const CompanionLists lists = ReadCompanionFiles();
    EXPECT_EQ(lists.Accounts, QStringList{"SALES"});
    EXPECT_EQ(lists.SessionReplies, QStringList{"Menu:=1"});
    EXPECT_EQ(HostDescription, QStringLiteral("Old Entry"));

    ASSERT_TRUE(SaveReplyTab(2, {QStringLiteral("STOCK")}));
    EXPECT_EQ(home.read(QStringLiteral("Old Entry-accounts.dat")), Bytes("STOCK\r\n"));
    EXPECT_EQ(home.read(QStringLiteral("-accounts.dat")), Bytes("SALES\r\n"));
}

TEST_F(CompanionFiles, ServerList)
{
    home.write(QStringLiteral("server.lst"), Bytes("shop1,23,North Shop\r\n"
                                                   "10.0.0.5,2323,South:South Shop: back room\r\n"
                                                   "last,23,no line end"));
    const ServerList servers = ReadCompanionFiles().Servers;
    EXPECT_EQ(servers.Entries, (QStringList{"shop1,23,North Shop", "10.0.0.5,2323,South", "last,23,no line end"}));
    EXPECT_EQ(servers.Shown, (QStringList{"shop1,23,North Shop", "South Shop: back room", "last,23,no line end"}));

    ASSERT_TRUE(ChangeListFile(ServerListFile, {}).Saved);
    EXPECT_EQ(home.read(QStringLiteral("server.lst")), Bytes("shop1,23,North Shop:shop1,23,North Shop\r\n"
                                                             "10.0.0.5,2323,South:South Shop: back room\r\n"
                                                             "last,23,no line end:last,23,no line end\r\n"));
    EXPECT_EQ(ReadServerList().Shown, servers.Shown);
}

TEST_F(CompanionFiles, AdminLock)
{
    EXPECT_FALSE(ReadCompanionFiles().Lock.has_value());

    // "Ab" scrambled: each code + 100, then a filler of 100..199.
    home.write(QStringLiteral("admin.nfo"), Bytes("\xa5\x95\xc6\x64\r\n\xa5\xc7\xc6\x80\r\n1\r\n"));
    std::optional<AdminLock> lock = ReadCompanionFiles().Lock;
    ASSERT_TRUE(lock.has_value());
    EXPECT_EQ(lock->Password, QStringLiteral("Ab"));
    EXPECT_EQ(lock->Confirmation, QStringLiteral("Ab"));
    EXPECT_TRUE(lock->Enabled);

    ASSERT_TRUE(WriteAdminLock({QStringLiteral("Secret"), QStringLiteral("Secret"), false}));
    const QByteArray written = home.read(QStringLiteral("admin.nfo"));
    EXPECT_TRUE(written.endsWith("\r\n0\r\n"));
    EXPECT_FALSE(written.contains("Secret"));
    lock = ReadAdminLock();
    ASSERT_TRUE(lock.has_value());
    EXPECT_EQ(lock->Password, QStringLiteral("Secret"));
    EXPECT_FALSE(lock->Enabled);

    // Codes the scrambling would wrap into line ends are refused, and the
    // lock already saved is kept; the edges of the range round-trip.
    for (const QChar bad : {QChar(166), QChar(169), QChar(31), QChar(0xe9)}) {
        const QString password = QStringLiteral("ab") + bad;
        EXPECT_FALSE(WriteAdminLock({password, password, true})) << int(bad.unicode());
        EXPECT_EQ(home.read(QStringLiteral("admin.nfo")), written);
    }
    EXPECT_EQ(dialogs.asked.size(), 4);
    const QString edges = QString(QChar(32)) + QChar(155);
    ASSERT_TRUE(WriteAdminLock({edges, edges, true}));
    EXPECT_EQ(ReadAdminLock()->Password, edges);
    EXPECT_TRUE(ReadAdminLock()->Enabled);

    // A file cut short reads its missing lines as empty.
    home.write(QStringLiteral("admin.nfo"), Bytes("\xa5\x95\xc6\x64\r\n"));
    lock = ReadAdminLock();
    ASSERT_TRUE(lock.has_value());
    EXPECT_EQ(lock->Confirmation, QString());
    EXPECT_FALSE(lock->Enabled);
}

TEST_F(CompanionFiles, UnreadableSessionRepliesEndTheReadingAndTellTheUser)
{
    home.write(QStringLiteral("response.dat"), Bytes("Login:=@userid\r\n"));
    home.write(QStringLiteral("server.lst"), Bytes("shop1,23,North Shop\r\n"));
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("North Shop.dat")));
    const CompanionLists lists = ReadCompanionFiles();
    EXPECT_EQ(lists.GlobalReplies, QStringList{"Login:=@userid"});
    EXPECT_TRUE(lists.SessionReplies.isEmpty());
    EXPECT_TRUE(lists.Servers.Entries.isEmpty());
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked[0].prompt.contains(QStringLiteral("North Shop.dat\" could not be read: ")));

    // Its empty list is not saved over it until it reads again.
    EXPECT_FALSE(SaveReplyTab(1, {}));
    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_TRUE(dialogs.asked[1].prompt.contains(QStringLiteral("so it is not saved over")));
    EXPECT_TRUE(QFileInfo(home.file(QStringLiteral("North Shop.dat"))).isDir());
    ASSERT_TRUE(QDir(home.path()).rmdir(QStringLiteral("North Shop.dat")));
    ReadCompanionFiles();
    EXPECT_TRUE(SaveReplyTab(1, {QStringLiteral("Menu:=1")}));
}

TEST_F(CompanionFiles, FailedWriteKeepsTheFileAndTellsTheUser)
{
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("response.dat")));
    EXPECT_FALSE(SaveReplyTab(0, {QStringLiteral("Login:=@userid")}));
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("ERROR"));
    EXPECT_TRUE(dialogs.asked[0].prompt.contains(QStringLiteral("response.dat\" could not be saved")));
    EXPECT_EQ(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"response.dat"});
}
