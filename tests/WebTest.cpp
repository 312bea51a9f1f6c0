// SPDX-License-Identifier: GPL-3.0-or-later
// The station's web face: what the page may send, the password and sessions, sign-in and
// request tokens, the station's JSON, what the page asks reaching the adapter, and the live
// connection over real sockets.
#include "Access.h"
#include "Station.h"
#include "WebFace.h"
#include "WebMessage.h"
#include "WebProgram.h"
#include "adapter/Catalogue.h"
#include "aprs/AprsGate.h"
#include "calls/Routes.h"
#include "monitor/HeardCells.h"
#include "monitor/Unit2.h"
#include "settings/WebSettings.h"
#include "sim/Demo.h"
#include "sim/SimulatedAdapter.h"
#include "sim/SimulatedBus.h"
#include "station/OwnStation.h"
#include "station/StationSettings.h"
#include "support/FakeAprsIs.h"
#include "support/Receptions.h"
#include "support/Trace.h"
#include "support/TurnUntil.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QWebSocket>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace tamsel {
namespace {

using namespace std::chrono_literals;

TEST(WebMessages, IntentsAreReadOrRefusedWithAReason) {
    struct Row {
        const char* json;
        bool taken;
    };
    const Row rows[] = {
        {R"({"do":"setField","field":"repeater1","value":"JR1YB  B"})", true},
        {R"({"do":"setField","field":"sendMessage","value":"QRV"})", true},
        {R"({"do":"setField","field":"nope","value":"x"})", false},
        {R"({"do":"setField","field":"myCall","value":7})", false},
        {R"({"do":"setField","field":"myCall","value":"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"})",
         false},
        {R"({"do":"setFlag","flag":"emr","on":true})", true},
        {R"({"do":"setFlag","flag":"emr","on":"yes"})", false},
        {R"({"do":"call","item":"echoTest"})", true},
        {R"({"do":"call","item":"format"})", false},
        {R"({"do":"link","reflector":"REF030 C"})", true},
        {R"({"do":"replyTo","call":"JA1XYZ"})", true},
        {R"({"do":"useRepeater"})", false},
        {R"({"do":"shutdown"})", false},
        {R"([1,2])", false},
        {"{\"do\":", false},
        {"", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.json);
        const ParsedIntent p = parseIntent(QByteArray(row.json));
        EXPECT_EQ(p.intent.has_value(), row.taken);
        EXPECT_EQ(p.error.isEmpty(), row.taken);
    }
    const auto field = std::get<intent::SetField>(*parseIntent(rows[0].json).intent);
    EXPECT_EQ(field.field, intent::Field::Repeater1);
    EXPECT_EQ(field.value, QStringLiteral("JR1YB  B"));

    EXPECT_EQ(parseLiveMessage(R"({"type":"hello","csrf":"abc"})").csrf, QStringLiteral("abc"));
    EXPECT_EQ(parseLiveMessage(R"({"type":"ping","id":4})").id, 4);
    EXPECT_EQ(parseLiveMessage(R"({"type":"ping"})").kind, LiveMessage::Kind::Bad);
    EXPECT_EQ(parseLiveMessage(QByteArray(5000, ' ') + R"({"type":"ping","id":1})").kind,
              LiveMessage::Kind::Bad);

    EXPECT_EQ(formValue("password=a+b%26c&x=1", QStringLiteral("password")),
              QStringLiteral("a b&c"));
    EXPECT_EQ(formValue("x=1", QStringLiteral("password")), std::nullopt);
}

TEST(WebAccess, ThePasswordIsKeptOnlyAsAHashReadableByItsOwner) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("web-password"));
    PasswordStore store(file, PasswordStore::Strength::Least);
    EXPECT_FALSE(store.isSet());
    EXPECT_FALSE(store.verify(QString()));
    EXPECT_FALSE(store.set(QStringLiteral("short")).isEmpty());
    EXPECT_FALSE(store.isSet());
    ASSERT_TRUE(store.set(QStringLiteral("correct horse")).isEmpty());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray kept = f.readAll();
    EXPECT_TRUE(kept.startsWith("$argon2id$")) << kept.toStdString();
    EXPECT_FALSE(kept.contains("horse"));
    EXPECT_EQ(f.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), 0);
    EXPECT_TRUE(store.verify(QStringLiteral("correct horse")));
    EXPECT_FALSE(store.verify(QStringLiteral("correct horsE")));
    const QByteArray tag = store.tag();
    ASSERT_TRUE(store.set(QStringLiteral("battery staple")).isEmpty());
    EXPECT_NE(store.tag(), tag);
    EXPECT_FALSE(store.verify(QStringLiteral("correct horse")));
}

TEST(WebAccess, SessionsEndWhenUnusedOrThePasswordChangesAndOutliveARestart) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("web-sessions"));
    const auto t0 = Sessions::Clock::now();
    Sessions sessions(file);
    const Sessions::Opened a = sessions.open("tag1", t0);
    const Sessions::Opened b = sessions.open("tag1", t0);
    EXPECT_NE(a.cookie, b.cookie);
    EXPECT_EQ(sessions.find(a.cookie, "tag1", t0 + 29 * 24h), a.csrf);
    // Used on day 29: still there on day 58, gone 31 days after its last use.
    EXPECT_EQ(sessions.find(a.cookie, "tag1", t0 + 58 * 24h), a.csrf);
    EXPECT_EQ(sessions.find(b.cookie, "tag1", t0 + 31 * 24h), std::nullopt);
    EXPECT_EQ(sessions.find(a.cookie, "tag2", t0 + 58 * 24h), std::nullopt);
    EXPECT_EQ(sessions.find("made-up", "tag1", t0), std::nullopt);

    const Sessions::Opened c = sessions.open("tag1");
    Sessions again(file);
    EXPECT_EQ(again.find(c.cookie, "tag1"), c.csrf);
    again.close(c.cookie);
    EXPECT_EQ(Sessions(file).find(c.cookie, "tag1"), std::nullopt);
    QFile kept(file);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_FALSE(kept.readAll().contains(c.cookie)); // only the token's hash is kept
}

TEST(WebAccess, SignInSlowsDownAfterFailuresPerAddress) {
    SignInThrottle throttle;
    const QHostAddress one(QStringLiteral("192.0.2.1"));
    const QHostAddress two(QStringLiteral("192.0.2.2"));
    const auto t = SignInThrottle::Clock::now();
    EXPECT_EQ(throttle.wait(one, t).count(), 0);
    const int expected[] = {1, 2, 4, 8, 16, 32, 64, 128, 256, 300, 300};
    for (const int seconds : expected) {
        throttle.failed(one, t);
        EXPECT_EQ(throttle.wait(one, t).count(), seconds);
    }
    EXPECT_EQ(throttle.wait(two, t).count(), 0);
    EXPECT_EQ(throttle.wait(one, t + 301s).count(), 0);
    throttle.succeeded(one);
    throttle.failed(one, t);
    EXPECT_EQ(throttle.wait(one, t).count(), 1);
}

// A station on the simulated adapter with its page.
class WebFaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        configureDemoAdapter(*sim);
        station.readHeader();
        face = makeFace(QHostAddress::LocalHost);
    }
    std::unique_ptr<WebFace> makeFace(const QHostAddress& address) {
        WebFace::Options o;
        o.address = address;
        o.port = 0;
        o.passwordFile = folder.filePath(QStringLiteral("web-password"));
        o.sessionsFile = folder.filePath(QStringLiteral("web-sessions"));
        o.strength = PasswordStore::Strength::Least;
        o.languagePerRequest = false;
        return std::make_unique<WebFace>(station, o);
    }
    Station::Options options() const {
        return {folder.filePath(QStringLiteral("data")).toStdString(),
                folder.filePath(QStringLiteral("tamsel.conf")), nullptr, QStringLiteral("test")};
    }
    static WebRequest request(WebRequest::Method method, const char* path, QByteArray body = {},
                              QList<QPair<QByteArray, QByteArray>> headers = {}) {
        WebRequest r;
        r.method = method;
        r.path = QString::fromLatin1(path);
        r.body = std::move(body);
        r.headers = std::move(headers);
        r.headers.emplaceBack("Host", "127.0.0.1:8073");
        r.peer = QHostAddress(QStringLiteral("192.0.2.9"));
        return r;
    }
    static QJsonObject json(const WebResponse& r) {
        return QJsonDocument::fromJson(r.body).object();
    }
    std::vector<std::string> sent() const {
        std::vector<std::string> out;
        for (const TraceEntry& e : sim->mainTrace()) {
            if (e.requestType == kRequestTypeOut) {
                out.push_back(e.name() + " \"" + std::string(e.bytes.begin(), e.bytes.end()) +
                              "\"");
            }
        }
        return out;
    }
    WebResponse act(const QByteArray& body, const QByteArray& csrf) {
        return face->handle(
            request(WebRequest::Method::Post, "/api/do", body, {{"X-CSRF-Token", csrf}}));
    }

    int argc = 1;
    char name[8] = "station";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
    QTemporaryDir folder;
    std::shared_ptr<SimulatedAdapter> sim = std::make_shared<SimulatedAdapter>();
    Station station{*sim, options()};
    std::unique_ptr<WebFace> face;
};

TEST_F(WebFaceTest, OnlyTheOperatorSignedInMayChangeAnything) {
    using M = WebRequest::Method;
    // No password: this computer only, and open to it.
    EXPECT_TRUE(
        json(face->handle(request(M::Get, "/api/session")))[QStringLiteral("signedIn")].toBool());
    EXPECT_FALSE(makeFace(QHostAddress::Any)->start().isEmpty());
    // ... and not for another host name (DNS rebinding) or through a proxy.
    struct HostRow {
        QByteArray host;
        QByteArray forwarded;
        int status;
    };
    const HostRow hosts[] = {
        {"127.0.0.1:8073", {}, 200}, {"localhost:8073", {}, 200},
        {"[::1]:8073", {}, 200},     {"evil.example:8073", {}, 403},
        {"192.0.2.7", {}, 403},      {"127.0.0.1:8073", "192.0.2.7", 403},
    };
    for (const HostRow& h : hosts) {
        WebRequest r;
        r.path = QStringLiteral("/api/session");
        r.headers.emplaceBack("Host", h.host);
        if (!h.forwarded.isEmpty()) {
            r.headers.emplaceBack("X-Forwarded-For", h.forwarded);
        }
        EXPECT_EQ(face->handle(r).status, h.status) << h.host.toStdString();
    }

    PasswordStore(folder.filePath(QStringLiteral("web-password")), PasswordStore::Strength::Least)
        .set(QStringLiteral("hunter2hunter2"));
    EXPECT_EQ(makeFace(QHostAddress(QStringLiteral("127.0.0.1")))
                  .get()
                  ->handle(request(M::Get, "/api/state"))
                  .status,
              401);
    EXPECT_EQ(face->handle(request(M::Get, "/api/state")).status, 401);
    EXPECT_FALSE(
        json(face->handle(request(M::Get, "/api/session")))[QStringLiteral("signedIn")].toBool());

    // A wrong password, then the address has to wait; another address does not.
    EXPECT_EQ(face->handle(request(M::Post, "/api/signin", "password=wrong")).status, 401);
    const WebResponse waiting =
        face->handle(request(M::Post, "/api/signin", "password=hunter2hunter2"));
    EXPECT_EQ(waiting.status, 429);
    EXPECT_EQ(json(waiting)[QStringLiteral("retryAfter")].toInt(), 1);
    WebRequest other = request(M::Post, "/api/signin", "password=hunter2hunter2");
    other.peer = QHostAddress(QStringLiteral("192.0.2.10"));
    const WebResponse in = face->handle(other);
    ASSERT_EQ(in.status, 200);
    QByteArray cookie;
    for (const auto& [k, v] : in.headers) {
        if (k == "Set-Cookie") {
            cookie = v;
        }
    }
    EXPECT_TRUE(cookie.contains("; HttpOnly") && cookie.contains("; SameSite=Strict"))
        << cookie.toStdString();
    EXPECT_FALSE(cookie.contains("Secure")); // not over TLS
    const QByteArray session = cookie.left(cookie.indexOf(';'));
    const QByteArray csrf = json(in)[QStringLiteral("csrf")].toString().toLatin1();

    const auto with = [&](M m, const char* path, QByteArray body,
                          QList<QPair<QByteArray, QByteArray>> h) {
        h.emplaceBack("Cookie", session);
        return face->handle(request(m, path, std::move(body), std::move(h)));
    };
    const QByteArray change = R"({"do":"setField","field":"stationCall","value":"cqcqcq"})";
    EXPECT_EQ(with(M::Get, "/api/state", {}, {}).status, 200);
    EXPECT_EQ(with(M::Post, "/api/do", change, {}).status, 403);
    EXPECT_EQ(with(M::Post, "/api/do", change, {{"X-CSRF-Token", "forged"}}).status, 403);
    EXPECT_EQ(with(M::Post, "/api/do", change,
                   {{"X-CSRF-Token", csrf}, {"Origin", "https://evil.example"}})
                  .status,
              403);
    EXPECT_EQ(with(M::Post, "/api/do", "{", {{"X-CSRF-Token", csrf}}).status, 400);
    const WebResponse done = with(M::Post, "/api/do", change,
                                  {{"X-CSRF-Token", csrf}, {"Origin", "http://127.0.0.1:8073"}});
    EXPECT_EQ(done.status, 200);
    EXPECT_TRUE(json(done)[QStringLiteral("ok")].toBool());

    // Signing out ends the session.
    EXPECT_EQ(with(M::Post, "/api/signout", {}, {{"X-CSRF-Token", csrf}}).status, 200);
    EXPECT_EQ(with(M::Get, "/api/state", {}, {}).status, 401);
}

TEST_F(WebFaceTest, WhatThePageAsksGoesThroughTheStationsChecks) {
    const QByteArray csrf =
        json(face->handle(request(WebRequest::Method::Get, "/api/session")))[QStringLiteral("csrf")]
            .toString()
            .toLatin1();
    struct Row {
        const char* body;
        std::vector<std::string> requests;
        QString refusal;
    };
    const Row rows[] = {
        {R"({"do":"setField","field":"repeater1","value":"db0abc c"})",
         {"SetRpt1Call \"DB0ABC C\""},
         {}},
        {R"({"do":"setField","field":"repeater1","value":"DB0ABC C"})", {}, {}},
        {R"({"do":"setField","field":"stationCall","value":"JA1あ"})", {}, QStringLiteral("*")},
        {R"({"do":"setField","field":"repeater1","value":""})", {"SetRpt1Call \"        \""}, {}},
        {R"({"do":"call","item":"echoTest"})", {}, QString::fromLatin1(kNoRepeater)},
        {R"({"do":"setField","field":"repeater1","value":"JR1YB  B"})",
         {"SetRpt1Call \"JR1YB  B\""},
         {}},
        {R"({"do":"call","item":"echoTest"})", {"SetYourCall \"       E\""}, {}},
        {R"({"do":"link","reflector":"nonsense!"})", {}, QStringLiteral("*")},
        {R"({"do":"call","item":"reply"})", {}, QString::fromLatin1(kNobodyHeard)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.body);
        sim->clearTrace();
        const QJsonObject answer = json(act(row.body, csrf));
        EXPECT_EQ(sent(), row.requests);
        const QString refusal = answer[QStringLiteral("refusal")].toString();
        if (row.refusal == QLatin1String("*")) {
            EXPECT_FALSE(refusal.isEmpty());
        } else {
            EXPECT_EQ(refusal, row.refusal);
        }
        EXPECT_EQ(answer[QStringLiteral("ok")].toBool(), row.refusal.isEmpty());
    }
    const QJsonObject header =
        json(face->handle(request(WebRequest::Method::Get, "/api/state")))[QStringLiteral("header")]
            .toObject();
    EXPECT_EQ(header[QStringLiteral("stationCall")].toString(), QStringLiteral("       E"));
    EXPECT_EQ(header[QStringLiteral("repeater1")].toString(), QStringLiteral("JR1YB  B"));
}

TEST_F(WebFaceTest, AReceptionReachesEveryOpenPageAndItsReplyTheAdapter) {
    ASSERT_TRUE(face->start().isEmpty());
    const QString base = QStringLiteral("127.0.0.1:%1").arg(face->port());
    const QByteArray csrf =
        json(face->handle(request(WebRequest::Method::Get, "/api/session")))[QStringLiteral("csrf")]
            .toString()
            .toLatin1();
    struct Page {
        std::unique_ptr<QWebSocket> socket;
        std::vector<QJsonObject> got;
        bool closed = false;
    };
    const auto open = [&](const QString& origin) {
        auto page = std::make_unique<Page>();
        page->socket = std::make_unique<QWebSocket>(origin);
        Page* p = page.get();
        QObject::connect(p->socket.get(), &QWebSocket::textMessageReceived, [p](const QString& m) {
            p->got.push_back(QJsonDocument::fromJson(m.toUtf8()).object());
        });
        QObject::connect(p->socket.get(), &QWebSocket::disconnected, [p] { p->closed = true; });
        p->socket->open(QUrl(QStringLiteral("ws://%1/live").arg(base)));
        return page;
    };
    const auto has = [](const Page& p, const char* type) {
        return std::any_of(p.got.begin(), p.got.end(), [type](const QJsonObject& o) {
            return o[QStringLiteral("type")].toString() == QLatin1String(type);
        });
    };
    auto stranger = open(QStringLiteral("http://evil.example"));
    auto a = open(QStringLiteral("http://") + base);
    auto b = open(QStringLiteral("http://") + base);
    for (Page* p : {a.get(), b.get()}) {
        ASSERT_TRUE(turnUntil([&] {
            return p->socket->state() == QAbstractSocket::ConnectedState;
        })) << p->socket->errorString().toStdString();
        p->socket->sendTextMessage(
            QStringLiteral(R"({"type":"hello","csrf":"%1"})").arg(QString::fromLatin1(csrf)));
        ASSERT_TRUE(turnUntil([&] { return has(*p, "state"); }));
    }
    ASSERT_TRUE(turnUntil([&] { return stranger->closed; }));
    EXPECT_EQ(stranger->socket->closeCode(), QWebSocketProtocol::CloseCodePolicyViolated);
    EXPECT_EQ(face->liveCount(), 2u);

    // A change one page makes reaches the other.
    ASSERT_TRUE(json(act(R"({"do":"setField","field":"myCall","value":"JJ1ZZZ"})",
                         csrf))[QStringLiteral("ok")]
                    .toBool());
    ASSERT_TRUE(turnUntil([&] { return has(*b, "header"); }));
    EXPECT_EQ(b->got.back()[QStringLiteral("header")]
                  .toObject()[QStringLiteral("myCall")]
                  .toString()
                  .trimmed(),
              QStringLiteral("JJ1ZZZ"));

    // A reception, live to both pages, then replied to from Heard Stations.
    std::mt19937 rng(3);
    const DemoReception heard = demoReception(rng, 0.0, sim->text(0x60));
    sim->queueReception(heard.script);
    SimulatedBus bus(SimulatedBus::oneAdapter(), sim);
    ASSERT_EQ(discoverAdapter(bus).outcome, Discovery::Outcome::Found);
    station.start();
    for (Page* p : {a.get(), b.get()}) {
        ASSERT_TRUE(turnUntil([&] { return has(*p, "reception"); }));
    }
    const auto reception = std::find_if(a->got.begin(), a->got.end(), [](const QJsonObject& o) {
        return o[QStringLiteral("type")].toString() == QLatin1String("reception");
    });
    const QString caller =
        (*reception)[QStringLiteral("now")].toObject()[QStringLiteral("caller")].toString();
    EXPECT_EQ((*reception)[QStringLiteral("row")].toObject()[QStringLiteral("call")].toString(),
              caller);
    ASSERT_TRUE(turnUntil([&] { return !station.receiving(); }));
    station.stop();
    sim->clearTrace();
    const QJsonObject replied =
        json(act(QStringLiteral(R"({"do":"replyTo","call":"%1"})").arg(caller).toUtf8(), csrf));
    EXPECT_TRUE(replied[QStringLiteral("ok")].toBool())
        << replied[QStringLiteral("refusal")].toString().toStdString();
    EXPECT_EQ(station.header()[HeaderField::StationCall].trimmed(), caller);
    EXPECT_FALSE(sent().empty());

    // A ping is answered on the same connection.
    a->socket->sendTextMessage(QStringLiteral(R"({"type":"ping","id":42})"));
    ASSERT_TRUE(turnUntil([&] { return has(*a, "pong"); }));

    // A page that sends more than a message may hold is closed; the others go on.
    a->socket->sendTextMessage(QString(kMaxLiveMessageBytes + 1, QLatin1Char('x')));
    ASSERT_TRUE(turnUntil([&] { return a->closed; }));
    ASSERT_TRUE(turnUntil([&] { return face->liveCount() == 1; }));
    b->socket->sendTextMessage(QStringLiteral(R"({"type":"ping","id":43})"));
    ASSERT_TRUE(turnUntil([&] { return has(*b, "pong"); }));
}

// What the server library is given to read is limited; what it cannot read gets a 400.
// The gate to APRS-IS on the page: nothing while off; on, its line, and a gated station's
// row says when.
TEST_F(WebFaceTest, TheGateIsShownWhileOnAndAGatedStationsRowSaysWhen) {
    const auto state = [&] {
        return json(face->handle(request(WebRequest::Method::Get, "/api/state")));
    };
    EXPECT_TRUE(state()[QStringLiteral("gated")].isNull());
    test::FakeAprsIs server(true);
    saveAprsSettings(station.settings(), {true, QStringLiteral("127.0.0.1:%1").arg(server.port()),
                                          QStringLiteral("T2GATE-10"), QStringLiteral("12345")});
    station.settings().commit();
    ASSERT_TRUE(turnUntil(
        [&] { return station.aprs().client().state() == AprsIsClient::State::Verified; }));
    EXPECT_EQ(state()[QStringLiteral("gated")][QStringLiteral("status")].toString(),
              "APRS-IS: connected, 0 gated");
    for (const StationReport& r :
         test::receive("KO6JXH  ", "    ", "",
                       "$$CRC1FC0,KO6JXH-7>API52,DSTAR*:/141625z3239.47N/11657.79W[179/000/J.P. "
                       "HT ID-52PLUS\r")) {
        emit station.monitor()->stationReport(r);
    }
    const QJsonObject after = state();
    EXPECT_EQ(after[QStringLiteral("gated")][QStringLiteral("count")].toInt(), 1);
    const QJsonArray cells = after[QStringLiteral("heard")][0][QStringLiteral("cells")].toArray();
    ASSERT_EQ(cells.size(), HeardCells::ColumnCount);
    EXPECT_FALSE(cells[HeardCells::Gated].toString().isEmpty());
}

TEST_F(WebFaceTest, OversizedAndMalformedRequestsAreAnsweredNotHung) {
    ASSERT_TRUE(face->start().isEmpty());
    const auto exchange = [&](const QByteArray& bytes) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, face->port());
        EXPECT_TRUE(turnUntil([&] { return socket.state() == QAbstractSocket::ConnectedState; }));
        socket.write(bytes);
        QByteArray answer;
        turnUntil([&] {
            answer += socket.readAll();
            return answer.contains("\r\n\r\n") ||
                   socket.state() == QAbstractSocket::UnconnectedState;
        });
        return answer.left(answer.indexOf("\r\n"));
    };
    QByteArray manyHeaders = "GET /api/session HTTP/1.1\r\nHost: 127.0.0.1\r\n";
    for (int i = 0; i < 100; ++i) {
        manyHeaders += "X-" + QByteArray::number(i) + ": y\r\n";
    }
    struct Row {
        QByteArray request;
        QByteArray status;
    };
    const Row rows[] = {
        {"GET /api/session HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n", "HTTP/1.1 200 OK"},
        {"GARBAGE\r\n\r\n", "HTTP/1.1 400 Bad Request"},
        {manyHeaders + "\r\n", "HTTP/1.1 400 Bad Request"},
        {"POST /api/do HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 100000\r\n\r\n" +
             QByteArray(100000, 'a'),
         "HTTP/1.1 413 Content Too Large"},
        {"GET /../../etc/passwd HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n", "HTTP/1.1 404 Not Found"},
        {"GET /leaflet/../../../etc/passwd HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n",
         "HTTP/1.1 404 Not Found"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.request.left(40).toStdString());
        EXPECT_EQ(exchange(row.request), row.status);
    }
}

TEST(WebSettingsTest, ListenAddressesAndTheCommandLine) {
    struct Row {
        const char* text;
        bool taken;
        const char* host;
        int port;
    };
    const Row rows[] = {
        {"127.0.0.1:8073", true, "127.0.0.1", 8073},
        {"[::1]:8073", true, "::1", 8073},
        {"0.0.0.0:80", true, "0.0.0.0", 80},
        {"127.0.0.1:0", true, "127.0.0.1", 0},
        {"localhost:8073", false, "", 0},
        {":8073", false, "", 0},
        {"127.0.0.1:65536", false, "", 0},
        {"127.0.0.1:", false, "", 0},
        {"127.0.0.1", false, "", 0},
        {"[::1]8073", false, "", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const auto where = listenAddress(QString::fromLatin1(row.text));
        ASSERT_EQ(where.has_value(), row.taken);
        if (where) {
            EXPECT_EQ(where->first, QHostAddress(QString::fromLatin1(row.host)));
            EXPECT_EQ(where->second, row.port);
        }
    }

    // The web face's options come out of the arguments; the rest stays for the common ones.
    struct Args {
        std::vector<std::string> in;
        std::vector<std::string> left;
        bool wrong;
    };
    const Args cases[] = {
        {{"--listen", "0.0.0.0:8073", "--version"}, {"--version"}, false},
        {{"--listen=[::1]:9000"}, {}, false},
        {{"--listen"}, {}, true},
        {{"--listen", "example.org:80"}, {}, true},
        {{"--tls-cert", "c.pem"}, {}, true}, // without its key
        {{"--tls-cert=c.pem", "--tls-key=k.pem", "--set-password"}, {}, false},
        {{"-platform", "offscreen"}, {"-platform", "offscreen"}, false},
    };
    for (const Args& c : cases) {
        std::vector<std::string> storage{"tamsel-station"};
        storage.insert(storage.end(), c.in.begin(), c.in.end());
        std::vector<char*> argv;
        for (std::string& a : storage) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        int argc = static_cast<int>(storage.size());
        WebArguments web;
        const auto wrong = takeWebArguments(argc, argv.data(), web);
        EXPECT_EQ(wrong.has_value(), c.wrong) << (c.in.empty() ? "" : c.in[0]);
        if (!c.wrong) {
            std::vector<std::string> left(argv.begin() + 1, argv.begin() + argc);
            EXPECT_EQ(left, c.left);
        }
    }
}

TEST(WebSettingsTest, SetPasswordAsksTwiceAndKeepsOnlyWhatMatches) {
    struct Row {
        const char* input;
        int status;
        bool kept;
    };
    const Row rows[] = {
        {"long enough 1\nlong enough 1\n", 0, true},
        {"long enough 1\nlong enough 2\n", 1, false},
        {"short\nshort\n", 1, false},
        {"", 1, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("web-password"));
        std::istringstream in(row.input);
        std::ostringstream out;
        EXPECT_EQ(setPasswordFrom(in, out, file), row.status) << out.str();
        EXPECT_EQ(PasswordStore(file).verify(QStringLiteral("long enough 1")), row.kept);
        EXPECT_EQ(out.str().find("long enough"), std::string::npos); // never echoed
    }
}

TEST_F(WebFaceTest, ThePageSpeaksTheBrowsersLanguageOrTheOneChosen) {
    struct Row {
        QByteArray acceptLanguage;
        QByteArray cookie;
        const char* lang;
    };
    const Row rows[] = {
        {"de-DE,de;q=0.9,en;q=0.8", {}, "de"},
        {"fr-FR, ja;q=0.5, de;q=0.4", {}, "ja"},
        {"fr", {}, "en"},
        {"", {}, "en"},
        {"de", "tamsel_lang=ja", "ja"},
        {"de", "tamsel_lang=xx", "de"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.acceptLanguage.toStdString() + " " + row.cookie.toStdString());
        QList<QPair<QByteArray, QByteArray>> headers{{"Accept-Language", row.acceptLanguage}};
        if (!row.cookie.isEmpty()) {
            headers.append({"Cookie", row.cookie});
        }
        const QJsonObject texts =
            json(face->handle(request(WebRequest::Method::Get, "/api/texts", {}, headers)));
        EXPECT_EQ(texts[QStringLiteral("lang")].toString(), QLatin1String(row.lang));
        const QJsonArray columns = texts[QStringLiteral("columns")].toArray();
        ASSERT_EQ(columns.size(), HeardCells::ColumnCount);
        const QString distance =
            columns[HeardCells::Distance].toObject()[QStringLiteral("title")].toString();
        EXPECT_TRUE(distance.endsWith(QLatin1String("(km)"))) << distance.toStdString();
        EXPECT_EQ(distance.startsWith(QLatin1String("Distance")),
                  std::string_view(row.lang) == "en")
            << distance.toStdString();
    }
}

// The directory as the page asks it: by text, nearest first, and inside the map's box, also
// one that spans the 180th meridian.
TEST_F(WebFaceTest, TheDirectoryBySearchAndByTheMapsBox) {
    const auto repeater = [](const char* name, const char* call, double lat, double lon) {
        Repeater r;
        r.name = name;
        r.callsign = call;
        r.gateway = std::string(call).substr(0, 7) + "G";
        r.dv = true;
        r.frequencyMHz = 439.01;
        r.position = LatLon{lat, lon};
        return r;
    };
    std::vector<Repeater> list{repeater("Yokohama", "JR1WH  A", 35.44, 139.64),
                               repeater("Tokyo", "JR1YB  B", 35.68, 139.77),
                               repeater("Fiji", "3D2AA  B", -18.0, 179.9),
                               repeater("Samoa", "5W1AA  B", -13.8, -171.8),
                               repeater("Greenwich", "GB3AA  B", 51.48, 0.0)};
    ASSERT_TRUE(station.repeaters().keep("test.csv", "test", list).isEmpty());
    StationSettings here;
    here.source = PositionSource::LatLon;
    here.latitude = 35.45;
    here.longitude = 139.63;
    station.ownStation().configure(here);

    const auto ask = [&](const char* query) {
        WebRequest r = request(WebRequest::Method::Get, "/api/repeaters");
        r.query = query;
        const QJsonArray rows = json(face->handle(r))[QStringLiteral("rows")].toArray();
        QStringList names;
        for (const QJsonValue& row : rows) {
            names << row.toObject()[QStringLiteral("name")].toString();
        }
        return names;
    };
    EXPECT_EQ(ask("q=jr1&limit=50"), (QStringList{"Yokohama", "Tokyo"})); // nearest first
    EXPECT_EQ(ask("q=TOKYO"), (QStringList{"Tokyo"}));
    EXPECT_EQ(ask("q=jr1&limit=1"), (QStringList{"Yokohama"}));
    EXPECT_EQ(ask("bbox=-30,170,0,-160&limit=500"), (QStringList{"Fiji", "Samoa"}));
    EXPECT_EQ(ask("bbox=50,-1,52,1"), (QStringList{"Greenwich"}));
    WebRequest bad = request(WebRequest::Method::Get, "/api/repeaters");
    bad.query = "bbox=1,2,three,4";
    EXPECT_EQ(face->handle(bad).status, 400);

    // Use as My Repeater: the route's fields and the option; a name the directory lacks is
    // refused before anything is sent.
    const QByteArray csrf =
        json(face->handle(request(WebRequest::Method::Get, "/api/session")))[QStringLiteral("csrf")]
            .toString()
            .toLatin1();
    sim->clearTrace();
    EXPECT_FALSE(json(act(R"({"do":"useRepeater","call":"XX1XX  B"})", csrf))[QStringLiteral("ok")]
                     .toBool());
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(json(act(R"({"do":"useRepeater","call":"jr1wh  a"})", csrf))[QStringLiteral("ok")]
                    .toBool());
    EXPECT_EQ(station.header()[HeaderField::Repeater1], QStringLiteral("JR1WH  A"));
    EXPECT_EQ(station.header()[HeaderField::Repeater2], QStringLiteral("JR1WH  G"));
}

// The page comes with its session and texts: no request of its own before the live
// connection, and nothing in the data can end its block.
TEST_F(WebFaceTest, ThePageComesWithItsSessionAndTexts) {
    const WebResponse page = face->handle(request(WebRequest::Method::Get, "/"));
    ASSERT_EQ(page.status, 200);
    EXPECT_TRUE(page.type.startsWith("text/html"));
    const qsizetype start =
        page.body.indexOf(R"(<script type="application/json" id="tamsel-boot">)");
    ASSERT_GE(start, 0);
    const qsizetype from = page.body.indexOf('>', start) + 1;
    const QByteArray data = page.body.mid(from, page.body.indexOf("</script>", from) - from);
    EXPECT_FALSE(data.contains('<'));
    const QJsonObject boot = QJsonDocument::fromJson(data).object();
    EXPECT_TRUE(boot[QStringLiteral("session")].toObject()[QStringLiteral("signedIn")].toBool());
    EXPECT_FALSE(
        boot[QStringLiteral("texts")].toObject()[QStringLiteral("texts")].toObject().isEmpty());
    for (const auto& [name, value] : page.headers) {
        if (name == "Cache-Control") {
            EXPECT_EQ(value, "no-store"); // it holds the request token
        }
    }
}

// Tiles come from tamsel-tiles: a PNG for a tile of the world, nothing for one outside it.
TEST(WebTiles, DrawnByTheirOwnProgram) {
    TileProcess tiles(QStringLiteral(TAMSEL_TILES_PROGRAM));
    const QByteArray world = tiles.tile(0, 0, 0, false);
    ASSERT_TRUE(world.startsWith("\x89PNG\r\n\x1a\n")) << world.left(40).toStdString();
    EXPECT_NE(tiles.tile(0, 0, 0, true), world); // the dark colours
    EXPECT_EQ(tiles.tile(0, 0, 0, false), world);
    EXPECT_TRUE(tiles.tile(2, 4, 0, false).isEmpty());
    EXPECT_TRUE(tiles.tile(19, 0, 0, false).isEmpty());
    EXPECT_TRUE(tiles.tile(3, -1, 0, false).isEmpty());
    EXPECT_TRUE(
        TileProcess(QStringLiteral("/nonexistent/tamsel-tiles")).tile(0, 0, 0, false).isEmpty());
}

// Over TLS with the operator's certificate: signed in, the cookie marked Secure; a
// certificate that cannot be read or a port already taken is said, not served.
TEST_F(WebFaceTest, TlsWithTheOperatorsCertificate) {
    // A self-signed certificate for localhost, made with openssl for these tests.
    const QString data = QStringLiteral(TAMSEL_SOURCE_DIR "/tests/data/web/");
    const auto tlsFace = [&](const QString& cert, quint16 port) {
        WebFace::Options o;
        o.port = port;
        o.passwordFile = folder.filePath(QStringLiteral("web-password"));
        o.strength = PasswordStore::Strength::Least;
        o.languagePerRequest = false;
        o.tls = HttpService::Tls{cert, data + QStringLiteral("tls-key.pem")};
        return std::make_unique<WebFace>(station, o);
    };
    ASSERT_TRUE(PasswordStore(folder.filePath(QStringLiteral("web-password")),
                              PasswordStore::Strength::Least)
                    .set(QStringLiteral("hunter2hunter2"))
                    .isEmpty());
    EXPECT_TRUE(tlsFace(data + QStringLiteral("missing.pem"), 0)
                    ->start()
                    .contains(QLatin1String("missing.pem")));
    auto secure = tlsFace(data + QStringLiteral("tls-cert.pem"), 0);
    ASSERT_TRUE(secure->start().isEmpty());
    EXPECT_TRUE(secure->address().startsWith(QLatin1String("https://")));
    EXPECT_FALSE(
        tlsFace(data + QStringLiteral("tls-cert.pem"), secure->port())->start().isEmpty()); // taken

    QNetworkAccessManager net;
    const auto post = [&](const QString& scheme) {
        QNetworkRequest r(
            QUrl(QStringLiteral("%1://127.0.0.1:%2/api/signin").arg(scheme).arg(secure->port())));
        r.setHeader(QNetworkRequest::ContentTypeHeader,
                    QByteArray("application/x-www-form-urlencoded"));
        QNetworkReply* reply = net.post(r, QByteArray("password=hunter2hunter2"));
        QObject::connect(reply, &QNetworkReply::sslErrors, reply,
                         [reply] { reply->ignoreSslErrors(); });
        EXPECT_TRUE(turnUntil([&] { return reply->isFinished(); }));
        reply->deleteLater();
        return std::pair(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                         reply->rawHeader("Set-Cookie"));
    };
    const auto [status, cookie] = post(QStringLiteral("https"));
    EXPECT_EQ(status, 200);
    EXPECT_TRUE(cookie.contains("; Secure")) << cookie.toStdString();
    EXPECT_NE(post(QStringLiteral("http")).first, 200); // no plain HTTP on the TLS port
}

} // namespace
} // namespace tamsel
