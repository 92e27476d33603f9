#include "session/TelnetProtocol.h"

#include <cstring>
#include <libtelnet.h>

namespace zor {

namespace {

const telnet_telopt_t Options[] = {
    {TELNET_TELOPT_ECHO, TELNET_WONT, TELNET_DO},
    {TELNET_TELOPT_SGA, TELNET_WILL, TELNET_DO},
    {TELNET_TELOPT_TTYPE, TELNET_WILL, TELNET_DONT},
    {-1, 0, 0},
};

// A terminal-type request is "SEND" and nothing more; longer data is not
// worth keeping.
constexpr qsizetype SubDataKept = 8;

bool IsNegotiation(unsigned char byte)
{
    return byte == TELNET_WILL || byte == TELNET_WONT || byte == TELNET_DO || byte == TELNET_DONT;
}

} // namespace

TelnetProtocol::TelnetProtocol(QByteArray terminalType)
    : terminalType_(std::move(terminalType)), telnet_(telnet_init(Options, &TelnetProtocol::OnEvent, 0, this))
{
}

TelnetProtocol::~TelnetProtocol()
{
    telnet_free(telnet_);
}

void TelnetProtocol::OnEvent(telnet_t*, telnet_event_t* event, void* self)
{
    auto& protocol = *static_cast<TelnetProtocol*>(self);
    switch (event->type) {
    case TELNET_EV_DATA:
        protocol.AppendData(event->data.buffer, event->data.size);
        break;
    case TELNET_EV_SEND:
        protocol.result_.answer.append(event->data.buffer, static_cast<qsizetype>(event->data.size));
        break;
    case TELNET_EV_DO:
        if (event->neg.telopt == TELNET_TELOPT_TTYPE)
            protocol.terminalTypeAgreed_ = true;
        break;
    case TELNET_EV_DONT:
        if (event->neg.telopt == TELNET_TELOPT_TTYPE)
            protocol.terminalTypeAgreed_ = false;
        break;
    default:
        break;
    }
}

// A NUL right after a CR is dropped; everything between NULs goes on in one
// piece, since a flood of host text passes here.
void TelnetProtocol::AppendData(const char* bytes, size_t size)
{
    QByteArray& data = result_.data;
    const char* from = bytes;
    const char* const end = bytes + size;
    while (from < end) {
        const auto* nul = static_cast<const char*>(std::memchr(from, '\0', static_cast<size_t>(end - from)));
        const char* const stop = nul ? nul : end;
        data.append(from, stop - from);
        if (stop > from)
            afterCr_ = stop[-1] == '\r';
        if (!nul)
            break;
        if (!afterCr_)
            data.append('\0');
        afterCr_ = false;
        from = nul + 1;
    }
}

void TelnetProtocol::Forward()
{
    if (pending_.isEmpty())
        return;
    telnet_recv(telnet_, pending_.constData(), static_cast<size_t>(pending_.size()));
    pending_.clear();
}

// Sub-negotiations never reach the library's parsers: the only one a client
// has to answer is the terminal-type request of an agreed option; any other
// (an option never agreed, or data a host has no business sending) is
// dropped whole.
void TelnetProtocol::EndSubnegotiation()
{
    Forward();
    if (subOption_ == TELNET_TELOPT_TTYPE && terminalTypeAgreed_ && subData_.size() == 1 &&
        static_cast<unsigned char>(subData_[0]) == TELNET_TTYPE_SEND)
        telnet_ttype_is(telnet_, terminalType_.constData());
    subData_.clear();
}

void TelnetProtocol::AfterIac(unsigned char byte)
{
    if (byte == TELNET_SB) {
        state_ = State::SubOption;
        return;
    }
    pending_.append(static_cast<char>(TELNET_IAC));
    pending_.append(static_cast<char>(byte));
    state_ = IsNegotiation(byte) ? State::Option : State::Data;
}

TelnetProtocol::Result TelnetProtocol::Receive(const QByteArray& bytes)
{
    const char* at = bytes.constData();
    const char* const end = at + bytes.size();
    while (at < end) {
        if (state_ == State::Data) {
            // Plain text up to the next IAC goes on in one piece.
            const auto* iac = static_cast<const char*>(std::memchr(at, TELNET_IAC, static_cast<size_t>(end - at)));
            const char* const stop = iac ? iac : end;
            pending_.append(at, stop - at);
            at = stop;
            if (iac) {
                state_ = State::Iac;
                ++at;
            }
            continue;
        }
        const char c = *at++;
        const auto byte = static_cast<unsigned char>(c);
        switch (state_) {
        case State::Data: // handled above
            break;
        case State::Iac:
            AfterIac(byte);
            break;
        case State::Option:
            pending_.append(c);
            state_ = State::Data;
            break;
        case State::SubOption:
            subOption_ = byte;
            subData_.clear();
            state_ = State::SubData;
            break;
        case State::SubData:
            if (byte == TELNET_IAC)
                state_ = State::SubIac;
            else if (subData_.size() < SubDataKept)
                subData_.append(c);
            break;
        case State::SubIac:
            if (byte == TELNET_IAC) {
                if (subData_.size() < SubDataKept)
                    subData_.append(c);
                state_ = State::SubData;
            } else if (byte == TELNET_SE) {
                EndSubnegotiation();
                state_ = State::Data;
            } else {
                // A command inside the sub-negotiation ends it unfinished;
                // the command itself still counts.
                subData_.clear();
                AfterIac(byte);
            }
            break;
        }
    }
    Forward();
    Result result = std::move(result_);
    result_ = Result();
    return result;
}

QByteArray TelnetProtocol::Encode(const QByteArray& data)
{
    QByteArray answerSoFar = std::move(result_.answer);
    result_.answer.clear();
    telnet_send(telnet_, data.constData(), static_cast<size_t>(data.size()));
    QByteArray wire = std::move(result_.answer);
    result_.answer = std::move(answerSoFar);
    return wire;
}

} // namespace zor
