#pragma once

#include "session/HostTransport.h"

#include <memory>

namespace zor {

// SSH: a pty of the terminal type and a shell, after the host's key has been
// checked against the known_hosts file of the program folder. The blocking
// libssh calls run on a worker thread of their own; everything it learns is
// posted back to this object's thread, and a transport that has been let go
// hears nothing more from its worker.
class SecureTransport : public HostTransport {
    Q_OBJECT

public:
    explicit SecureTransport(QObject* parent = nullptr);
    ~SecureTransport() override;
    void Open(const HostTarget& target) override;
    void Write(const QByteArray& bytes) override;
    void Abort() override;
    void Hold(bool held) override;
    void Finish() override;
    bool AwaitingUser() const override { return asking_; }

    // The worker reads at most this much at a time, and stops reading while
    // MaxInFlight of what it read is still on its way to this thread.
    static constexpr qsizetype ReadBatch = 64 * 1024;
    static constexpr qsizetype MaxInFlight = 256 * 1024;

    struct Shared;

private:
    friend struct Shared;
    void AskTrust(const QString& question);
    void LetGo(bool finishing);

    std::shared_ptr<Shared> shared_;
    bool asking_ = false;
    bool ended_ = false;
};

// The file in which the keys of known hosts are remembered.
QString KnownHostsFile();

} // namespace zor
