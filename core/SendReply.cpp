#include "core/SendReply.h"

#include "core/Dialogs.h"
#include "core/Fields.h"
#include "core/ProgramFolder.h"
#include "core/SessionLink.h"
#include "core/SharedState.h"
#include "core/Trace.h"

namespace zor {

namespace {

const QString EndSentinel = QStringLiteral("*&^%");

void SendPart(const QString& part)
{
    WriteTrace(QStringLiteral("Call SEND 3"), part + QStringLiteral(" & vbCrLf"));
    SendRaw(part + QLatin1Char('\r'));
}

} // namespace

void SendRaw(const QString& text)
{
    if (Link().Send)
        Link().Send(text);
}

void SendReply(const QString& text)
{
    if (!Connected)
        return;
    // Split once: a reply of many parts costs no more than its length. The
    // parts end at the first that is the end mark, as the host expects.
    const QStringList parts = (text + QLatin1Char('~') + EndSentinel).split(QLatin1Char('~'));
    for (const QString& part : parts) {
        if (part == EndSentinel)
            break;
        if (part.left(5).toLower() == QLatin1String("@open")) {
            const QString title = GetField(part, 2, QLatin1Char(','));
            const QString filter = GetField(part, 3, QLatin1Char(','));
            // A cancelled dialog answers with an empty path, so the host
            // still gets its line and learns that nothing was chosen.
            const QString fileName = Dialogs::GetOpenFileName(title, filter, ProgramFolder());
            WriteTrace(QStringLiteral("Call SEND 2"), fileName + QStringLiteral(" & vbCrLf"));
            SendRaw(fileName + QStringLiteral("\r\n"));
        } else {
            SendPart(part);
        }
        WriteTrace(QStringLiteral("Transmited"), part);
    }
}

void SendLine(const QString& text)
{
    if (!Connected)
        return;
    SendPart(text);
    WriteTrace(QStringLiteral("Transmited"), text);
}

} // namespace zor
