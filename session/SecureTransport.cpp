#include "session/SecureTransport.h"

#include "core/Dialogs.h"
#include "core/ProgramFolder.h"
#include "session/LineWatch.h"

#include <QMetaObject>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <libssh/callbacks.h>
#include <libssh/libssh.h>
#include <mutex>
#include <optional>
#include <poll.h>
#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>

namespace zor {

QString KnownHostsFile()
{
    return ProgramFile(QStringLiteral("known_hosts"));
}

struct SecureTransport::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    SecureTransport* owner = nullptr; // null once the owner let go
    bool cancelled = false;
    // Let go by Finish: what is queued is still sent.
    bool finishing = false;
    std::optional<bool> trusted;
    QByteArray outgoing;
    bool held = false;
    qsizetype inFlight = 0;
    int wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);

    ~Shared() { close(wake); }

    void Wake() const
    {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(wake, &one, sizeof one);
    }

    // Runs the call on the owner's thread, unless the owner has let go by
    // the time it would run.
    void Post(std::function<void(SecureTransport&)> call)
    {
        std::lock_guard lock(mutex);
        if (!owner)
            return;
        SecureTransport* target = owner;
        QMetaObject::invokeMethod(
            target,
            [target, call = std::move(call)] {
                if (!target->ended_)
                    call(*target);
            },
            Qt::QueuedConnection);
    }

    // Tells the user why no session came about.
    void Refuse(const QString& message, const QString& title, int style)
    {
        Post([message, title, style](SecureTransport& transport) {
            transport.ended_ = true;
            Dialogs::MsgBox(message, style, title);
            emit transport.NotConnected(true);
        });
    }

    void Connected()
    {
        Post([](SecureTransport& transport) { emit transport.Connected(); });
    }

    void Received(const QByteArray& bytes)
    {
        {
            std::lock_guard lock(mutex);
            inFlight += bytes.size();
        }
        Post([bytes](SecureTransport& transport) {
            {
                std::lock_guard lock(transport.shared_->mutex);
                transport.shared_->inFlight -= bytes.size();
            }
            transport.shared_->Wake();
            emit transport.Received(bytes);
        });
    }

    void Dropped()
    {
        Post([](SecureTransport& transport) {
            transport.ended_ = true;
            emit transport.Dropped();
        });
    }

    void NotConnected(bool shown)
    {
        Post([shown](SecureTransport& transport) {
            transport.ended_ = true;
            emit transport.NotConnected(shown);
        });
    }

    void Ask(const QString& question)
    {
        Post([question](SecureTransport& transport) { transport.AskTrust(question); });
    }

    bool Cancelled()
    {
        std::lock_guard lock(mutex);
        return cancelled;
    }
};

namespace {

// Keys with a passphrase are skipped instead of asked for on a terminal.
int NoPassphrase(const char*, char*, size_t, int, int, void*)
{
    return -1;
}

QString Fingerprint(ssh_session session)
{
    ssh_key key = nullptr;
    if (ssh_get_server_publickey(session, &key) != SSH_OK)
        return QString();
    unsigned char* hash = nullptr;
    size_t length = 0;
    QString text;
    if (ssh_get_publickey_hash(key, SSH_PUBLICKEY_HASH_SHA256, &hash, &length) == SSH_OK) {
        char* printable = ssh_get_fingerprint_hash(SSH_PUBLICKEY_HASH_SHA256, hash, length);
        text = QString::fromLatin1(printable);
        ssh_string_free_char(printable);
        ssh_clean_pubkey_hash(&hash);
    }
    ssh_key_free(key);
    return text;
}

// One connection from start to end, on the worker thread.
class Session {
public:
    Session(std::shared_ptr<SecureTransport::Shared> shared, HostTarget target, QString knownHosts)
        : shared_(std::move(shared)), target_(std::move(target)), knownHosts_(std::move(knownHosts))
    {
    }

    ~Session()
    {
        if (channel_) {
            ssh_channel_close(channel_);
            ssh_channel_free(channel_);
        }
        if (session_) {
            ssh_disconnect(session_);
            ssh_free(session_);
        }
    }

    void Run()
    {
        if (!Connect() || !CheckHostKey() || !Authenticate() || !StartShell())
            return;
        shared_->Connected();
        Relay();
    }

private:
    QString Where() const { return target_.host + QStringLiteral(" port ") + QString::number(target_.port); }

    bool Connect()
    {
        session_ = ssh_new();
        if (!session_) {
            shared_->NotConnected(false);
            return false;
        }
        const QByteArray host = target_.host.toUtf8();
        const QByteArray user = target_.user.toUtf8();
        const QByteArray knownHosts = knownHosts_.toLocal8Bit();
        unsigned int port = target_.port;
        long timeout = 10;
        bool processConfig = false;
        ssh_options_set(session_, SSH_OPTIONS_HOST, host.constData());
        ssh_options_set(session_, SSH_OPTIONS_PORT, &port);
        if (!user.isEmpty())
            ssh_options_set(session_, SSH_OPTIONS_USER, user.constData());
        ssh_options_set(session_, SSH_OPTIONS_PROCESS_CONFIG, &processConfig);
        ssh_options_set(session_, SSH_OPTIONS_KNOWNHOSTS, knownHosts.constData());
        ssh_options_set(session_, SSH_OPTIONS_GLOBAL_KNOWNHOSTS, "/dev/null");
        ssh_options_set(session_, SSH_OPTIONS_TIMEOUT, &timeout);
        callbacks_.auth_function = NoPassphrase;
        ssh_callbacks_init(&callbacks_);
        ssh_set_callbacks(session_, &callbacks_);
        if (ssh_connect(session_) != SSH_OK || shared_->Cancelled()) {
            shared_->NotConnected(false);
            return false;
        }
        WatchLine(ssh_get_fd(session_));
        return true;
    }

    void RefuseKey(const QString& what)
    {
        shared_->Refuse(what + QStringLiteral(", so the connection was not made.\r\nIf the host's key was replaced "
                                              "on purpose, remove its line from that file and connect again."),
                        QStringLiteral("Host Key Changed"), Dialogs::OKOnly + Dialogs::Critical);
    }

    bool CheckHostKey()
    {
        const QString fingerprint = Fingerprint(session_);
        const QString file = knownHosts_;
        switch (ssh_session_is_known_server(session_)) {
        case SSH_KNOWN_HOSTS_OK:
            return true;
        case SSH_KNOWN_HOSTS_CHANGED:
            RefuseKey(QStringLiteral("The host key of %1 has changed: the host now offers the key %2.\r\n"
                                     "That is not the key remembered for it in %3")
                          .arg(Where(), fingerprint, file));
            return false;
        case SSH_KNOWN_HOSTS_OTHER:
            RefuseKey(QStringLiteral("%1 offers a key of another type (%2) than the key remembered for it in %3")
                          .arg(Where(), fingerprint, file));
            return false;
        case SSH_KNOWN_HOSTS_UNKNOWN:
        case SSH_KNOWN_HOSTS_NOT_FOUND:
            return AskTrust(fingerprint, file);
        case SSH_KNOWN_HOSTS_ERROR:
            break;
        }
        shared_->Refuse(QStringLiteral("The key of %1 could not be checked against %2: %3")
                            .arg(Where(), file, QString::fromUtf8(ssh_get_error(session_))),
                        QStringLiteral("Host Key"), Dialogs::OKOnly + Dialogs::Critical);
        return false;
    }

    bool AskTrust(const QString& fingerprint, const QString& file)
    {
        const QString question = QStringLiteral("The host %1 is not known yet.\r\nIts key fingerprint is %2.\r\n\r\n"
                                                "Do you trust this host? Yes remembers its key in %3.")
                                     .arg(Where(), fingerprint, file);
        shared_->Ask(question);
        std::unique_lock lock(shared_->mutex);
        shared_->changed.wait(lock, [this] { return shared_->cancelled || shared_->trusted.has_value(); });
        if (shared_->cancelled)
            return false;
        const bool trusted = *shared_->trusted;
        lock.unlock();
        if (!trusted) {
            shared_->NotConnected(true);
            return false;
        }
        if (ssh_session_update_known_hosts(session_) != SSH_OK) {
            shared_->Refuse(QStringLiteral("The key of %1 could not be remembered in %2: %3")
                                .arg(Where(), file, QString::fromUtf8(ssh_get_error(session_))),
                            QStringLiteral("Host Key"), Dialogs::OKOnly + Dialogs::Exclamation);
            return false;
        }
        return true;
    }

    bool Authenticate()
    {
        if (ssh_userauth_publickey_auto(session_, nullptr, nullptr) == SSH_AUTH_SUCCESS)
            return true;
        const QByteArray password = target_.password.toUtf8();
        if (!shared_->Cancelled() && ssh_userauth_password(session_, nullptr, password.constData()) == SSH_AUTH_SUCCESS)
            return true;
        shared_->Refuse(QStringLiteral("%1 did not accept the user id or the password.").arg(Where()),
                        QStringLiteral("Log On"), Dialogs::OKOnly + Dialogs::Exclamation);
        return false;
    }

    bool StartShell()
    {
        channel_ = ssh_channel_new(session_);
        const QByteArray terminal = target_.terminalType.isEmpty() ? QByteArrayLiteral("vt220") : target_.terminalType;
        if (channel_ && ssh_channel_open_session(channel_) == SSH_OK &&
            ssh_channel_request_pty_size(channel_, terminal.constData(), 80, 24) == SSH_OK &&
            ssh_channel_request_shell(channel_) == SSH_OK)
            return true;
        shared_->Refuse(QStringLiteral("%1 did not open a terminal session: %2")
                            .arg(Where(), QString::fromUtf8(ssh_get_error(session_))),
                        QStringLiteral("Connect"), Dialogs::OKOnly + Dialogs::Exclamation);
        return false;
    }

    // Carries data both ways until the host ends the session or the owner
    // lets go; sleeps in poll() in between. While the owner holds it, or has
    // not yet taken what was read, or the host has not taken MaxUnsent of
    // what was written, nothing is read, so the host's window and TCP's fill
    // and the host waits.
    void Relay()
    {
        pollfd watched[2] = {{shared_->wake, POLLIN, 0}, {ssh_get_fd(session_), POLLIN, 0}};
        char buffer[16384];
        for (;;) {
            QByteArray outgoing;
            bool reading = false;
            bool finishing = false;
            {
                std::lock_guard lock(shared_->mutex);
                if (shared_->cancelled && !shared_->finishing)
                    return;
                finishing = shared_->cancelled;
                outgoing.swap(shared_->outgoing);
                reading = !shared_->held && shared_->inFlight < SecureTransport::MaxInFlight;
            }
            for (qsizetype sent = 0; sent < outgoing.size();) {
                const int n = ssh_channel_write(channel_, outgoing.constData() + sent,
                                                static_cast<uint32_t>(outgoing.size() - sent));
                // A line that cannot be written to is gone, as if the host
                // had dropped it; the user is told so.
                if (n < 0) {
                    shared_->Dropped();
                    return;
                }
                // The host's window stayed shut: the rest goes first next time.
                if (n == 0) {
                    std::lock_guard lock(shared_->mutex);
                    shared_->outgoing.prepend(outgoing.sliced(sent));
                    break;
                }
                sent += n;
            }
            {
                std::lock_guard lock(shared_->mutex);
                reading = reading && shared_->outgoing.size() <= HostTransport::MaxUnsent;
            }
            if (finishing) {
                AwaitHostsEnd();
                return;
            }
            QByteArray received;
            bool ended = false;
            bool drained = true;
            for (int stream = 0; reading && stream < 2; ++stream) {
                for (;;) {
                    if (received.size() >= SecureTransport::ReadBatch) {
                        drained = false;
                        break;
                    }
                    const int n = ssh_channel_read_nonblocking(channel_, buffer, sizeof buffer, stream);
                    if (n > 0) {
                        received.append(buffer, n);
                        continue;
                    }
                    ended = ended || n < 0;
                    break;
                }
            }
            if (!received.isEmpty())
                shared_->Received(received);
            // The end is seen only once everything before it was read.
            if (ended ||
                (reading && drained &&
                 (ssh_channel_is_eof(channel_) || ssh_channel_is_closed(channel_) || !ssh_is_connected(session_)))) {
                shared_->Dropped();
                return;
            }
            // libssh may already hold more than the socket shows.
            if (!drained)
                continue;
            poll(watched, reading ? 2 : 1, 1000);
            if (watched[0].revents & POLLIN) {
                uint64_t count = 0;
                [[maybe_unused]] const ssize_t got = ::read(shared_->wake, &count, sizeof count);
            }
        }
    }

    // Tells the host nothing more comes and gives it a bounded time to end
    // the session, dropping what it still sends.
    void AwaitHostsEnd()
    {
        ssh_channel_send_eof(channel_);
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(HostTransport::FinishLimitMs);
        char buffer[4096];
        while (!ssh_channel_is_eof(channel_) && !ssh_channel_is_closed(channel_) && ssh_is_connected(session_)) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
            if (left.count() <= 0 ||
                ssh_channel_read_timeout(channel_, buffer, sizeof buffer, 0, static_cast<int>(left.count())) < 0)
                return;
        }
    }

    std::shared_ptr<SecureTransport::Shared> shared_;
    HostTarget target_;
    QString knownHosts_;
    ssh_session session_ = nullptr;
    ssh_channel channel_ = nullptr;
    ssh_callbacks_struct callbacks_{};
};

} // namespace

SecureTransport::SecureTransport(QObject* parent) : HostTransport(parent), shared_(std::make_shared<Shared>())
{
    shared_->owner = this;
}

SecureTransport::~SecureTransport()
{
    Abort();
}

void SecureTransport::Open(const HostTarget& target)
{
    std::thread([shared = shared_, target, file = KnownHostsFile()] { Session(shared, target, file).Run(); }).detach();
}

void SecureTransport::Write(const QByteArray& bytes)
{
    {
        std::lock_guard lock(shared_->mutex);
        shared_->outgoing += bytes;
    }
    shared_->Wake();
}

void SecureTransport::Abort()
{
    LetGo(false);
}

void SecureTransport::Finish()
{
    LetGo(true);
    deleteLater();
}

void SecureTransport::LetGo(bool finishing)
{
    ended_ = true;
    {
        std::lock_guard lock(shared_->mutex);
        shared_->owner = nullptr;
        shared_->cancelled = true;
        shared_->finishing = shared_->finishing || finishing;
    }
    shared_->changed.notify_all();
    shared_->Wake();
}

void SecureTransport::Hold(bool held)
{
    {
        std::lock_guard lock(shared_->mutex);
        shared_->held = held;
    }
    if (!held)
        shared_->Wake();
}

void SecureTransport::AskTrust(const QString& question)
{
    asking_ = true;
    const int answer = Dialogs::MsgBox(question, Dialogs::YesNo + Dialogs::Question, QStringLiteral("Unknown Host"));
    asking_ = false;
    {
        std::lock_guard lock(shared_->mutex);
        shared_->trusted = answer == Dialogs::Yes;
    }
    shared_->changed.notify_all();
}

} // namespace zor
