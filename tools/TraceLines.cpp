#include "tools/TraceLines.h"

#include "core/Trace.h"

namespace zor {

TraceLines::TraceLines(QObject* parent) : QAbstractListModel(parent), mRows(static_cast<int>(Trace().Lines.size()))
{
    Trace().LineAdded = [this](const QString&) {
        beginInsertRows(QModelIndex(), mRows, mRows);
        ++mRows;
        endInsertRows();
    };
    Trace().FirstLineRemoved = [this]() {
        beginRemoveRows(QModelIndex(), 0, 0);
        --mRows;
        endRemoveRows();
    };
}

TraceLines::~TraceLines()
{
    Trace().LineAdded = nullptr;
    Trace().FirstLineRemoved = nullptr;
}

int TraceLines::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : mRows;
}

QVariant TraceLines::data(const QModelIndex& index, int role) const
{
    if (role == Qt::SizeHintRole && mRowSize.isValid())
        return mRowSize;
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    // The trace drops its first line before it tells; until the row is
    // removed here the rows stand one ahead of the lines.
    const auto& lines = Trace().Lines;
    const qsizetype line = index.row() - (mRows - static_cast<qsizetype>(lines.size()));
    if (line < 0 || line >= static_cast<qsizetype>(lines.size()))
        return {};
    return lines[static_cast<size_t>(line)];
}

void TraceLines::SetRowSize(QSize size)
{
    if (size == mRowSize)
        return;
    beginResetModel();
    mRowSize = size;
    endResetModel();
}

void TraceLines::Clear()
{
    beginResetModel();
    Trace().Lines.clear();
    mRows = 0;
    endResetModel();
}

} // namespace zor
