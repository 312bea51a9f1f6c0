// SPDX-License-Identifier: GPL-3.0-or-later
// GpsdClient: follows the position gpsd reports over TCP, reconnecting when gpsd comes back.
#include "station/GpsdClient.h"

#include <algorithm>

namespace tamsel {

GpsdClient::GpsdClient(QObject* parent) : QObject(parent), socket_(new QTcpSocket(this)) {
    retry_.setSingleShot(true);
    connectTimeout_.setSingleShot(true);
    stale_.setSingleShot(true);
    stale_.setTimerType(Qt::PreciseTimer);
    connect(&stale_, &QTimer::timeout, this, &GpsdClient::followFix);
    connect(&retry_, &QTimer::timeout, this, &GpsdClient::connectNow);
    // A host that swallows the connection would otherwise leave it pending for minutes.
    connect(&connectTimeout_, &QTimer::timeout, this, &GpsdClient::lost);
    connect(socket_, &QTcpSocket::connected, this, &GpsdClient::connected);
    connect(socket_, &QTcpSocket::readyRead, this, &GpsdClient::readLines);
    connect(socket_, &QTcpSocket::disconnected, this, &GpsdClient::lost);
    connect(socket_, &QTcpSocket::errorOccurred, this, &GpsdClient::lost);
}

void GpsdClient::start(const QString& host, quint16 port) {
    stop();
    host_ = host;
    port_ = port;
    nextRetryMs_ = firstRetryMs_;
    connectNow();
}

void GpsdClient::stop() {
    retry_.stop();
    connectTimeout_.stop();
    stale_.stop();
    const QSignalBlocker quiet(socket_); // no lost() for a connection ended on purpose
    socket_->abort();
    setState(State::Off);
}

void GpsdClient::setRetryDelays(int firstMs, int lastMs) {
    firstRetryMs_ = firstMs;
    lastRetryMs_ = std::max(firstMs, lastMs);
    nextRetryMs_ = firstMs;
}

void GpsdClient::connectNow() {
    // While retrying, gpsd stays "not reachable" until it answers.
    if (state_ == State::Off) {
        setState(State::NoFix);
    }
    connectTimeout_.start(kConnectTimeoutMs);
    socket_->connectToHost(host_, port_);
}

void GpsdClient::connected() {
    connectTimeout_.stop();
    nextRetryMs_ = firstRetryMs_;
    follower_ = {};
    setState(State::NoFix);
    socket_->write(gpsdWatchCommand());
}

void GpsdClient::readLines() {
    while (socket_->canReadLine()) {
        const QByteArray line = socket_->readLine(kMaxLine);
        if (const auto report = parseGpsdLine(line)) {
            follower_.take(*report, GpsdFollower::Clock::now());
        }
    }
    if (socket_->bytesAvailable() > kMaxLine) {
        lost(); // not gpsd, or gpsd gone wrong: start afresh
        return;
    }
    followFix();
}

void GpsdClient::followFix() {
    const auto now = GpsdFollower::Clock::now();
    stale_.stop();
    switch (follower_.fix(now)) {
    case GpsdFollower::Fix::None:
        setState(State::NoFix);
        break;
    case GpsdFollower::Fix::Current:
        setState(State::Fix, follower_.lastFix());
        stale_.start(std::chrono::ceil<std::chrono::milliseconds>(follower_.staleAt() - now));
        break;
    case GpsdFollower::Fix::Stale:
        setState(State::Stale, follower_.lastFix());
        break;
    }
}

void GpsdClient::lost() {
    if (state_ == State::Off || retry_.isActive()) {
        return; // already handled: errorOccurred and disconnected both come
    }
    connectTimeout_.stop();
    stale_.stop();
    {
        const QSignalBlocker quiet(socket_);
        socket_->abort();
    }
    setState(State::NotReachable);
    retry_.start(nextRetryMs_);
    nextRetryMs_ = std::min(nextRetryMs_ * 2, lastRetryMs_);
}

void GpsdClient::setState(State state, std::optional<LatLon> position) {
    if (state == state_ && position == position_) {
        return;
    }
    state_ = state;
    position_ = position;
    emit changed();
}

} // namespace tamsel
