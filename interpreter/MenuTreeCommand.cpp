// The menu tree command: the host's menu entries, one unit each, fill the
// session's menu tree.
#include "core/NumberConversion.h"
#include "core/Rounding.h"
#include "core/Text.h"
#include "core/Trace.h"
#include "interpreter/CommandUnit.h"
#include "interpreter/Interpreter.h"
#include "tools/MenuTree.h"
#include "tools/fJump.h"

namespace zor {

void Interpreter::FillMenuTree(const CommandUnit& unit)
{
    // The window exists, hidden, from the first unit on, so that it shows
    // each entry as it comes and opens at once.
    fJump::instance();
    MenuTree& tree = SessionMenuTree();
    if (IsBlank(unit.Field(2))) {
        tree.Clear();
        return;
    }
    const int image = ToInteger(Val(unit.Field(4))).value_or(0);
    // The entry is kept with the default picture rather than lost.
    if (!MenuTree::IsImage(image))
        WriteTrace(QStringLiteral("Process"),
                   QStringLiteral("No menu tree picture %1, the entry shows the default: ").arg(unit.FieldText(4)) +
                       unit.Text());
    tree.AddEntry(unit.Field(2), unit.FieldText(3), image);
    AddToHistory(unit);
}

} // namespace zor
