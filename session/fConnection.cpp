#include "session/fConnection.h"

#include "core/Dialogs.h"

namespace zor {

fConnection& fConnection::instance()
{
    static fConnection* window = new fConnection();
    return *window;
}

fConnection::fConnection()
{
    setObjectName(QStringLiteral("fConnection"));
    resize(640, 480);
    Dialogs::SetParentWindow(this);
}

} // namespace zor
