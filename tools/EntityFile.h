#pragma once

#include "core/Records.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace zor {

// The binary entity file: the entity records of a screen, 255 bytes each in
// their packed layout, in table order, with no header.

QByteArray EntityFileBytes(const Entity* entities, int count);

struct EntityFileRead {
    QString Error; // why the file was refused; empty when it was read
    std::vector<Entity> Entities;
    bool Ok() const { return Error.isEmpty(); }
};

// The records of a file's bytes. A file that is not whole records, holds
// more than the table has room for, or a record of no known kind is refused
// as a whole, so that a screen is never loaded in part.
EntityFileRead ReadEntityFile(const QByteArray& bytes);

} // namespace zor
