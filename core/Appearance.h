#pragma once

namespace zor {

// Resets the settings record, the session switches and the attribute records
// of kinds 0..11 to their defaults.
void SetDefaultAppearance();

} // namespace zor
