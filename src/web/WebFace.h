// SPDX-License-Identifier: GPL-3.0-or-later
// WebFace: the station's page. Serves the page, the JSON it reads and the live connection,
// signs the operator in, and turns what the page asks into the Station's calls, where the
// same checks and refusals hold as for the desk.
#pragma once

#include "Access.h"
#include "HttpService.h"
#include "TileProcess.h"
#include "WebMessage.h"

#include <QHostAddress>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

class QWebSocket;

namespace tamsel {

class Station;
struct StationReport;
struct HeardStation;

class WebFace : public QObject {
    Q_OBJECT
public:
    struct Options {
        QHostAddress address = QHostAddress::LocalHost;
        quint16 port = 8073;
        std::optional<HttpService::Tls> tls;
        QString passwordFile; // PasswordStore's file
        QString sessionsFile; // where sessions are kept between runs; empty: not kept
        QString tilesProgram; // tamsel-tiles
        QString version;
        // Whether a request may switch the program's language while it is answered (the
        // station without windows); else the station's own texts stay in the program's.
        bool languagePerRequest = true;
        PasswordStore::Strength strength = PasswordStore::Strength::Interactive;
    };

    WebFace(Station& station, Options options, QObject* parent = nullptr);
    ~WebFace() override;

    // Starts serving; the reason for the operator when it cannot (no password for an
    // address beyond this machine, the port taken, a bad certificate).
    QString start();
    quint16 port() const;
    QString address() const; // "http://127.0.0.1:8073/"

    // One request, answered (the server calls this; tests too).
    WebResponse handle(const WebRequest& request);
    // Pages connected live.
    std::size_t liveCount() const { return live_.size(); }

    static bool isLoopback(const QHostAddress& address);

signals:
    // For the log: a page connected or left, a sign-in failed.
    void news(int priority, const QString& text);

private:
    struct Live;
    // Who asks, from one read of the password file.
    struct Who {
        bool signedIn = false;
        QByteArray csrf;
        bool passwordSet = true;
    };
    Who who(const WebRequest& r);
    QString languageOf(const WebRequest& r) const;
    bool sameOrigin(const WebRequest& r) const;
    static bool forThisComputer(const WebRequest& r);

    WebResponse file(const QString& path, const WebRequest& r);
    WebResponse tile(const QString& path, const WebRequest& r);
    WebResponse session(const WebRequest& r);
    WebResponse signIn(const WebRequest& r);
    WebResponse signOut(const WebRequest& r);
    WebResponse setLanguage(const WebRequest& r);
    WebResponse texts(const QString& lang);
    WebResponse act(const WebRequest& r);
    WebResponse repeaters(const WebRequest& r);
    QString perform(const Intent& intent, QString* done);

    // The JSON the page reads.
    QJsonObject state();
    // The gate to APRS-IS as the page shows it; null while it is off.
    QJsonValue gate() const;
    QJsonObject header() const;
    QJsonObject adapter() const;
    QJsonValue now() const;
    QJsonObject row(const HeardStation& station) const;
    QJsonValue own() const;

    // The live connection.
    void connected(std::unique_ptr<QWebSocket> socket, bool secure);
    void received(Live* live, const QString& message);
    void broadcast(const std::function<QJsonObject()>& message);
    void reception(const StationReport& report);
    void stationGated(const QString& caller);

    Station& station_;
    Options options_;
    PasswordStore passwords_;
    Sessions sessions_;
    SignInThrottle throttle_;
    QByteArray openCsrf_; // the request token while no password is set
    std::unique_ptr<HttpService> http_;
    std::unique_ptr<TileProcess> tiles_;
    std::vector<std::unique_ptr<Live>> live_;
    QTimer headerNews_; // many header changes in one go reach the pages as one message
    QTimer gateNews_;   // and the gate's count, once for a burst
};

} // namespace tamsel
