#pragma once

namespace zor {

// Refills the settings window's session reply copy (List6) from the session
// replies (List5); the log-on dialog calls it on OK so that the replies the
// matcher uses are those of the host the user logged on to.
void SetTempList();

} // namespace zor
