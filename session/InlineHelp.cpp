#include "session/InlineHelp.h"

#include "core/Colors.h"
#include "core/Trace.h"

#include <QFontMetrics>

namespace zor {

namespace {

const QString HelpTag = QStringLiteral("HELP");

} // namespace

HelpLine ParseHelpLine(const QString& line)
{
    if (line.startsWith(QLatin1Char('+'))) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            return {HelpLine::Directive, line.mid(1), QString()};
        return {HelpLine::Directive, line.mid(1, equals - 1).trimmed().toLower(), line.mid(equals + 1).trimmed()};
    }
    if (line.startsWith(QLatin1Char('{')) || line.startsWith(QLatin1Char('}')))
        return {HelpLine::Ignored, QString(), QString()};
    return {HelpLine::Text, QString(), QString()};
}

std::optional<qint32> HelpColour(const QString& value)
{
    bool ok = false;
    if (value.startsWith(QLatin1String("&h"), Qt::CaseInsensitive)) {
        const QString digits = value.mid(2);
        const uint colour = digits.toUInt(&ok, 16);
        if (!ok || digits.size() > 8)
            return std::nullopt;
        return static_cast<qint32>(colour);
    }
    const int index = value.toInt(&ok);
    if (!ok || index < 0 || index > 15)
        return std::nullopt;
    return QBColor(index);
}

std::optional<bool> HelpBoolean(const QString& value)
{
    if (value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (value.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return number != 0;
}

HelpPage::HelpPage() : font_(QStringLiteral("MS Sans Serif"), 8) {}

int HelpPage::LineHeight() const
{
    return QFontMetrics(font_).height();
}

void HelpPage::Clear()
{
    items_.clear();
    printY_ = 0;
    dropTraced_ = false;
}

int HelpPage::Apply(const QString& line, int captionHeight)
{
    const HelpLine parsed = ParseHelpLine(line);
    switch (parsed.kind) {
    case HelpLine::Directive:
        ApplyDirective(parsed, captionHeight);
        return 0;
    case HelpLine::Ignored:
        return 0;
    case HelpLine::Text:
        break;
    }
    return Print(line);
}

int HelpPage::Print(const QString& text)
{
    const QString shown = text.left(MaxLineLength);
    const int height = LineHeight();
    if (printY_ + height > MaxHeight || !Add({printY_, height, shown, font_, fore_, false}))
        return 0;
    printY_ += height;
    return QFontMetrics(font_).horizontalAdvance(shown);
}

bool HelpPage::Add(Item item)
{
    if (static_cast<int>(items_.size()) >= MaxItems) {
        if (!dropTraced_)
            WriteTrace(HelpTag, QStringLiteral("the help page is full; further lines are dropped"));
        dropTraced_ = true;
        return false;
    }
    items_.push_back(std::move(item));
    return true;
}

void HelpPage::ApplyDirective(const HelpLine& line, int captionHeight)
{
    const QString& key = line.key;
    const QString& value = line.value;
    auto refuse = [&line] { WriteTrace(HelpTag, QStringLiteral("ignored +%1=%2").arg(line.key, line.value)); };
    if (key == QLatin1String("color") || key == QLatin1String("back")) {
        const std::optional<qint32> colour = HelpColour(value);
        if (!colour)
            return refuse();
        (key == QLatin1String("color") ? fore_ : back_) = ToQColor(*colour);
    } else if (key == QLatin1String("font")) {
        if (value.isEmpty())
            return refuse();
        font_.setFamily(value);
    } else if (key == QLatin1String("italic") || key == QLatin1String("bold") || key == QLatin1String("underline")) {
        const std::optional<bool> on = HelpBoolean(value);
        if (!on)
            return refuse();
        if (key == QLatin1String("italic"))
            font_.setItalic(*on);
        else if (key == QLatin1String("underline"))
            font_.setUnderline(*on);
        else {
            font_.setBold(*on);
            printY_ = captionHeight;
        }
    } else if (key == QLatin1String("size")) {
        bool ok = false;
        const double points = value.toDouble(&ok);
        if (!ok || points < MinPoints || points > MaxPoints)
            return refuse();
        font_.setPointSizeF(points);
    } else if (key == QLatin1String("line")) {
        Add({printY_, 1, QString(), font_, fore_, true});
    } else if (key == QLatin1String("clear")) {
        Clear();
    }
}

} // namespace zor
