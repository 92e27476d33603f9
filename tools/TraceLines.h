#pragma once

#include <QAbstractListModel>
#include <QElapsedTimer>
#include <QSize>
#include <QTimer>

namespace zor {

// The trace's lines as a list model. The trace only tells it that lines came
// and went; the rows follow at the next turn of the event loop, and at most
// once a frame, in one insertion and one removal, so a flood of trace lines
// costs the list nothing per line, nor a layout of every row at each turn of
// a host that lets the events run once a unit.
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
    QTimer mUpdateTimer;
    QElapsedTimer mSinceUpdate;
    QSize mRowSize;
};

} // namespace zor
