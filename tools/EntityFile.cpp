#include "tools/EntityFile.h"

#include "core/PackedIO.h"
#include "core/SharedState.h"

namespace zor {

namespace {

// Kinds 0..20 have attribute records; anything else was never written here.
constexpr int KindLimit = 21;

} // namespace

QByteArray EntityFileBytes(const Entity* entities, int count)
{
    PackedWriter out;
    for (int i = 0; i < count; ++i)
        Write(out, entities[i]);
    return out.data();
}

EntityFileRead ReadEntityFile(const QByteArray& bytes)
{
    EntityFileRead result;
    if (bytes.size() % Entity::PackedSize != 0) {
        result.Error = QStringLiteral("it is not made of whole entity records (%1 bytes)").arg(bytes.size());
        return result;
    }
    const qsizetype count = bytes.size() / Entity::PackedSize;
    if (count > EntitySlots) {
        result.Error =
            QStringLiteral("it holds %1 entities, more than the %2 a screen has room for").arg(count).arg(EntitySlots);
        return result;
    }
    result.Entities.resize(static_cast<size_t>(count));
    PackedReader in(bytes);
    for (qsizetype i = 0; i < count; ++i) {
        Entity& entity = result.Entities[static_cast<size_t>(i)];
        Read(in, entity);
        if (entity.EntityType < 0 || entity.EntityType >= KindLimit) {
            result.Entities.clear();
            result.Error = QStringLiteral("entity %1 is of no known kind (%2)").arg(i + 1).arg(entity.EntityType);
            return result;
        }
    }
    return result;
}

} // namespace zor
