#include "interpreter/CommandTable.h"

#include "interpreter/Interpreter.h"

#include <algorithm>
#include <array>

namespace zor {

namespace {

using I = Interpreter;

// Pairs that share one body appear twice with the same handler.
constexpr std::array<CommandEntry, 46> Commands = {{
    {"to", true, &I::CreateEntity},
    {"rp", true, &I::ReplaceEntity},
    {"ob", true, &I::AddOption},
    {"mh", true, &I::AddPageHeader},
    {"bx", true, &I::AddBox},
    {"im", true, &I::AddImage},
    {"image", true, &I::AddImage},
    {"cs", false, &I::ClearScreen},
    {"dr", false, &I::Redraw},
    {"lv", true, &I::SelectLevel},
    {"sw", true, &I::OpenSubWindow},
    {"sv", true, &I::SaveScreen},
    {"pd", true, &I::RestoreScreen},
    {"test", true, &I::SwitchTestMode},
    {"in", true, &I::RequestInput},
    {"dl", true, &I::QueueAnswer},
    {"ib", true, &I::AskInput},
    {"rh", true, &I::ReportHead},
    {"re", false, &I::ReportEnd},
    {"pi", false, &I::PrinterInfo},
    {"com", false, &I::SwitchComMode},
    {"ph", false, &I::OpenProcedure},
    {"on", false, &I::OpenProcedure},
    {"pe", false, &I::CloseProcedure},
    {"off", false, &I::CloseProcedure},
    {"sm", true, &I::StatusMessage},
    {"sb", true, &I::StatusBarText},
    {"tb", true, &I::AddToolbarItem},
    {"help", true, &I::InlineHelp},
    {"vs", true, &I::SaveScreenCache},
    {"vl", true, &I::LoadScreenCache},
    {"vn", false, &I::ReplyVersion},
    {"sig", false, &I::NoEffect},
    {"pdf", false, &I::NoEffect},
    {"mv", true, &I::OpenMultiValueEditor},
    {"tk", true, &I::OpenTenKeyPad},
    {"ls", true, &I::StartList},
    {"ld", true, &I::AddListLine},
    {"le", false, &I::EndList},
    {"is", true, &I::StartItemList},
    {"id", true, &I::AddItemListLine},
    {"ie", true, &I::ShowItemList},
    {"mb", true, &I::ShowMessageBox},
    {"pl", true, &I::ShowParameters},
    {"pb", true, &I::ShowProgress},
    {"go", false, &I::FillMenuTree},
}};

// Codes are at most this long, so a code fits one integer key.
constexpr qsizetype LongestCode = 5;

// The code's letters, lower-cased, packed into one key; 0 for a text that
// cannot be a code (too long, empty, or holding anything but ASCII letters).
quint64 KeyOf(QStringView code)
{
    if (code.isEmpty() || code.size() > LongestCode)
        return 0;
    quint64 key = 0;
    for (QChar c : code) {
        char16_t u = c.unicode();
        if (u >= u'A' && u <= u'Z')
            u = static_cast<char16_t>(u - u'A' + u'a');
        else if (u < u'a' || u > u'z')
            return 0;
        key = key << 8 | u;
    }
    return key;
}

struct KeyedEntry {
    quint64 key;
    const CommandEntry* entry;
    bool operator<(const KeyedEntry& other) const { return key < other.key; }
};

std::array<KeyedEntry, Commands.size()> MakeIndex()
{
    std::array<KeyedEntry, Commands.size()> index{};
    for (size_t i = 0; i < Commands.size(); ++i) {
        index[i] = {KeyOf(QString::fromLatin1(Commands[i].code)), &Commands[i]};
    }
    std::sort(index.begin(), index.end());
    return index;
}

} // namespace

std::span<const CommandEntry> CommandEntries()
{
    return Commands;
}

const CommandEntry* FindCommand(QStringView code)
{
    static const std::array<KeyedEntry, Commands.size()> index = MakeIndex();
    const quint64 key = KeyOf(code);
    if (key == 0)
        return nullptr;
    const auto found = std::lower_bound(index.begin(), index.end(), KeyedEntry{key, nullptr});
    return found != index.end() && found->key == key ? found->entry : nullptr;
}

} // namespace zor
