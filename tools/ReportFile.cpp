#include "tools/ReportFile.h"

#include "core/Fields.h"
#include "core/NumberConversion.h"
#include "core/Rounding.h"
#include "core/TextFile.h"

#include <cmath>

namespace zor {

namespace {

constexpr int HeaderFields = 6;

bool IsSet(const QString& field)
{
    return field.trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || Val(field) != 0;
}

// The header's look, or the reason it cannot be used.
std::optional<ReportHeader> ParseHeader(const QString& line, QString& error)
{
    if (line.count(QLatin1Char(',')) < HeaderFields - 1) {
        error = QStringLiteral("its header line is incomplete");
        return std::nullopt;
    }
    const QChar comma = QLatin1Char(',');
    ReportHeader header;
    const double colour = RoundHalfEven(Val(GetField(line, 2, comma)));
    if (!(colour >= 0 && colour <= 0xFFFFFF)) {
        error = QStringLiteral("the colour in its header is out of range");
        return std::nullopt;
    }
    header.BarColor = static_cast<qint32>(colour);
    header.FontName = GetField(line, 3, comma).trimmed();
    if (header.FontName.isEmpty()) {
        error = QStringLiteral("its header names no font");
        return std::nullopt;
    }
    header.Bold = IsSet(GetField(line, 4, comma));
    header.Italic = IsSet(GetField(line, 5, comma));
    header.Size = Val(GetField(line, 6, comma));
    if (!(header.Size >= MinReportFontSize && header.Size <= MaxReportFontSize)) {
        error = QStringLiteral("the font size in its header is out of range");
        return std::nullopt;
    }
    return header;
}

QString Flag(bool on)
{
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

ReportFileRead ReadReportFile(const QString& path)
{
    ReportFileRead result;
    TextFileRead file = ReadTextFile(path);
    if (file.Missing) {
        result.Error = QStringLiteral("the file does not exist");
        return result;
    }
    if (!file.Ok()) {
        result.Error = file.Error;
        return result;
    }
    result.Lines = std::move(file.Lines);
    if (!result.Lines.isEmpty() &&
        GetField(result.Lines.front(), 1, QLatin1Char(',')).compare(QLatin1String("mf"), Qt::CaseInsensitive) == 0) {
        result.Header = ParseHeader(result.Lines.front(), result.Error);
        if (!result.Header) {
            result.Lines.clear();
            return result;
        }
        result.Lines.removeFirst();
    }
    return result;
}

QString ReportHeaderLine(const ReportHeader& header)
{
    return QStringList{QStringLiteral("MF"), QString::number(header.BarColor),    header.FontName, Flag(header.Bold),
                       Flag(header.Italic),  QString::number(header.Size, 'g', 7)}
        .join(QLatin1Char(','));
}

QByteArray ReportFileBytes(const QStringList& rows, const std::optional<ReportHeader>& header)
{
    if (!header)
        return TextFileBytes(rows);
    return TextFileBytes(QStringList{ReportHeaderLine(*header)}) + TextFileBytes(rows);
}

} // namespace zor
