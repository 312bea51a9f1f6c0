// SPDX-License-Identifier: GPL-3.0-or-later
// GpsdClient: follows the position gpsd reports over TCP, reconnecting when gpsd comes back.
#pragma once

#include "station/Geodesy.h"
#include "station/GpsdReport.h"

#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
#include <optional>

namespace tamsel {

// Connects to gpsd, asks it to watch in JSON and follows the TPV reports of one receiver
// (GpsdFollower says which, and when its fix has gone stale). When gpsd cannot
// be reached or goes away, it tries again by itself after a delay that doubles from
// kFirstRetryMs up to kLastRetryMs, starting again from the first after a connection
// that worked.
class GpsdClient : public QObject {
    Q_OBJECT
public:
    enum class State {
        Off,          // not started
        NoFix,        // connected (or connecting) and no 2D or 3D fix reported
        Fix,          // position() is gpsd's last fix
        Stale,        // position() is the last fix, too old to hold, or its receiver is gone
        NotReachable, // no connection; the next try is armed
    };
    static constexpr int kFirstRetryMs = 1000;
    static constexpr int kLastRetryMs = 30000;
    static constexpr int kConnectTimeoutMs = 5000;
    // Longer than any line gpsd sends; a longer one ends the connection.
    static constexpr qint64 kMaxLine = 64 * 1024;

    explicit GpsdClient(QObject* parent = nullptr);

    void start(const QString& host, quint16 port);
    void stop();
    // Shorter delays for tests of reconnection.
    void setRetryDelays(int firstMs, int lastMs);

    State state() const { return state_; }
    std::optional<LatLon> position() const { return position_; }

signals:
    // The state or the position changed.
    void changed();

private:
    void connectNow();
    void connected();
    void readLines();
    void lost();
    void followFix();
    void setState(State state, std::optional<LatLon> position = std::nullopt);

    QTcpSocket* socket_;
    QTimer retry_;
    QTimer connectTimeout_;
    QTimer stale_; // when the followed fix goes stale
    GpsdFollower follower_;
    QString host_;
    quint16 port_ = 0;
    int firstRetryMs_ = kFirstRetryMs;
    int lastRetryMs_ = kLastRetryMs;
    int nextRetryMs_ = kFirstRetryMs;
    State state_ = State::Off;
    std::optional<LatLon> position_;
};

} // namespace tamsel
