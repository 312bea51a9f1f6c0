// SPDX-License-Identifier: GPL-3.0-or-later
// AprsIsClient: the connection, its login and its retries.
#include "aprs/AprsIsClient.h"

#include <QAbstractSocket>
#include <QHostInfo>
#include <algorithm>

namespace tamsel {

namespace {
// A server line longer than this is no line of APRS-IS: it is dropped, not gathered.
constexpr qsizetype kMaxLine = 4096;
} // namespace

AprsIsClient::AprsIsClient(QObject* parent) : QObject(parent) {
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &AprsIsClient::connectNow);
    silence_.setSingleShot(true);
    connect(&silence_, &QTimer::timeout, this, [this] {
        failed(heard_ ? tr("The server has stopped sending.") : tr("The server did not answer."));
    });
    // A server that talks but never answers the login is no better than a silent one.
    loginAnswer_.setSingleShot(true);
    connect(&loginAnswer_, &QTimer::timeout, this,
            [this] { failed(tr("The server did not answer the login.")); });
}

AprsIsClient::~AprsIsClient() {
    if (lookup_ >= 0) {
        QHostInfo::abortHostLookup(lookup_);
    }
}

void AprsIsClient::start(const Login& login) {
    if (state_ != State::Off && login == login_) {
        return;
    }
    reset(); // straight on to Connecting: no Off in between for anyone to report
    login_ = login;
    attempt_ = 0;
    retryDelay_ = std::chrono::milliseconds(0);
    connectNow();
}

void AprsIsClient::stop() {
    reset();
    setState(State::Off);
}

void AprsIsClient::reset() {
    retry_.stop();
    silence_.stop();
    loginAnswer_.stop();
    if (lookup_ >= 0) {
        QHostInfo::abortHostLookup(lookup_);
        lookup_ = -1;
    }
    if (socket_ != nullptr) {
        socket_->disconnect(this);
        socket_->abort();
        socket_->deleteLater();
        socket_ = nullptr;
    }
    loggedIn_ = false;
    serverName_.clear();
    problem_.clear();
}

void AprsIsClient::connectNow() {
    setState(State::Connecting);
    buffer_.clear();
    heard_ = false;
    const QHostAddress literal(login_.host);
    if (!literal.isNull()) {
        lookedUp({literal});
        return;
    }
    // By name, not a functor: the analyzer cannot follow the library's slot object.
    lookup_ = QHostInfo::lookupHost(login_.host, this, SLOT(hostFound(QHostInfo)));
}

void AprsIsClient::hostFound(const QHostInfo& info) {
    if (info.lookupId() != lookup_) {
        return; // stopped, or another lookup since: this answer is no longer wanted
    }
    lookup_ = -1;
    if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
        failed(tr("The server's name %1 is not known: %2").arg(login_.host, info.errorString()));
        return;
    }
    lookedUp(info.addresses());
}

void AprsIsClient::lookedUp(const QList<QHostAddress>& addresses) {
    // Another address of the name each time: a server that is down is not asked again and
    // again while the others are up.
    address_ = addresses[static_cast<qsizetype>(attempt_ % addresses.size())];
    ++attempt_;
    socket_ = new QTcpSocket(this);
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket_, &QTcpSocket::connected, this, &AprsIsClient::connected);
    connect(socket_, &QTcpSocket::readyRead, this, &AprsIsClient::readLines);
    connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        if (e == QAbstractSocket::RemoteHostClosedError) {
            failed(tr("The server closed the connection."));
        } else {
            failed(socket_ != nullptr ? socket_->errorString() : QString());
        }
    });
    silence_.start(timing_.silence); // first: a connection may fail at once
    socket_->connectToHost(address_, login_.port);
}

void AprsIsClient::connected() {
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    const QByteArray login = "user " + login_.login.toLatin1() + " pass " +
                             login_.passcode.toLatin1() + " vers Tamsel " +
                             login_.version.toLatin1() + "\r\n";
    socket_->write(login);
    silence_.start(timing_.silence);
    loginAnswer_.start(timing_.login);
}

void AprsIsClient::readLines() {
    if (socket_ == nullptr) {
        return;
    }
    buffer_ += socket_->readAll();
    qsizetype end = 0;
    while ((end = buffer_.indexOf('\n')) >= 0) {
        QByteArray text = buffer_.left(end);
        buffer_.remove(0, end + 1);
        if (text.endsWith('\r')) {
            text.chop(1);
        }
        silence_.start(timing_.silence); // any line, comments included, keeps us alive
        heard_ = true;
        line(text);
        if (socket_ == nullptr) {
            return; // the line ended the connection
        }
    }
    if (buffer_.size() > kMaxLine) {
        buffer_.clear();
    }
}

void AprsIsClient::line(const QByteArray& text) {
    // "# logresp LOGIN verified, server T2XYZ" or "... unverified, server T2XYZ".
    constexpr std::string_view kLogresp = "# logresp ";
    if (!text.startsWith(QByteArray::fromRawData(kLogresp.data(), kLogresp.size()))) {
        return;
    }
    const QList<QByteArray> words = text.mid(static_cast<qsizetype>(kLogresp.size())).split(' ');
    if (words.size() < 2 ||
        QString::fromLatin1(words[0]).compare(login_.login, Qt::CaseInsensitive) != 0) {
        return;
    }
    const QByteArray verdict = words[1].endsWith(',') ? words[1].chopped(1) : words[1];
    const auto server = text.indexOf("server ");
    serverName_ = server >= 0 ? QString::fromLatin1(text.mid(server + 7).trimmed()) : login_.host;
    loggedIn_ = true;
    loginAnswer_.stop();
    problem_.clear();
    attempt_ = 0;
    retryDelay_ = std::chrono::milliseconds(0);
    setState(verdict == "verified" ? State::Verified : State::Unverified);
}

bool AprsIsClient::send(std::string_view packet) {
    if (state_ != State::Verified || socket_ == nullptr || socket_->bytesToWrite() > kMaxUnsent) {
        return false;
    }
    QByteArray line(packet.data(), static_cast<qsizetype>(packet.size()));
    line += "\r\n";
    return socket_->write(line) == line.size();
}

void AprsIsClient::failed(const QString& why) {
    if (state_ == State::Off || state_ == State::Waiting) {
        return;
    }
    silence_.stop();
    loginAnswer_.stop();
    if (socket_ != nullptr) {
        socket_->disconnect(this);
        socket_->abort();
        socket_->deleteLater();
        socket_ = nullptr;
    }
    const bool wasLoggedIn = loggedIn_;
    loggedIn_ = false;
    serverName_.clear();
    problem_ = why;
    retryDelay_ = retryDelay_.count() == 0 ? timing_.firstRetry
                                           : std::min(retryDelay_ * 2, timing_.longestRetry);
    retry_.start(retryDelay_);
    setState(State::Waiting);
    if (wasLoggedIn) {
        emit lost();
    }
}

void AprsIsClient::setState(State state) {
    if (state == state_) {
        return;
    }
    state_ = state;
    emit stateChanged();
}

} // namespace tamsel
