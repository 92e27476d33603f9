#include "core/Appearance.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "session/fConnection.h"
#include "settings/Properties.h"
#include "tests/session/Peers.h"
#include "tests/support/TestSupport.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zor;
using test::WaitUntil;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// A Telnet host asks for the version, keeps a screen in the cache and asks
// for it back twice; each answer is written down byte for byte as the host
// received it.
TEST(ChromeHost, VersionAndCacheAnswersReachATelnetHostByteForByte)
{
    test::ProgramFolderScope home;
    QTemporaryDir received;
    const QByteArray dir = received.path().toLocal8Bit();
    test::BusyboxTelnetd telnetd("stty raw -echo\n"
                                 "printf '\\033vn\\r\\n'\n"
                                 "dd bs=1 count=37 of=" +
                                 dir +
                                 "/vn 2>/dev/null\n"
                                 "printf 'cs\\033to^5^3^10^l^Hello^^1\\033vs^MENU1^v7\\033cs\\033vl^MENU1^ v7\\r\\n'\n"
                                 "dd bs=1 count=7 of=" +
                                 dir +
                                 "/ok 2>/dev/null\n"
                                 "printf 'vl^MENU1^v8\\r\\n'\n"
                                 "dd bs=1 count=8 of=" +
                                 dir + "/old 2>/dev/null\nsleep 5\n");
    ASSERT_TRUE(telnetd.ready());
    fConnection& window = fConnection::instance();
    Properties& settings = Properties::instance();
    settings.cbSecureConnection->setChecked(false);
    settings.PropText[0]->setText(QStringLiteral("127.0.0.1"));
    settings.PropText[1]->setText(QString::number(telnetd.port()));
    UseScreenCache = 1;
    window.show();
    window.socket_Connect();
    ASSERT_TRUE(WaitUntil([] { return Connected; }));

    EXPECT_TRUE(WaitUntil([&] { return QFileInfo(received.filePath(QStringLiteral("old"))).size() == 8; }));
    EXPECT_EQ(ReadAll(received.filePath(QStringLiteral("vn"))), "ZOR GUI User Interface version 1.0.0\r");
    EXPECT_EQ(ReadAll(received.filePath(QStringLiteral("ok"))), "VER=OK\r");
    EXPECT_EQ(ReadAll(received.filePath(QStringLiteral("old"))), "VER=OLD\r");
    EXPECT_EQ(EntityCount, -1);
    EXPECT_TRUE(QFile::exists(home.file(QStringLiteral("cache/menu1.bef"))));
    window.CloseConnection();
    window.mChannel->Close(0);
    Connected = false;
}
