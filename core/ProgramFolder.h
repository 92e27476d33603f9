#pragma once

#include <QString>

namespace zor {

// The program folder: where the configuration, the reply lists, the cache and
// the default backdrop live. ZOR_HOME names it; otherwise the executable's.
QString ProgramFolder();

// A file in the program folder.
QString ProgramFile(const QString& name);

// A name that may stand as part of a file name in the program folder (a host
// description before ".dat"): not blank, not hidden, no folder separator and
// no control character, so the file it names stays in the folder and can be
// created there.
bool IsSafeFileNamePart(const QString& name);

// The name every companion file of a configuration starts with (the serial
// settings, the printer map, the launcher's copies): the configuration's name
// without its ".ntt" ending, so "a.b.ntt" and "a.c.ntt" never share files.
QString CompanionBaseName(const QString& configFile);

} // namespace zor
