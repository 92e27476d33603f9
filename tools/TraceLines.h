#pragma once

#include <QAbstractListModel>
#include <QSize>

namespace zor {

// The trace's lines as a list model. The trace only tells it that lines came
// and went; the rows follow once per turn of the event loop, in one insertion
// and one removal, so a flood of trace lines costs the list nothing per line.
class TraceLines : public QAbstractListModel {
    Q_OBJECT

public:
    explicit TraceLines(QObject* parent = nullptr);
    ~TraceLines() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Brings the rows up to the trace's lines now.
    void Update();
    // Every row reports this size, so that the list lays out rows of one
    // size and scrolls sideways as far as the widest line.
    void SetRowSize(QSize size);
    // The lines are gone (the trace window was closed).
    void Clear();

signals:
    void RowsUpdated();

private:
    void UpdateLater();
    // Lines are counted from the first the model ever saw: the rows show
    // lines mFirstRowLine.., the trace holds lines mFirstTraceLine...
    qint64 mFirstRowLine = 0;
    qint64 mFirstTraceLine = 0;
    int mRows = 0;
    bool mUpdatePending = false;
    QSize mRowSize;
};

} // namespace zor
