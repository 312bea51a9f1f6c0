// SPDX-License-Identifier: GPL-3.0-or-later
// LogSender: sends a logged contact to a logging program over UDP, never waiting for it.
#include "log/LogSender.h"

#include <QDir>

namespace tamsel {

QString LogSettings::adifPath() const {
    const QString data = QString::fromStdString(dataFolder().string());
    if (adifFile.isEmpty()) {
        return data + QStringLiteral("/tamsel.adi");
    }
    // "~/log.adi" is in the home folder, as a shell would have it; a bare "log.adi" is in
    // the data folder, never in whatever folder the console happened to start in.
    if (adifFile.startsWith(QLatin1String("~/"))) {
        return QDir::cleanPath(QDir::homePath() + adifFile.mid(1));
    }
    if (QDir::isRelativePath(adifFile)) {
        return QDir::cleanPath(data + QLatin1Char('/') + adifFile);
    }
    return adifFile;
}

quint16 defaultPort(LogSettings::Sender sender) {
    return sender == LogSettings::Sender::Adif ? LogSettings::kAdifPort : LogSettings::kWsjtxPort;
}

std::vector<QByteArray> logDatagrams(LogSettings::Sender sender, const Contact& c, UtcTime now,
                                     std::string_view version) {
    switch (sender) {
    case LogSettings::Sender::Wsjtx:
        return {wsjtxStatus(c), wsjtxQsoLogged(c), wsjtxLoggedAdif(c, now, version)};
    case LogSettings::Sender::Adif:
        return {QByteArray::fromStdString(adifHeader(now, version) + adifRecord(c))};
    case LogSettings::Sender::Off:
        break;
    }
    return {};
}

LogSender::LogSender(std::chrono::milliseconds pulse, QObject* parent) : QObject(parent) {
    pulse_.setInterval(pulse);
    connect(&pulse_, &QTimer::timeout, this, &LogSender::heartbeat);
    // What a server sends back (its heartbeat, replay requests) asks nothing of the console:
    // read and dropped, so it never piles up.
    connect(&socket_, &QUdpSocket::readyRead, this, [this] {
        while (socket_.hasPendingDatagrams()) {
            socket_.readDatagram(nullptr, 0);
        }
    });
}

LogSender::~LogSender() {
    if (!server_.isNull()) {
        socket_.writeDatagram(wsjtxClose(), server_, port_);
    }
}

void LogSender::follow(const LogSettings& settings, std::string_view version) {
    QHostAddress server;
    if (settings.sender == LogSettings::Sender::Wsjtx) {
        server = QHostAddress(settings.host);
    }
    const quint16 port = server.isNull() ? 0 : settings.port;
    version_ = version;
    if (server == server_ && port == port_) {
        return;
    }
    if (!server_.isNull()) {
        socket_.writeDatagram(wsjtxClose(), server_, port_);
    }
    server_ = server;
    port_ = port;
    if (server_.isNull()) {
        pulse_.stop();
        return;
    }
    heartbeat();
    pulse_.start();
}

void LogSender::heartbeat() {
    socket_.writeDatagram(wsjtxHeartbeat(version_), server_, port_);
}

QString LogSender::send(const LogSettings& settings, const Contact& c, UtcTime now,
                        std::string_view version) {
    follow(settings, version);
    if (settings.sender == LogSettings::Sender::Off) {
        return tr("Not sent to a logging program (off in Preferences)");
    }
    const QHostAddress address(settings.host);
    const QString where = QStringLiteral("%1:%2").arg(settings.host).arg(settings.port);
    if (address.isNull()) {
        return tr("Not sent: %1 is not an IP address").arg(settings.host);
    }
    for (const QByteArray& datagram : logDatagrams(settings.sender, c, now, version)) {
        if (socket_.writeDatagram(datagram, address, settings.port) != datagram.size()) {
            return tr("Not sent to %1: %2").arg(where, socket_.errorString());
        }
    }
    return (settings.sender == LogSettings::Sender::Wsjtx ? tr("Sent to %1 as WSJT-X does")
                                                          : tr("Sent to %1 as ADIF"))
        .arg(where);
}

} // namespace tamsel
