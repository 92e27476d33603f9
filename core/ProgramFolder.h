#pragma once

#include <QString>

namespace zor {

// The program folder: where the configuration, the reply lists, the cache and
// the default backdrop live. ZOR_HOME names it; otherwise the executable's.
QString ProgramFolder();

// A file in the program folder.
QString ProgramFile(const QString& name);

} // namespace zor
