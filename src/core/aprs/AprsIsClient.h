// SPDX-License-Identifier: GPL-3.0-or-later
// AprsIsClient: one connection to an APRS-IS server, as a receive-only gate keeps it.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QHostInfo>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
#include <chrono>
#include <string_view>

namespace tamsel {

// Logs in with "user LOGIN pass PASSCODE vers Tamsel VERSION", reads the server's logresp,
// takes its comment lines as keep-alive, and after a lost connection tries again after 5 s,
// doubling to 5 minutes, each time on another address of the server's name. Packets go out
// only while the server has verified the login; nothing waits for a connection (a position
// sent late would be a wrong one).
class AprsIsClient : public QObject {
    Q_OBJECT
public:
    enum class State {
        Off,        // not asked to connect
        Connecting, // looking up the name, connecting, logging in
        Verified,   // logged in, packets go out
        Unverified, // logged in without a valid passcode: nothing goes out
        Waiting,    // the connection failed or was lost: trying again later
    };
    struct Login {
        QString host;
        quint16 port = 0;
        QString login;
        QString passcode; // "-1" when receive-only
        QString version;
        bool operator==(const Login&) const = default;
    };
    struct Timing {
        std::chrono::milliseconds firstRetry{5'000};
        std::chrono::milliseconds longestRetry{300'000};
        // No line from the server for this long (it sends a comment every 20 s): lost.
        std::chrono::milliseconds silence{120'000};
        // No answer to the login for this long, whatever else the server says: lost.
        std::chrono::milliseconds login{30'000};
    };

    explicit AprsIsClient(QObject* parent = nullptr);
    ~AprsIsClient() override;

    // Connects as `login` says (again, when it differs from the one in use).
    void start(const Login& login);
    void stop();
    void setTiming(Timing timing) { timing_ = timing; }

    // Sends one packet (without CR LF). False when it did not go out: not verified, or the
    // server is not reading what it is sent.
    bool send(std::string_view packet);

    State state() const { return state_; }
    // The server's name as its logresp gave it ("T2XYZ"), while logged in.
    QString serverName() const { return serverName_; }
    // Why the last connection failed or ended, for the operator; empty while all is well.
    QString problem() const { return problem_; }
    // When the next try starts, while Waiting.
    std::chrono::milliseconds retryIn() const { return retryDelay_; }
    // Bytes written but not yet taken by the system.
    qint64 unsent() const { return socket_ != nullptr ? socket_->bytesToWrite() : 0; }
    // The address in use or tried last.
    QHostAddress address() const { return address_; }

    // What the server sees of us at most before we stop writing to it.
    static constexpr qint64 kMaxUnsent = 64 * 1024;

signals:
    void stateChanged();
    // A connection that had logged in was lost (once; the retries after it are not news).
    void lost();

private:
    void connectNow();
    void reset(); // drops the connection and whatever is under way, saying nothing
    Q_SLOT void hostFound(const QHostInfo& info);
    void lookedUp(const QList<QHostAddress>& addresses);
    void connected();
    void readLines();
    void line(const QByteArray& text);
    void failed(const QString& why);
    void setState(State state);

    Login login_;
    Timing timing_;
    QTcpSocket* socket_ = nullptr;
    QTimer retry_;
    QTimer silence_;
    QTimer loginAnswer_;
    State state_ = State::Off;
    QString serverName_;
    QString problem_;
    QHostAddress address_;
    std::chrono::milliseconds retryDelay_{0};
    unsigned attempt_ = 0; // which address of the name to try next
    int lookup_ = -1;      // the name lookup under way
    bool loggedIn_ = false;
    bool heard_ = false; // the server has sent a line on this connection
    QByteArray buffer_;
};

} // namespace tamsel
