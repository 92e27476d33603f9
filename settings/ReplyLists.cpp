#include "settings/ReplyLists.h"

#include "settings/Properties.h"

#include <QListWidget>

namespace zor {

void SetTempList()
{
    Properties& window = Properties::instance();
    window.List6->clear();
    for (int i = 0; i < window.List5->count(); ++i)
        window.List6->addItem(window.List5->item(i)->text());
}

} // namespace zor
