#pragma once

#include "session/ChannelError.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

namespace zor {

// The road of host text from the channel to the interpreter: the read buffer
// that releases text up to its last CR (or unfinished text after a pause),
// and the cutting of released text into command units at each ESC. The
// session window fills in the hooks; unset hooks do nothing (ProcessScript
// then never matches, ConsoleVisible is false).
class ReceivePipeline : public QObject {
    Q_OBJECT

public:
    static constexpr qint64 ReleaseAfterMs = 2000;
    // One event reads for about this long, then lets the window's events
    // run and goes on in a later one, so a flood never freezes the window.
    static constexpr qint64 SliceMs = 25;
    // Unfinished text that reaches this length is released at once: a host
    // that never sends a CR cannot fill the memory either.
    static constexpr qsizetype MaxUnfinished = 1 << 20;

    struct Hooks {
        // Text received and not yet read, "" when there is none.
        std::function<QString()> Read;
        // True while the channel holds text not yet read.
        std::function<bool()> MoreToRead;
        // The automatic replies; true when the text is taken as answered.
        std::function<bool(QString& text)> ProcessScript;
        std::function<void(const QString& text)> ComPortOut;
        std::function<void()> CloseComPort;
        std::function<void()> Beep;
        // Runs once per chunk before it is cut (busy picture, host message box).
        std::function<void()> BeforeCut;
        std::function<bool()> ConsoleVisible;
        // A unit for the console, its control characters already filtered.
        std::function<void(const QString& unit)> Console;
        std::function<void(const QString& unit)> Process;
        // Runs once per chunk after its units (redraw, focus).
        std::function<void()> AfterUnits;
        // A read that failed; the read buffer keeps its text.
        std::function<void(const ChannelError& error)> ReadFailed;
        // The millisecond clock; monotonic, never 0.
        std::function<qint64()> Now;
    };
    Hooks hooks;

    explicit ReceivePipeline(QObject* parent = nullptr);

    // New text can be read from the channel.
    void DataReady();
    // A new connection, or one closed here, starts afresh: nothing of the
    // last session's text is handled on the next.
    void Reset();
    // Handles one released chunk; may rewrite it.
    void Socket_Receive(QString& data);

    QString ReadBuffer;
    qint64 ReadStartTick = 0;
    // Handed-on text not yet cut into units.
    QString RecvBuffer() const { return recvBuffer_.mid(recvStart_); }

    // Fires when unfinished text has waited long enough; read again then.
    QTimer ReleaseTimer;

private:
    void ReadOnce(bool stamped);
    // Sends pass-through text up to ESC "COM^OFF" to the receipt port. True
    // when the marker ended pass-through (the text then holds what follows
    // it); false while it goes on, the text then holding what may be the
    // start of the marker, or nothing.
    bool PassThrough(QString& text, bool holdMarkerStart);
    void EndPassThrough();
    bool CutUnits();
    qint64 Now() const;
    bool MoreToRead() const;
    // Reads again in a later event (once, however often it is asked).
    void ReadLater();

    // The units are cut by moving recvStart_ forward, so a chunk of many units
    // costs time in proportion to its length. The consumed front is dropped
    // when the outermost call ends (the interpreter may let another chunk in
    // between two units).
    QString recvBuffer_;
    qsizetype recvStart_ = 0;
    int depth_ = 0;
    bool waiting_ = false;
    // A unit that lets events run must not start another read: the text
    // it lets in waits until the running read is over.
    bool reading_ = false;
    bool deferred_ = false;
    bool readLater_ = false;
    // "com^on" was the last unit of a chunk cut at a CR: that CR was its
    // line end, and so is an LF right after it.
    bool comOnAtEnd_ = false;
    bool skipLf_ = false;
    quint64 session_ = 0;
};

} // namespace zor
