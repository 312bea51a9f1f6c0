// SPDX-License-Identifier: GPL-3.0-or-later
// FakeGps: a real gpsd fed by gpsfake from a receiver's log, for tests of following it.
#pragma once

#include <QProcess>
#include <QStringList>
#include <QTcpServer>
#include <csignal>

namespace tamsel::test {

inline quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// gpsd on `port`, fed by gpsfake: by default from the log of a receiver that has no fix for
// two seconds and then drives north-east, over and over; or a receiver a log, each log once.
class FakeGps {
public:
    explicit FakeGps(quint16 port) {
        start({"-c", "0.1", "-P", QString::number(port), data("moving-receiver.nmea")});
    }
    FakeGps(quint16 port, const QStringList& receivers) {
        QStringList args{"-1", "-c", "0.1", "-P", QString::number(port)};
        for (const QString& log : receivers) {
            args << data(log);
        }
        start(args);
    }
    ~FakeGps() { stop(); }
    // gpsfake takes its gpsd down with it on an interrupt.
    void stop() {
        if (process_.state() == QProcess::NotRunning) {
            return;
        }
        ::kill(static_cast<pid_t>(process_.processId()), SIGINT);
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }

private:
    static QString data(const QString& name) {
        return QStringLiteral(TAMSEL_SOURCE_DIR "/tests/data/") + name;
    }
    void start(const QStringList& args) {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral("gpsfake"), QStringList{"-q"} + args);
    }

    QProcess process_;
};

} // namespace tamsel::test
