// SPDX-License-Identifier: GPL-3.0-or-later
// HttpService: HTTP and WebSocket for the web face over Qt HttpServer. The server library's
// interface changes between Qt versions; this is the one class that knows it. Requests come
// in as WebRequest and go out as WebResponse; a live connection is handed over as a
// QWebSocket.
#pragma once

#include "WebMessage.h"

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QWebSocket;

namespace tamsel {

class HttpService : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<WebResponse(const WebRequest&)>;
    // A WebSocket connection; `secure` when it came over TLS.
    using LiveHandler = std::function<void(std::unique_ptr<QWebSocket>, bool secure)>;

    HttpService(Handler handler, LiveHandler live, QObject* parent = nullptr);
    ~HttpService() override;

    struct Tls {
        QString certificate; // PEM files
        QString key;
    };
    // Starts listening; the reason for the operator when it cannot.
    QString listen(const QHostAddress& address, quint16 port, const std::optional<Tls>& tls);
    quint16 port() const;
    bool secure() const;

private:
    class Server;
    std::unique_ptr<Server> server_;
    bool secure_ = false;
};

} // namespace tamsel
