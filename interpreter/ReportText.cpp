#include "interpreter/ReportText.h"

#include "core/NumberConversion.h"
#include "core/Trace.h"
#include "devices/ModPrinter.h"
#include "tools/ReportStore.h"

#include <cmath>
#include <optional>

namespace zor {

namespace {

struct NamedCode {
    QLatin1String name;
    char16_t code;
};
const NamedCode NamedCodes[] = {{QLatin1String("<!esc!>"), 27},
                                {QLatin1String("<!cr!>"), 13},
                                {QLatin1String("<!ff!>"), 12},
                                {QLatin1String("<!stx!>"), 2},
                                {QLatin1String("<!etx!>"), 3}};
const QString Tag = QStringLiteral("ControlCharReplace");

// The code of three characters that form a number 0..255, or -1.
int NumericCode(QStringView digits)
{
    if (digits.size() != 3)
        return -1;
    bool ok = false;
    const double value = digits.trimmed().toDouble(&ok);
    if (!ok)
        return -1;
    const double code = std::nearbyint(value);
    return code >= 0 && code <= 255 ? static_cast<int>(code) : -1;
}

// A host number rounded as the interpreter rounds, if it falls in lo..hi.
std::optional<int> NumberIn(QStringView field, int lo, int hi)
{
    const double value = std::nearbyint(Val(field));
    if (!(value >= lo && value <= hi))
        return std::nullopt;
    return static_cast<int>(value);
}

} // namespace

int TargetPrinterOf(QStringView field)
{
    // Types 1..8 print at "re"; anything else shows the viewer.
    const std::optional<int> type = NumberIn(field, 1, 8);
    return type ? *type - 1 : -1;
}

int PrinterInfoTypeOf(QStringView field)
{
    const std::optional<int> type = NumberIn(field, 1, 10);
    return type ? *type - 1 : ReportPrinterType;
}

QString RawReportText(const QStringList& rows, qsizetype count)
{
    count = std::min(count, rows.size());
    qsizetype size = 0;
    for (qsizetype i = 0; i < count; ++i)
        size += rows[i].size() + 2;
    QString text;
    text.reserve(size);
    for (qsizetype i = 0; i < count; ++i) {
        if (rows[i].compare(PageBreakRow, Qt::CaseInsensitive) == 0) {
            text += QChar(0x0c);
            continue;
        }
        text += rows[i];
        text += QLatin1String("\r\n");
    }
    return text;
}

namespace {

// What one "<!" marker stands for, and how many characters of the text it
// takes from the marker on.
struct MarkerReplacement {
    QChar code;
    qsizetype taken;
};

// Each "<!" replaced as `replace` says, read from the marker on; one it
// gives nothing for stays as it is.
template <typename Replace> QString ReplaceMarkers(const QString& text, Replace replace)
{
    const QStringView view(text);
    QString out;
    out.reserve(text.size());
    qsizetype at = 0;
    for (;;) {
        const qsizetype marker = text.indexOf(QLatin1String("<!"), at);
        if (marker < 0)
            break;
        out += view.mid(at, marker - at);
        at = marker;
        if (const std::optional<MarkerReplacement> replaced = replace(view.mid(at))) {
            out += replaced->code;
            at = std::min(at + replaced->taken, text.size());
        } else {
            out += QLatin1String("<!");
            at += 2;
        }
    }
    out += view.mid(at);
    return out;
}

// The named code a marker begins, if any. A name cannot overlap another, so
// one scan finds them all.
std::optional<MarkerReplacement> NamedCodeAt(QStringView rest)
{
    for (const NamedCode& code : NamedCodes) {
        if (rest.startsWith(code.name))
            return MarkerReplacement{QChar(code.code), code.name.size()};
    }
    return std::nullopt;
}

// A "<!" with three digits, taking the two characters after them along; any
// other "<!" stays, and is traced.
std::optional<MarkerReplacement> NumericCodeAt(QStringView rest)
{
    const int code = NumericCode(rest.mid(2, 3));
    if (code >= 0)
        return MarkerReplacement{QChar(code), 7};
    WriteTrace(Tag, QStringLiteral("Non-Numeric charectors found!"));
    return std::nullopt;
}

} // namespace

QString ReplaceControlCodes(const QString& text)
{
    // A numeric code counts its two trailing characters in the text the
    // named codes have already been replaced in.
    return ReplaceMarkers(ReplaceMarkers(text, NamedCodeAt), NumericCodeAt);
}

QString CutAfterLastFormFeed(const QString& text)
{
    const qsizetype last = text.lastIndexOf(QChar(0x0c));
    return last < 0 ? text : text.left(last + 1);
}

} // namespace zor
