#pragma once

#include <QStringView>
#include <span>

namespace zor {

class CommandUnit;
class Interpreter;

// One command code: whether the unit must hold a "^" for it to run, and the
// interpreter's handler (null until that command group is built: such a
// unit is traced and ignored, never taken for plain text).
struct CommandEntry {
    const char* code; // lower case
    bool needsCaret;
    void (Interpreter::*handler)(const CommandUnit& unit);
};

// The entry of a command code compared whole and without regard to case, or
// null when the text is no command (plain text).
const CommandEntry* FindCommand(QStringView code);

// Every entry, in the table's order.
std::span<const CommandEntry> CommandEntries();

} // namespace zor
