#include "settings/ReplyLists.h"

#include "core/WindowUtils.h"
#include "settings/Properties.h"

#include <QListWidget>

namespace zor {

void SetTempList()
{
    Properties& window = Properties::instance();
    window.List6->clear();
    window.List6->addItems(ListItems(*window.List5));
}

} // namespace zor
