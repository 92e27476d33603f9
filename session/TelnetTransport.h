#pragma once

#include "session/HostTransport.h"
#include "session/TelnetProtocol.h"

#include <QTcpSocket>

namespace zor {

// Telnet over TCP.
class TelnetTransport : public HostTransport {
    Q_OBJECT

public:
    explicit TelnetTransport(QObject* parent = nullptr);
    void Open(const HostTarget& target) override;
    void Write(const QByteArray& bytes) override;
    void Abort() override;

private:
    void OnReadyRead();
    // The host closed, or the connection never came about.
    void End();

    QTcpSocket socket_;
    std::unique_ptr<TelnetProtocol> protocol_;
    bool connected_ = false;
    bool ended_ = false;
};

} // namespace zor
