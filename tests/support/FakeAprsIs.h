// SPDX-License-Identifier: GPL-3.0-or-later
// FakeAprsIs: an APRS-IS server for tests, on a free port of this machine.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <vector>

namespace tamsel::test {

// A fake APRS-IS server: takes logins, answers logresp as told, records what it is sent,
// and can drop every connection.
class FakeAprsIs : public QObject {
public:
    // `answer`: whether it answers a login at all.
    explicit FakeAprsIs(bool verify, bool answer = true) : verify_(verify), answer_(answer) {
        server.listen(QHostAddress::Any);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server.nextPendingConnection()) {
                peers.push_back(s->peerAddress());
                s->write("# aprsc 2.1.14\r\n");
                connect(s, &QTcpSocket::readyRead, this, [this, s] { read(s); });
                clients.push_back(s);
            }
        });
    }
    void read(QTcpSocket* s) {
        while (s->canReadLine()) {
            const QByteArray line = s->readLine();
            if (line.startsWith("user ")) {
                logins.push_back(line);
                if (!answer_) {
                    s->write("# aprsc 2.1.14 keepalive\r\n");
                    continue;
                }
                s->write("# logresp T2GATE-10 " + QByteArray(verify_ ? "verified" : "unverified") +
                         ", server T2TEST\r\n");
            } else {
                lines.push_back(line);
            }
        }
    }
    void dropAll() {
        for (QTcpSocket* s : clients) {
            s->abort();
        }
        clients.clear();
    }
    quint16 port() const { return server.serverPort(); }

    QTcpServer server;
    std::vector<QTcpSocket*> clients;
    std::vector<QByteArray> logins, lines;
    std::vector<QHostAddress> peers;

private:
    bool verify_;
    bool answer_;
};

} // namespace tamsel::test
