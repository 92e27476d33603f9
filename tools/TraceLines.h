#pragma once

#include <QAbstractListModel>
#include <QSize>

namespace zor {

// The trace's lines as a list model, kept in step with the trace through its
// callbacks: one row added or the first row removed per line, so a flood of
// trace lines costs the same for each line however many are shown.
class TraceLines : public QAbstractListModel {
    Q_OBJECT

public:
    explicit TraceLines(QObject* parent = nullptr);
    ~TraceLines() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Every row reports this size, so that the list lays out rows of one
    // size and scrolls sideways as far as the widest line.
    void SetRowSize(QSize size);
    // The lines are gone (the trace window was closed).
    void Clear();

private:
    int mRows = 0;
    QSize mRowSize;
};

} // namespace zor
