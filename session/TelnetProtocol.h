#pragma once

#include <QByteArray>

struct telnet_t;
union telnet_event_t;

namespace zor {

// The Telnet layer of a client session, without any socket: bytes from the
// host go in, the host's data comes out with the answers the negotiation owes
// the host. Options: the terminal type is offered, suppress-go-ahead is
// accepted both ways, the host's echo is accepted, everything else refused.
// Data keeps every byte the host sent (CR LF, ESC, IAC IAC as 255); only the
// NVT's CR NUL becomes a lone CR.
class TelnetProtocol {
public:
    explicit TelnetProtocol(QByteArray terminalType = QByteArrayLiteral("vt220"));
    ~TelnetProtocol();
    TelnetProtocol(const TelnetProtocol&) = delete;
    TelnetProtocol& operator=(const TelnetProtocol&) = delete;

    struct Result {
        QByteArray data;   // for the application
        QByteArray answer; // to write to the host
    };
    // Any split of the stream gives the same data and answers.
    Result Receive(const QByteArray& bytes);
    // Application data made ready for the wire (255 doubled).
    QByteArray Encode(const QByteArray& data);

private:
    // Where the stream stands between reads; mirrors the library's own
    // tracker so that the two always agree where a command starts.
    enum class State { Data, Iac, Option, SubOption, SubData, SubIac };

    static void OnEvent(telnet_t* telnet, telnet_event_t* event, void* self);
    void AfterIac(unsigned char byte);
    void Forward();
    void AppendData(const char* bytes, size_t size);
    void EndSubnegotiation();

    QByteArray terminalType_;
    telnet_t* telnet_;
    State state_ = State::Data;
    QByteArray pending_; // bytes for the library, sent at the next boundary
    unsigned char subOption_ = 0;
    QByteArray subData_;
    bool terminalTypeAgreed_ = false;
    bool afterCr_ = false;
    Result result_;
};

} // namespace zor
