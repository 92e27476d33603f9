#pragma once

#include "core/Records.h"

namespace zor {

// Resets the settings record, the session switches and the attribute records
// of kinds 0..11 to their defaults.
void SetDefaultAppearance();

// The entity the style editor draws each kind's record on: "Sample Entity"
// in a box of pixels (a "[design]" entity), a record of its own so that no
// host screen can move or replace it.
Entity StyleSample();

} // namespace zor
