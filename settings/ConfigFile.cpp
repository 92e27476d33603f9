#include "settings/ConfigFile.h"

#include "core/PackedIO.h"
#include "core/ProgramFolder.h"
#include "core/SharedState.h"
#include "core/Text.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

namespace zor {

namespace {

// Type codes of the typed value that holds the window width.
enum VariantType : qint16 {
    VariantEmpty = 0,
    VariantNull = 1,
    VariantInteger = 2,
    VariantLong = 3,
    VariantSingle = 4,
    VariantDouble = 5,
    VariantCurrency = 6,
    VariantDate = 7,
    VariantBoolean = 11,
    VariantByte = 17,
};

// A double in the float's range; anything wider is no window size anyway.
float ToSingle(double value)
{
    constexpr double largest = std::numeric_limits<float>::max();
    return static_cast<float>(std::isnan(value) ? value : std::clamp(value, -largest, largest));
}

void WriteWidth(PackedWriter& out, const std::optional<float>& width)
{
    if (!width) {
        out.Int16(VariantEmpty);
        return;
    }
    out.Int16(VariantSingle);
    out.Single(*width);
}

// One value of the given packed type, as a width.
template <typename T> bool ReadNumber(PackedReader& in, bool (PackedReader::*read)(T&), std::optional<float>& width)
{
    T value{};
    if (!(in.*read)(value))
        return false;
    width = ToSingle(static_cast<double>(value));
    return true;
}

bool ReadDouble(PackedReader& in, std::optional<float>& width)
{
    qint64 bits = 0;
    if (!in.Int64(bits))
        return false;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    width = ToSingle(value);
    return true;
}

bool ReadCurrency(PackedReader& in, std::optional<float>& width)
{
    Currency value;
    if (!in.Money(value))
        return false;
    width = ToSingle(value.toDouble());
    return true;
}

// The width in whatever numeric type the file holds it. A type this reader
// cannot size leaves the position unknown, so reading stops there.
bool ReadWidth(PackedReader& in, std::optional<float>& width)
{
    qint16 type = 0;
    if (!in.Int16(type))
        return false;
    switch (type) {
    case VariantEmpty:
    case VariantNull:
        width.reset();
        return true;
    case VariantInteger:
    case VariantBoolean:
        return ReadNumber(in, &PackedReader::Int16, width);
    case VariantLong:
        return ReadNumber(in, &PackedReader::Int32, width);
    case VariantSingle:
        return ReadNumber(in, &PackedReader::Single, width);
    case VariantDouble:
    case VariantDate:
        return ReadDouble(in, width);
    case VariantCurrency:
        return ReadCurrency(in, width);
    case VariantByte:
        return ReadNumber(in, &PackedReader::Byte, width);
    default:
        return false;
    }
}

} // namespace

QByteArray WriteConfig(const ConfigWindowItems& window)
{
    PackedWriter out;
    out.Fixed(window.FontName, ConfigFontNameWidth);
    out.Int16(window.FontBold);
    out.Int16(window.Left);
    out.Int16(window.Top);
    out.Int16(window.WindowState);
    WriteWidth(out, SavedWindowWidth);
    out.Int16(SavedWindowHeight);
    out.Fixed(OldUserName, ConfigOldUserWidth);
    Write(out, Settings);
    for (int kind = KindFieldCaption; kind <= KindImageDisplay; ++kind)
        Write(out, EntityAttrs[kind]);
    out.Int32(InputForeColor);
    out.Int32(InputBackColor);
    out.Fixed(HostDescription, ConfigFontNameWidth);
    out.Int16(ComPortPacing);
    out.Int16(ComPortBlockSize);
    out.Int16(ComPortPause);
    out.Int16(KioskMode);
    out.Int16(SendFunKeys);
    out.Int16(SecureConnection);
    out.Int16(ConfigReserved);
    out.Int16(SuppressLF);
    out.Int16(ExitOnDisconnect);
    out.Int16(TabletMode);
    out.Fixed(LastUser, ConfigLastUserWidth);
    out.Int16(EncryptScripts);
    return out.data();
}

int ReadConfig(const QByteArray& data, ConfigWindowItems& window)
{
    PackedReader in(data);
    auto attrs = [&in] {
        bool whole = true;
        for (int kind = KindFieldCaption; kind <= KindImageDisplay && whole; ++kind)
            whole = Read(in, EntityAttrs[kind]);
        return whole;
    };
    const std::function<bool()> items[ConfigItemCount] = {
        [&] { return in.Fixed(window.FontName, ConfigFontNameWidth); },
        [&] { return in.Int16(window.FontBold); },
        [&] { return in.Int16(window.Left); },
        [&] { return in.Int16(window.Top); },
        [&] { return in.Int16(window.WindowState); },
        [&] { return ReadWidth(in, SavedWindowWidth); },
        [&] { return in.Int16(SavedWindowHeight); },
        [&] { return in.Fixed(OldUserName, ConfigOldUserWidth); },
        [&] { return Read(in, Settings); },
        attrs,
        [&] { return in.Int32(InputForeColor); },
        [&] { return in.Int32(InputBackColor); },
        [&] { return in.Fixed(HostDescription, ConfigFontNameWidth); },
        [&] { return in.Int16(ComPortPacing); },
        [&] { return in.Int16(ComPortBlockSize); },
        [&] { return in.Int16(ComPortPause); },
        [&] { return in.Int16(KioskMode); },
        [&] { return in.Int16(SendFunKeys); },
        [&] { return in.Int16(SecureConnection); },
        [&] { return in.Int16(ConfigReserved); },
        [&] { return in.Int16(SuppressLF); },
        [&] { return in.Int16(ExitOnDisconnect); },
        [&] { return in.Int16(TabletMode); },
        [&] { return in.Fixed(LastUser, ConfigLastUserWidth); },
        [&] { return in.Int16(EncryptScripts); },
    };
    int read = 0;
    while (read < ConfigItemCount && items[read]())
        ++read;
    return read;
}

void NormaliseLoadedConfig()
{
    EntityAttrs[KindOptionButton].TrimMode = 0;
    Settings.HostName = Trim(Settings.HostName);
    HostDescription = Trim(HostDescription);
    Settings.BackImageFile = Trim(Settings.BackImageFile);
    if (TrimBlanksAndNuls(LastUser).isEmpty())
        LastUser = OldUserName;
}

QByteArray CacheValueFileText()
{
    return QByteArray::number(UseScreenCache) + "\r\n";
}

void LoadCacheValue()
{
    QFile file(ProgramFile(QStringLiteral("cacheval.dat")));
    if (!file.open(QIODevice::ReadOnly)) {
        UseScreenCache = 1;
        return;
    }
    bool ok = false;
    const int value = QString::fromLatin1(file.readLine()).trimmed().toInt(&ok);
    UseScreenCache = ok ? static_cast<qint16>(value) : 1;
}

QByteArray TermIdFileText()
{
    return ToBytes(TermId) + "\r\n";
}

std::optional<QString> ReadTermIdFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray content = file.readAll();
    if (content.isEmpty())
        return std::nullopt;
    qsizetype end = 0;
    while (end < content.size() && content.at(end) != '\r' && content.at(end) != '\n')
        ++end;
    return FromBytes(content.left(end));
}

std::optional<QString> ConfigCaption(const QString& configFile)
{
    const qsizetype dot = configFile.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return std::nullopt;
    return QStringLiteral("ZOR [") + configFile.left(dot) + QStringLiteral("]  v") + VersionNumber() + VersionSuffix;
}

QString ConfigSessionTitle(const QString& configFile)
{
    return QStringLiteral("ZOR v") + VersionNumber() + QStringLiteral(" [") + configFile + QLatin1Char(']') +
           VersionSuffix;
}

ConfigName ConfigNameRule(const QString& typed)
{
    const QString ending = QStringLiteral(".ntt");
    QString file = typed;
    const qsizetype dot = typed.indexOf(QLatin1Char('.'));
    if (dot < 0)
        file += ending;
    else if (!typed.endsWith(ending, Qt::CaseInsensitive))
        file = typed.left(dot) + ending;
    // The launcher lists no hidden file: a name starting with "." would be a
    // configuration nobody can pick again.
    if (typed.contains(QStringLiteral("..")) || !IsSafeFileNamePart(typed) ||
        !IsSafeFileNamePart(CompanionBaseName(file)))
        return {QString(), QStringLiteral("A configuration name must not be blank or begin with \".\", and it may "
                                          "hold no \"/\", \"\\\", \"..\" or control characters: it names a "
                                          "file in the program folder.")};
    return {file, QString()};
}

} // namespace zor
