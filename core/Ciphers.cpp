#include "core/Ciphers.h"

#include "core/SharedState.h"
#include "core/Trace.h"

#include <QRandomGenerator>
#include <array>

namespace zor {

namespace {

// Fixed for good: hosts encipher with the same keys, so changing one breaks
// every host screen and reply file that uses it.
constexpr std::array<const char*, 31> KeyTable = {
    "4817203956", "7302918465", "1594837260", "8263519074", "3940172856", "6028471395", "9175302648", "2746081935",
    "5381926047", "0619475382", "7452816903", "3198064527", "8527391640", "1063847259", "6894250317", "4201736985",
    "9730586142", "2586917034", "5049283716", "8615042973", "3372950681", "7908164325", "1437209856", "6582731409",
    "0295846173", "4760391528", "9123658740", "2851074693", "5614920387", "8097365214", "3526187049",
};

QChar Shift(QChar c, int delta)
{
    return QChar(static_cast<ushort>((c.unicode() + delta) & 0xFF));
}

QString ApplyKey(const QString& text, int keyIndex, int direction)
{
    if (keyIndex < 0 || keyIndex >= ScriptKeySlots)
        return text;
    const QString& key = ScriptKeys[static_cast<size_t>(keyIndex)];
    if (key.isEmpty())
        return text;
    QString result(text.size(), Qt::Uninitialized);
    int k = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        k = k % 10 + 1;
        const int digit = k <= key.size() ? key.at(k - 1).digitValue() : 0;
        result[i] = Shift(text.at(i), direction * qMax(digit, 0));
    }
    return result;
}

} // namespace

void LoadScriptKeys()
{
    for (size_t i = 0; i < KeyTable.size(); ++i)
        ScriptKeys[i + 1] = QString::fromLatin1(KeyTable[i]);
}

QString ScrambleText(const QString& text)
{
    QString result;
    result.reserve(text.size() * 2);
    for (QChar c : text) {
        result.append(Shift(c, 100));
        result.append(QChar(static_cast<ushort>(100 + QRandomGenerator::global()->bounded(100))));
    }
    return result;
}

QString UnscrambleText(const QString& text)
{
    QString result;
    result.reserve(text.size() / 2 + 1);
    for (qsizetype i = 0; i < text.size(); i += 2)
        result.append(Shift(text.at(i), -100));
    return result;
}

QString EncryptWithKey(const QString& text, int keyIndex)
{
    return ApplyKey(text, keyIndex, +1);
}
QString DecryptWithKey(const QString& text, int keyIndex)
{
    return ApplyKey(text, keyIndex, -1);
}

QString EncryptScript(const QString& text, int keyIndex)
{
    WriteTrace(QStringLiteral("EncryptScript"), QStringLiteral("start: ") + text);
    const QString result = ScriptMarker + EncryptWithKey(text, keyIndex);
    WriteTrace(QStringLiteral("EncryptScript"), QStringLiteral("End: ") + result);
    return result;
}

QString DecryptScript(QString& text, int keyIndex)
{
    WriteTrace(QStringLiteral("DecryptScript"), QStringLiteral("Start: ") + text);
    QString result = text;
    if (text.startsWith(ScriptMarker)) {
        text = text.mid(ScriptMarker.size());
        result = DecryptWithKey(text, keyIndex);
    }
    WriteTrace(QStringLiteral("DecryptScript"), QStringLiteral("End: ") + text);
    return result;
}

} // namespace zor
