#include "settings/SessionFont.h"

#include "session/fConnection.h"

#include <QLineEdit>
#include <QListWidget>
#include <initializer_list>

namespace zor {

namespace {

template <typename Change> void ChangeFonts(fConnection& session, std::initializer_list<QWidget*> boxes, Change change)
{
    change(session.WorkFont);
    change(session.MainPic->DrawFont);
    change(session.lvMainPic->DrawFont);
    for (QWidget* box : boxes) {
        QFont font = box->font();
        change(font);
        box->setFont(font);
    }
}

} // namespace

void SetFontName(fConnection& session, const QString& name)
{
    ChangeFonts(session, {session.INText, session.lvINText}, [&name](QFont& font) { font.setFamily(name); });
}

void SetFontBold(fConnection& session, bool bold)
{
    ChangeFonts(session, {session.INText, session.lvINText, session.ILList[0]},
                [bold](QFont& font) { font.setBold(bold); });
}

void SetFontItalic(fConnection& session, bool italic)
{
    ChangeFonts(session, {session.INText, session.lvINText}, [italic](QFont& font) { font.setItalic(italic); });
}

} // namespace zor
