#include "tools/TraceLines.h"

#include "core/Trace.h"
#include "core/WindowUtils.h"

#include <algorithm>

namespace zor {

TraceLines::TraceLines(QObject* parent) : QAbstractListModel(parent), mRows(static_cast<int>(Trace().Lines.size()))
{
    mUpdateTimer.setSingleShot(true);
    connect(&mUpdateTimer, &QTimer::timeout, this, &TraceLines::Update);
    Trace().LineAdded = [this](const QString&) { UpdateLater(); };
    Trace().FirstLineRemoved = [this]() {
        ++mFirstTraceLine;
        UpdateLater();
    };
}

TraceLines::~TraceLines()
{
    Trace().LineAdded = nullptr;
    Trace().FirstLineRemoved = nullptr;
}

void TraceLines::UpdateLater()
{
    if (mUpdateTimer.isActive())
        return;
    const qint64 since = mSinceUpdate.isValid() ? mSinceUpdate.elapsed() : FrameMs;
    mUpdateTimer.start(static_cast<int>(std::max<qint64>(0, FrameMs - since)));
}

void TraceLines::Update()
{
    mUpdateTimer.stop();
    mSinceUpdate.start();
    const qint64 dropped = std::min<qint64>(mFirstTraceLine - mFirstRowLine, mRows);
    if (dropped > 0) {
        beginRemoveRows(QModelIndex(), 0, static_cast<int>(dropped - 1));
        mRows -= static_cast<int>(dropped);
        mFirstRowLine += dropped;
        endRemoveRows();
    }
    // Rows of lines that came and went between two updates were never shown.
    mFirstRowLine = std::max(mFirstRowLine, mFirstTraceLine);
    const int lines = static_cast<int>(Trace().Lines.size());
    if (lines > mRows) {
        beginInsertRows(QModelIndex(), mRows, lines - 1);
        mRows = lines;
        endInsertRows();
    }
    emit RowsUpdated();
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
    const auto& lines = Trace().Lines;
    const qint64 line = mFirstRowLine + index.row() - mFirstTraceLine;
    if (line < 0 || line >= static_cast<qint64>(lines.size()))
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
    mFirstRowLine = mFirstTraceLine;
    endResetModel();
}

} // namespace zor
