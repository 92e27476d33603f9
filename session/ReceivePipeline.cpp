#include "session/ReceivePipeline.h"

#include "core/Fields.h"
#include "core/SharedState.h"
#include "core/Trace.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

namespace zor {

namespace {

const QChar Esc(0x1b);
const QChar Bel(0x07);
const QLatin1String CrLf("\r\n");
const QLatin1String EscLf("\x1b\n");
const QLatin1String ComOff("COM^OFF");
const QChar FormFeed(12);

// Where the first "com^on" unit of the text begins; its size when it has none.
qsizetype PassThroughStart(const QString& text)
{
    static const QRegularExpression comOn(QStringLiteral("(?:^|\x1b|\r\n)\\Kcom\\^(?i:on)(?=$|\x1b|\\^|\r\n)"));
    // Most text has none: a plain search first, as a flood is mostly screens.
    if (!text.contains(QLatin1String("com^")))
        return text.size();
    const QRegularExpressionMatch match = comOn.match(text);
    return match.hasMatch() ? match.capturedStart() : text.size();
}

// Appends the text with each CR LF made ESC LF: a line end ends a unit too.
// In one pass while it is copied, since a flood is mostly such lines.
void AppendCuttingLineEnds(QString& to, QStringView text)
{
    qsizetype from = 0;
    for (qsizetype cr = text.indexOf(u'\r'); cr >= 0; cr = text.indexOf(u'\r', cr + 1)) {
        if (cr + 1 < text.size() && text[cr + 1] == u'\n') {
            to += text.mid(from, cr - from);
            to += Esc;
            from = cr + 1;
        }
    }
    to += text.mid(from);
}

} // namespace

ReceivePipeline::ReceivePipeline(QObject* parent) : QObject(parent)
{
    ReleaseTimer.setSingleShot(true);
    ReleaseTimer.setTimerType(Qt::PreciseTimer);
    connect(&ReleaseTimer, &QTimer::timeout, this, [this] { DataReady(); });
}

qint64 ReceivePipeline::Now() const
{
    return hooks.Now ? hooks.Now() : QDeadlineTimer::current().deadline();
}

bool ReceivePipeline::MoreToRead() const
{
    return hooks.MoreToRead && hooks.MoreToRead();
}

void ReceivePipeline::ReadLater()
{
    if (readLater_)
        return;
    readLater_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            readLater_ = false;
            DataReady();
        },
        Qt::QueuedConnection);
}

void ReceivePipeline::Reset()
{
    ReleaseTimer.stop();
    ReadBuffer.clear();
    ReadStartTick = 0;
    recvBuffer_.clear();
    recvStart_ = 0;
    waiting_ = false;
    comOnAtEnd_ = false;
    skipLf_ = false;
    ++session_;
}

void ReceivePipeline::DataReady()
{
    if (reading_ || depth_ > 0) {
        deferred_ = true;
        return;
    }
    reading_ = true;
    const qint64 sliceEnd = Now() + SliceMs;
    // Text that waits for the rest of its line keeps its stamp when more
    // arrives: the wait is one event that reads until the line is complete
    // or the pause is over, only without spinning.
    try {
        do
            ReadOnce(waiting_);
        while (Connected && MoreToRead() && Now() < sliceEnd);
    } catch (const ChannelError& error) {
        if (hooks.ReadFailed)
            hooks.ReadFailed(error);
    }
    reading_ = false;
    if (Connected && (MoreToRead() || std::exchange(deferred_, false)))
        ReadLater();
}

void ReceivePipeline::ReadOnce(bool stamped)
{
    ReleaseTimer.stop();
    waiting_ = false;
    if (!Connected)
        return;
    if (hooks.Read)
        ReadBuffer += hooks.Read();
    const quint64 session = session_;
    for (;;) {
        // In pass-through the text is the receipt's whatever its line ends,
        // until the marker; what may be the start of one waits for the rest.
        if (ComMode) {
            if (skipLf_ && !ReadBuffer.isEmpty()) {
                skipLf_ = false;
                if (ReadBuffer.front() == QLatin1Char('\n'))
                    ReadBuffer.remove(0, 1);
            }
            if (!PassThrough(ReadBuffer, true))
                return;
        }
        const qsizetype lastCr = ReadBuffer.lastIndexOf(QLatin1Char('\r'));
        if (lastCr < 0)
            break;
        QString chunk = ReadBuffer.left(lastCr);
        ReadBuffer.remove(0, lastCr + 1);
        const QString received = chunk;
        comOnAtEnd_ = false;
        Socket_Receive(chunk);
        WriteTrace(QStringLiteral("REC"), received);
        // The chunk's text closed the session (a refused log-on may already
        // have opened the next one): none of it is handled any further.
        if (session_ != session)
            return;
        // Pass-through began inside the chunk: the CR the cut took is the
        // receipt's, unless it ended the unit that began it.
        if (ComMode) {
            if (std::exchange(comOnAtEnd_, false))
                skipLf_ = true;
            else
                ReadBuffer.prepend(QLatin1Char('\r'));
            continue;
        }
        ReadBuffer.remove(QLatin1Char('\n'));
        if (ReadBuffer.isEmpty())
            return;
        WriteTrace(QStringLiteral("SCRAP"), ReadBuffer);
        ReadStartTick = Now();
        stamped = true;
        // What follows the last CR is often a prompt ("Login: "): it is offered
        // to the automatic replies at once, as the read that follows at once
        // with nothing new would, instead of after the release time.
        break;
    }
    if (ReadBuffer.isEmpty()) {
        WriteTrace(QStringLiteral("SCRAP2"), QStringLiteral("Buffer cleared"));
        return;
    }
    if (hooks.ProcessScript && hooks.ProcessScript(ReadBuffer)) {
        WriteTrace(QStringLiteral("SCRIPT PROCESSED"), QString());
        ReadBuffer.clear();
        return;
    }
    WriteTrace(QStringLiteral("SCRAP2"), ReadBuffer + QStringLiteral("LEN: ") + QString::number(ReadBuffer.size() * 2));
    if (!stamped)
        ReadStartTick = Now();
    const qint64 waited = Now() - ReadStartTick;
    if ((ReadStartTick != 0 && waited > ReleaseAfterMs) || ReadBuffer.size() >= MaxUnfinished) {
        QString unfinished = std::move(ReadBuffer);
        ReadBuffer.clear();
        Socket_Receive(unfinished);
        WriteTrace(QStringLiteral("TIMEOUT"), unfinished);
        return;
    }
    waiting_ = true;
    ReleaseTimer.start(static_cast<int>(ReleaseAfterMs - waited + 1));
}

void ReceivePipeline::Socket_Receive(QString& data)
{
    struct Depth {
        explicit Depth(ReceivePipeline& p) : pipeline(p) { ++pipeline.depth_; }
        ~Depth()
        {
            if (--pipeline.depth_ == 0) {
                pipeline.recvBuffer_.remove(0, pipeline.recvStart_);
                pipeline.recvStart_ = 0;
                if (!pipeline.reading_ && std::exchange(pipeline.deferred_, false))
                    pipeline.ReadLater();
            }
        }
        ReceivePipeline& pipeline;
    } depth(*this);

    if (ComMode && !PassThrough(data, false))
        return;
    if (data.contains(Bel)) {
        if (hooks.Beep)
            hooks.Beep();
        data.replace(Bel, QLatin1Char(' '));
    }
    // The text after a unit that begins pass-through is the receipt's, never
    // a prompt: a reply matched before it leaves it for the port.
    if (hooks.ProcessScript) {
        const qsizetype receipt = PassThroughStart(data);
        QString offered = data.left(receipt);
        if (hooks.ProcessScript(offered))
            data.remove(0, receipt);
    }
    if (hooks.BeforeCut)
        hooks.BeforeCut();
    recvBuffer_.reserve(recvBuffer_.size() + data.size() + 1);
    AppendCuttingLineEnds(recvBuffer_, data);
    recvBuffer_ += Esc;
    if (!CutUnits())
        return;
    if (hooks.AfterUnits)
        hooks.AfterUnits();
}

bool ReceivePipeline::PassThrough(QString& text, bool holdMarkerStart)
{
    const QString marker = Esc + ComOff;
    const qsizetype found = text.indexOf(marker);
    if (found < 0) {
        qsizetype held = text.size();
        // ESC and what follows it at the end may be the marker, or a printer
        // command the receipt text's last characters would be cut from.
        const qsizetype lastEsc = text.lastIndexOf(Esc);
        if (holdMarkerStart && lastEsc >= 0 && text.size() - lastEsc < marker.size())
            held = lastEsc;
        if (held > 0) {
            if (text.left(held).contains(FormFeed))
                WriteTrace(QStringLiteral("COM Send ->"), QStringLiteral("Found a FF!"));
            if (hooks.ComPortOut)
                hooks.ComPortOut(text.left(held));
        }
        text.remove(0, held);
        return false;
    }
    const QString receipt = text.left(found);
    text.remove(0, found + marker.size());
    WriteTrace(QStringLiteral("Send to ComOut ->"), QLatin1Char('[') + receipt + QLatin1Char(']'));
    WriteTrace(QStringLiteral("Left in buffer ->"), QLatin1Char('[') + text + QLatin1Char(']'));
    if (hooks.ComPortOut)
        hooks.ComPortOut(receipt);
    EndPassThrough();
    return true;
}

void ReceivePipeline::EndPassThrough()
{
    ComMode = false;
    skipLf_ = false;
    if (hooks.CloseComPort)
        hooks.CloseComPort();
}

// False when pass-through took the rest of the buffer.
bool ReceivePipeline::CutUnits()
{
    for (;;) {
        if (recvBuffer_.indexOf(Esc, recvStart_) < 0)
            return true;
        if (ComMode) {
            WriteTrace(QStringLiteral("COM"), RecvBuffer());
            const qsizetype marker = recvBuffer_.indexOf(ComOff, recvStart_);
            if (marker < 0) {
                if (hooks.ComPortOut)
                    hooks.ComPortOut(RecvBuffer());
                recvBuffer_.clear();
                recvStart_ = 0;
                return false;
            }
            QString printed = recvBuffer_.mid(recvStart_, marker - recvStart_);
            printed.replace(EscLf, CrLf);
            if (hooks.ComPortOut)
                hooks.ComPortOut(printed);
            recvStart_ = marker + ComOff.size();
            EndPassThrough();
        }
        const qsizetype esc = recvBuffer_.indexOf(Esc, recvStart_);
        if (esc < 0)
            return true;
        QString unit = recvBuffer_.mid(recvStart_, esc - recvStart_);
        recvStart_ = esc + 1;
        if (hooks.ConsoleVisible && hooks.ConsoleVisible()) {
            FilterControlChars(unit);
            if (hooks.Console)
                hooks.Console(unit);
        } else if (hooks.Process) {
            hooks.Process(unit);
        }
        // The unit began pass-through: its line end is the ESC, with the LF
        // of a CR LF.
        if (ComMode) {
            if (recvStart_ < recvBuffer_.size() && recvBuffer_[recvStart_] == QLatin1Char('\n'))
                ++recvStart_;
            else if (recvStart_ == recvBuffer_.size())
                comOnAtEnd_ = true;
        }
    }
}

} // namespace zor
