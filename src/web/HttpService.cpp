// SPDX-License-Identifier: GPL-3.0-or-later
// HttpService: the web face's HTTP and WebSocket over Qt HttpServer (Qt 6.4's interface).
#include "HttpService.h"

#include <QAbstractHttpServer>
#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QPointer>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>

namespace tamsel {

namespace {

constexpr int kIdleMs = 60'000;
constexpr const char* kGateProperty =
    "tamselGate"; // a connection that says nothing for this long is closed

// Written by the gate itself, when the server library cannot be asked to answer.
QByteArray refusal(const QByteArray& status) {
    const QByteArray text = status + '\n';
    return "HTTP/1.1 " + status + "\r\nContent-Type: text/plain; charset=utf-8\r\n" +
           "Content-Length: " + QByteArray::number(text.size()) + "\r\nConnection: close\r\n\r\n" +
           text;
}

void refuse(QTcpSocket* socket, const QByteArray& status) {
    socket->write(refusal(status));
    socket->disconnectFromHost();
}

// Watches one connection before the server library reads it: a request larger than
// kMaxRequestBytes gets 413; one the library could not parse (it then lets go of the
// connection without an answer) gets 400; a silent connection is closed. A WebSocket
// upgrade is left to the WebSocket's own limits.
class Gate : public QObject {
public:
    explicit Gate(QTcpSocket* socket) : QObject(socket), socket_(socket) {
        reading_ = connect(socket, &QIODevice::readyRead, this, &Gate::arrived);
        connect(socket, &QIODevice::bytesWritten, this, [this] { idle_.start(); });
        // The library closes a connection whose request it cannot parse: it is answered
        // on the way out.
        connect(socket, &QAbstractSocket::stateChanged, this,
                [this](QAbstractSocket::SocketState state) {
                    if (state == QAbstractSocket::ClosingState && !live_ && !done_ &&
                        received_ > 0) {
                        done_ = true;
                        socket_->write(refusal("400 Bad Request"));
                    }
                });
        check_.setSingleShot(true);
        check_.setInterval(0);
        connect(&check_, &QTimer::timeout, this, &Gate::afterRead);
        idle_.setSingleShot(true);
        idle_.setInterval(kIdleMs);
        connect(&idle_, &QTimer::timeout, this, [this] {
            if (!live_) {
                socket_->abort();
            }
        });
        idle_.start();
    }

    // A request was answered: what comes next is a new one.
    void answered() { received_ = 0; }

private:
    void arrived() {
        if (live_ || done_) {
            return;
        }
        if (received_ == 0 &&
            socket_->peek(kMaxRequestBytes).toLower().contains("upgrade: websocket")) {
            live_ = true;
            return;
        }
        idle_.start();
        received_ += socket_->bytesAvailable();
        if (received_ > kMaxRequestBytes) {
            done_ = true;
            // The library reads no more of it; its other connections stay, so that it
            // still frees the connection (and its request) once closed.
            QObject::disconnect(socket_, &QIODevice::readyRead, nullptr, nullptr);
            socket_->readAll();
            refuse(socket_, "413 Content Too Large");
            return;
        }
        // After the library has read: did it give up on the connection?
        check_.start();
    }

    void afterRead() {
        if (!done_ && !reading_ && socket_->state() == QAbstractSocket::ConnectedState) {
            done_ = true;
            refuse(socket_, "400 Bad Request");
        }
    }

    QTcpSocket* socket_;
    QMetaObject::Connection reading_;
    QTimer idle_;
    QTimer check_;
    qint64 received_ = 0;
    bool live_ = false;
    bool done_ = false;
};

template <typename Base> class GatedServer : public Base {
public:
    QTcpSocket* nextPendingConnection() override {
        QTcpSocket* socket = Base::nextPendingConnection();
        if (socket != nullptr) {
            socket->setProperty(kGateProperty, QVariant::fromValue<QObject*>(new Gate(socket)));
        }
        return socket;
    }
};

WebRequest::Method methodOf(const QHttpServerRequest& request) {
    switch (request.method()) {
    case QHttpServerRequest::Method::Get:
        return WebRequest::Method::Get;
    case QHttpServerRequest::Method::Post:
        return WebRequest::Method::Post;
    default:
        return WebRequest::Method::Other;
    }
}

} // namespace

class HttpService::Server : public QAbstractHttpServer {
public:
    Server(Handler handler, LiveHandler live)
        : handler_(std::move(handler)), live_(std::move(live)) {
        connect(this, &QAbstractHttpServer::newWebSocketConnection, this, [this] {
            while (hasPendingWebSocketConnections()) {
                live_(nextPendingWebSocketConnection(), secure);
            }
        });
    }
    bool secure = false;

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override {
        // A WebSocket upgrade: answered by the library once a handler says it is taken (the
        // live connection's own checks follow on the WebSocket).
        if (request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0) {
            return true;
        }
        if (auto* gate = static_cast<Gate*>(socket->property(kGateProperty).value<QObject*>())) {
            gate->answered();
        }
        WebResponse response;
        if (request.headers().size() > kMaxHeaders) {
            response = WebResponse::error(431, QStringLiteral("Too many header lines."));
        } else if (request.value("host").isEmpty()) {
            // Also what the library makes of a request with very many header lines.
            response = WebResponse::error(400, QStringLiteral("A request needs its Host."));
        } else {
            WebRequest r;
            r.method = methodOf(request);
            r.path = request.url().path();
            r.query = request.url().query(QUrl::FullyEncoded).toUtf8();
            r.headers = request.headers();
            r.body = request.body();
            r.peer = request.remoteAddress();
            r.secure = secure;
            response = handler_(r);
        }
        QHttpServerResponder responder = makeResponder(request, socket);
        responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(response.status));
        responder.writeHeader("Content-Type", response.type);
        responder.writeHeader("Content-Length", QByteArray::number(response.body.size()));
        for (const auto& [name, value] : response.headers) {
            responder.writeHeader(name, value);
        }
        responder.writeBody(response.body);
        return true;
    }
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override {
        makeResponder(request, socket).write(QHttpServerResponder::StatusCode::NotFound);
    }

private:
    Handler handler_;
    LiveHandler live_;
};

HttpService::HttpService(Handler handler, LiveHandler live, QObject* parent)
    : QObject(parent), server_(std::make_unique<Server>(std::move(handler), std::move(live))) {}

HttpService::~HttpService() = default;

QString HttpService::listen(const QHostAddress& address, quint16 port,
                            const std::optional<Tls>& tls) {
    QTcpServer* listener = nullptr;
    if (tls) {
        QFile certFile(tls->certificate);
        QFile keyFile(tls->key);
        if (!certFile.open(QIODevice::ReadOnly)) {
            return tr("Cannot read the certificate %1: %2")
                .arg(tls->certificate, certFile.errorString());
        }
        if (!keyFile.open(QIODevice::ReadOnly)) {
            return tr("Cannot read the key %1: %2").arg(tls->key, keyFile.errorString());
        }
        const QList<QSslCertificate> chain = QSslCertificate::fromDevice(&certFile, QSsl::Pem);
        const QByteArray keyBytes = keyFile.readAll();
        QSslKey key(keyBytes, QSsl::Rsa, QSsl::Pem);
        if (key.isNull()) {
            key = QSslKey(keyBytes, QSsl::Ec, QSsl::Pem);
        }
        if (chain.isEmpty() || chain.first().isNull()) {
            return tr("%1 holds no certificate in PEM form.").arg(tls->certificate);
        }
        if (key.isNull()) {
            return tr("%1 holds no private key in PEM form (RSA or EC, without a passphrase).")
                .arg(tls->key);
        }
        auto* ssl = new GatedServer<QSslServer>();
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        config.setLocalCertificateChain(chain);
        config.setPrivateKey(key);
        config.setPeerVerifyMode(QSslSocket::VerifyNone);
        ssl->setSslConfiguration(config);
        listener = ssl;
    } else {
        listener = new GatedServer<QTcpServer>();
    }
    listener->setParent(server_.get());
    if (!listener->listen(address, port)) {
        const QString why = listener->errorString();
        delete listener;
        return tr("Cannot listen on %1 port %2: %3").arg(address.toString()).arg(port).arg(why);
    }
    server_->bind(listener);
    secure_ = tls.has_value();
    server_->secure = secure_;
    return {};
}

quint16 HttpService::port() const {
    const QList<QTcpServer*> servers = server_->servers();
    return servers.isEmpty() ? 0 : servers.first()->serverPort();
}

bool HttpService::secure() const {
    return secure_;
}

} // namespace tamsel
