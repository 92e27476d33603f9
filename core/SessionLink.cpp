#include "core/SessionLink.h"

namespace zor {

SessionLink& Link()
{
    static SessionLink link;
    return link;
}

} // namespace zor
