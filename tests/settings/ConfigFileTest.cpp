#include "settings/ConfigFile.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace zor;

namespace {

// Every item of the file set to a value of its own.
ConfigWindowItems FillDistinctValues()
{
    SavedWindowWidth = 9615.5f;
    SavedWindowHeight = 7200;
    OldUserName = QStringLiteral("olduser1");
    Settings = SessionSettings();
    Settings.Geometry1 = 11;
    Settings.Geometry5 = 15;
    Settings.BackColor = 0x00C0FFEE;
    Settings.HostName = FixedWidth(QStringLiteral("shop.example"), SessionSettings::HostNameWidth);
    Settings.Option1 = 1;
    Settings.Port = 2323;
    Settings.UseGradient = VbTrue;
    Settings.BackTiled = VbTrue;
    Settings.BackImageFile = FixedWidth(QStringLiteral("/pics/back.bmp"), SessionSettings::BackImageFileWidth);
    Settings.GradReverse = VbTrue;
    for (int kind = KindFieldCaption; kind <= KindImageDisplay; ++kind) {
        EntityAttr& a = EntityAttrs[kind];
        a = EntityAttr();
        a.TypeName = FixedWidth(KindName(kind), EntityAttr::TypeNameWidth);
        a.FrameStyle = static_cast<qint16>(kind % 5);
        a.TrimMode = static_cast<qint16>(kind % 4);
        a.TextColor = kind * 1000;
        a.BorderColor = -kind;
        a.ImageShadow = VbTrue;
        a.FontScale = Currency::fromDouble(kind / 10.0);
    }
    InputForeColor = 0x112233;
    InputBackColor = static_cast<qint32>(0x80000005);
    HostDescription = FixedWidth(QStringLiteral("Main shop"), 50);
    ComPortPacing = VbTrue;
    ComPortBlockSize = 64;
    ComPortPause = 250;
    KioskMode = VbTrue;
    SendFunKeys = VbTrue;
    SecureConnection = VbTrue;
    ConfigReserved = 77;
    SuppressLF = VbTrue;
    ExitOnDisconnect = VbTrue;
    TabletMode = VbTrue;
    LastUser = FixedWidth(QStringLiteral("clerk"), ConfigLastUserWidth);
    EncryptScripts = VbTrue;
    return {FixedWidth(QStringLiteral("Courier New"), ConfigFontNameWidth), VbTrue, 1200, -45, 2};
}

void ClearValues()
{
    SavedWindowWidth.reset();
    SavedWindowHeight = 0;
    OldUserName.clear();
    Settings = SessionSettings();
    for (int kind = KindFieldCaption; kind <= KindImageDisplay; ++kind)
        EntityAttrs[kind] = EntityAttr();
    InputForeColor = InputBackColor = 0;
    HostDescription.clear();
    ComPortPacing = ComPortBlockSize = ComPortPause = KioskMode = SendFunKeys = SecureConnection = 0;
    ConfigReserved = SuppressLF = ExitOnDisconnect = TabletMode = EncryptScripts = 0;
    LastUser.clear();
}

template <typename T> void Poke(QByteArray& bytes, int offset, T value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

} // namespace

TEST(ConfigFile, EveryItemRoundTripsAndSizeFollowsTheWidth)
{
    const ConfigWindowItems written = FillDistinctValues();
    const SessionSettings settings = Settings;
    const auto attrs = EntityAttrs;
    const QByteArray bytes = WriteConfig(written);
    EXPECT_EQ(bytes.size(), ConfigSizeWithWidth);

    ClearValues();
    ConfigWindowItems read;
    EXPECT_EQ(ReadConfig(bytes, read), ConfigItemCount);
    EXPECT_EQ(read.FontName, written.FontName);
    EXPECT_EQ(read.FontBold, VbTrue);
    EXPECT_EQ(read.Left, 1200);
    EXPECT_EQ(read.Top, -45);
    EXPECT_EQ(read.WindowState, 2);
    EXPECT_EQ(SavedWindowWidth, 9615.5f);
    EXPECT_EQ(SavedWindowHeight, 7200);
    EXPECT_EQ(OldUserName, QStringLiteral("olduser1"));
    EXPECT_EQ(Settings, settings);
    for (int kind = KindFieldCaption; kind <= KindImageDisplay; ++kind)
        EXPECT_EQ(EntityAttrs[kind], attrs[kind]) << kind;
    EXPECT_EQ(InputForeColor, 0x112233);
    EXPECT_EQ(InputBackColor, static_cast<qint32>(0x80000005));
    EXPECT_EQ(HostDescription, FixedWidth(QStringLiteral("Main shop"), 50));
    EXPECT_EQ(ComPortPacing, VbTrue);
    EXPECT_EQ(ComPortBlockSize, 64);
    EXPECT_EQ(ComPortPause, 250);
    EXPECT_EQ(KioskMode, VbTrue);
    EXPECT_EQ(SendFunKeys, VbTrue);
    EXPECT_EQ(SecureConnection, VbTrue);
    EXPECT_EQ(ConfigReserved, 77);
    EXPECT_EQ(SuppressLF, VbTrue);
    EXPECT_EQ(ExitOnDisconnect, VbTrue);
    EXPECT_EQ(TabletMode, VbTrue);
    EXPECT_EQ(LastUser, FixedWidth(QStringLiteral("clerk"), ConfigLastUserWidth));
    EXPECT_EQ(EncryptScripts, VbTrue);

    // A width never taken is the 2-byte empty value; everything after it
    // moves up and still reads back.
    SavedWindowWidth.reset();
    const QByteArray shorter = WriteConfig(written);
    EXPECT_EQ(shorter.size(), ConfigSizeWithoutWidth);
    SavedWindowWidth = 1.0f;
    EncryptScripts = 0;
    EXPECT_EQ(ReadConfig(shorter, read), ConfigItemCount);
    EXPECT_FALSE(SavedWindowWidth.has_value());
    EXPECT_EQ(EncryptScripts, VbTrue);
    EXPECT_EQ(LastUser, FixedWidth(QStringLiteral("clerk"), ConfigLastUserWidth));
}

TEST(ConfigFile, KnownBytesAtKnownOffsets)
{
    QByteArray bytes(ConfigSizeWithWidth, '\0');
    bytes.replace(0, 5, "Arial");
    Poke<qint16>(bytes, 50, -1);               // bold
    Poke<qint16>(bytes, 52, 300);              // left
    Poke<qint16>(bytes, 54, 450);              // top
    Poke<qint16>(bytes, 56, 2);                // maximised
    Poke<qint16>(bytes, 58, 4);                // width as Single
    Poke<float>(bytes, 60, 9000.0f);           //
    Poke<qint16>(bytes, 64, 6750);             // height
    bytes.replace(66, 8, "ABCDEFGH");          // old user name
    Poke<qint32>(bytes, 74 + 10, 0x00FF00);    // backdrop colour
    bytes.replace(74 + 14, 4, "host");         // host name
    Poke<qint16>(bytes, 74 + 46, 4000);        // port
    Poke<qint16>(bytes, 242 + 5 * 68 + 26, 3); // option-button trim mode
    Poke<qint32>(bytes, 990, 0x0000FF);        // input fore colour
    bytes.replace(998, 4, "Shop");             // host description
    Poke<qint16>(bytes, 1058, -1);             // secure connection
    Poke<qint16>(bytes, 1066, -1);             // tablet mode
    bytes.replace(1068, 5, "alice");           // last user
    Poke<qint16>(bytes, 1324, -1);             // encrypt scripts

    ClearValues();
    ConfigWindowItems read;
    ASSERT_EQ(ReadConfig(bytes, read), ConfigItemCount);
    EXPECT_EQ(read.FontName.left(6), QString::fromLatin1("Arial\0", 6));
    EXPECT_EQ(read.FontBold, -1);
    EXPECT_EQ(read.Left, 300);
    EXPECT_EQ(read.Top, 450);
    EXPECT_EQ(read.WindowState, 2);
    EXPECT_EQ(SavedWindowWidth, 9000.0f);
    EXPECT_EQ(SavedWindowHeight, 6750);
    EXPECT_EQ(OldUserName, QStringLiteral("ABCDEFGH"));
    EXPECT_EQ(Settings.BackColor, 0x00FF00);
    EXPECT_EQ(Settings.HostName.left(4), QStringLiteral("host"));
    EXPECT_EQ(Settings.Port, 4000);
    EXPECT_EQ(EntityAttrs[KindOptionButton].TrimMode, 3);
    EXPECT_EQ(InputForeColor, 0x0000FF);
    EXPECT_EQ(HostDescription.left(4), QStringLiteral("Shop"));
    EXPECT_EQ(SecureConnection, -1);
    EXPECT_EQ(TabletMode, -1);
    EXPECT_EQ(LastUser.left(5), QStringLiteral("alice"));
    EXPECT_EQ(EncryptScripts, -1);
}

TEST(ConfigFile, ShortDataKeepsTheValuesOfWhatItLacks)
{
    FillDistinctValues();
    const QByteArray whole = WriteConfig({});
    struct Case {
        int cut;
        int itemsRead;
    };
    // Cut inside the width's value, inside the attribute records, inside
    // the description and one byte before the end.
    for (const Case c : {Case{0, 0}, Case{61, 5}, Case{600, 9}, Case{1000, 12}, Case{1325, 24}}) {
        FillDistinctValues();
        qint16 sentinel = 99;
        EncryptScripts = sentinel;
        ConfigWindowItems read;
        read.Left = sentinel;
        EXPECT_EQ(ReadConfig(whole.left(c.cut), read), c.itemsRead) << c.cut;
        EXPECT_EQ(EncryptScripts, sentinel) << c.cut;
        EXPECT_EQ(read.Left, c.itemsRead >= 3 ? 0 : sentinel) << c.cut;
    }

    // A width of a type that cannot be sized stops the reading there.
    QByteArray odd = whole;
    Poke<qint16>(odd, 58, 9);
    ConfigWindowItems read;
    SavedWindowHeight = 1;
    EXPECT_EQ(ReadConfig(odd, read), 5);
    EXPECT_EQ(SavedWindowHeight, 1);
}

TEST(ConfigFile, LoadedRules)
{
    struct Case {
        QString lastUser;
        QString expected;
    };
    for (const Case& c : {Case{QString(256, QLatin1Char(' ')), QStringLiteral("old_user")},
                          Case{QString(256, QChar(0)), QStringLiteral("old_user")},
                          Case{FixedWidth(QStringLiteral("bob"), 256), FixedWidth(QStringLiteral("bob"), 256)}}) {
        OldUserName = QStringLiteral("old_user");
        LastUser = c.lastUser;
        EntityAttrs[KindOptionButton].TrimMode = 2;
        EntityAttrs[KindField].TrimMode = 2;
        HostDescription = QStringLiteral("  Shop  ");
        NormaliseLoadedConfig();
        EXPECT_EQ(LastUser, c.expected);
        EXPECT_EQ(EntityAttrs[KindOptionButton].TrimMode, 0);
        EXPECT_EQ(EntityAttrs[KindField].TrimMode, 2);
        EXPECT_EQ(HostDescription, QStringLiteral("Shop"));
    }
}

TEST(ConfigFile, CompanionTextsAndCaptions)
{
    UseScreenCache = 0;
    EXPECT_EQ(CacheValueFileText(), QByteArray("0\r\n"));
    UseScreenCache = 1;
    EXPECT_EQ(CacheValueFileText(), QByteArray("1\r\n"));
    TermId = QStringLiteral("T07");
    EXPECT_EQ(TermIdFileText(), QByteArray("T07\r\n"));

    test::ProgramFolderScope home;
    EXPECT_FALSE(ReadTermIdFile(home.file(QStringLiteral("termid.dat"))).has_value());
    home.write(QStringLiteral("termid.dat"), "POS12\r\nsecond\r\n");
    EXPECT_EQ(ReadTermIdFile(home.file(QStringLiteral("termid.dat"))), QStringLiteral("POS12"));

    const QString v = VersionNumber() + VersionSuffix;
    EXPECT_EQ(ConfigCaption(QStringLiteral("shop.a.ntt")), QStringLiteral("ZOR [shop]  v") + v);
    EXPECT_FALSE(ConfigCaption(QStringLiteral("noext")).has_value());
    EXPECT_EQ(ConfigSessionTitle(QStringLiteral("shop.ntt")),
              QStringLiteral("ZOR v") + VersionNumber() + QStringLiteral(" [shop.ntt]") + VersionSuffix);
}

TEST(ConfigFile, WidthOfAnyNumericTypeMovesTheLaterItems)
{
    FillDistinctValues();
    const QByteArray whole = WriteConfig({});
    auto typed = [](qint16 type, const QByteArray& value) {
        QByteArray bytes(2, '\0');
        Poke<qint16>(bytes, 0, type);
        return bytes + value;
    };
    QByteArray int16(2, '\0'), int32(4, '\0'), dbl(8, '\0'), money(8, '\0');
    Poke<qint16>(int16, 0, 9000);
    Poke<qint32>(int32, 0, 9000);
    Poke<double>(dbl, 0, 9000.0);
    Poke<qint64>(money, 0, 90000000);
    struct Case {
        QByteArray variant;
        std::optional<float> width;
    };
    for (const Case& c : {Case{typed(1, {}), std::nullopt}, Case{typed(2, int16), 9000.0f},
                          Case{typed(3, int32), 9000.0f}, Case{typed(5, dbl), 9000.0f}, Case{typed(6, money), 9000.0f},
                          Case{typed(17, QByteArray(1, '\x64')), 100.0f}}) {
        const QByteArray bytes = whole.left(58) + c.variant + whole.mid(64);
        SavedWindowWidth = 1.0f;
        SavedWindowHeight = 0;
        EncryptScripts = 0;
        ConfigWindowItems read;
        EXPECT_EQ(ReadConfig(bytes, read), ConfigItemCount) << c.variant.toHex().constData();
        EXPECT_EQ(SavedWindowWidth, c.width) << c.variant.toHex().constData();
        EXPECT_EQ(SavedWindowHeight, 7200);
        EXPECT_EQ(EncryptScripts, VbTrue);
    }
}
