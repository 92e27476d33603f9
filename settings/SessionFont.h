#pragma once

#include <QString>

namespace zor {

class fConnection;

// The session window's font: the drawing surfaces (Work, MainPic, lvMainPic)
// and the input boxes take the name, the bold and the italic of it together.
void SetFontName(fConnection& session, const QString& name);
// The entry list of the item lists shows bold text as the input boxes do.
void SetFontBold(fConnection& session, bool bold);
void SetFontItalic(fConnection& session, bool italic);

} // namespace zor
