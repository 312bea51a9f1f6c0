// SPDX-License-Identifier: GPL-3.0-or-later
// WebFace: the station's page, its JSON, its live connection and who may use it.
#include "WebFace.h"

#include "PageTexts.h"
#include "Station.h"
#include "adapter/Discovery.h"
#include "aprs/AprsGate.h"
#include "calls/RouteNames.h"
#include "calls/Routes.h"
#include "calls/Targets.h"
#include "language/Numbers.h"
#include "language/Translations.h"
#include "memory/Text.h"
#include "monitor/HeardCells.h"
#include "station/Geodesy.h"
#include "station/OwnStation.h"
#include "station/Units.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTranslator>
#include <QUrlQuery>
#include <QWebSocket>
#include <cmath>
#include <map>

namespace tamsel {

namespace {

constexpr int kHeardRows = 500; // the newest stations a page is sent; the count says the rest
constexpr int kRepeaterRows = 500;
constexpr char kSessionCookie[] = "tamsel_session";
constexpr char kLanguageCookie[] = "tamsel_lang";
constexpr QLatin1String kLeafletFolder{"/usr/share/javascript/leaflet/"};
constexpr char kPolicy[] = "default-src 'self'; img-src 'self' data:; style-src 'self'; "
                           "script-src 'self'; connect-src 'self' ws: wss:; "
                           "frame-ancestors 'none'; base-uri 'none'; form-action 'self'";

const char* const kOnlyThisComputer = QT_TRANSLATE_NOOP(
    "Web", "No password is set, so the page is for this computer alone. Set one with "
           "tamsel-station --set-password or in the console's Preferences, Remote.");

QJsonObject json(const WebResponse& r) {
    return QJsonDocument::fromJson(r.body).object();
}

QString text(const char* source) {
    return QCoreApplication::translate("Web", source);
}

// ---- Languages ----------------------------------------------------------------------------

// Gives every text in English, whatever else is installed.
class EnglishTranslator : public QTranslator {
public:
    QString translate(const char*, const char* source, const char* = nullptr,
                      int = -1) const override {
        return QString::fromUtf8(source);
    }
    bool isEmpty() const override { return false; }
};

const QStringList& pageLanguages() {
    static const QStringList languages = [] {
        QStringList l{QStringLiteral("en")};
        for (const QString& code : Translations::available()) {
            if (!l.contains(code)) {
                l << code;
            }
        }
        return l;
    }();
    return languages;
}

QTranslator* ownTranslator(const QString& lang) {
    static std::map<QString, std::unique_ptr<QTranslator>> loaded;
    auto& t = loaded[lang];
    if (!t) {
        if (lang == QLatin1String("en")) {
            t = std::make_unique<EnglishTranslator>();
        } else {
            t = std::make_unique<QTranslator>();
            if (!t->load(Translations::ownFile(lang))) {
                t = std::make_unique<EnglishTranslator>();
            }
        }
    }
    return t.get();
}

// A text of the console in `lang`, without touching what the program has installed.
QString translated(const QString& lang, const char* context, const char* source) {
    const QString t = ownTranslator(lang)->translate(context, source);
    return t.isEmpty() ? QString::fromUtf8(source) : t;
}

// Speaks `lang` while it lives: the station's own texts (refusals, route names, numbers)
// come out in the page's language. Only where no window would hear of the change.
class LanguageScope {
public:
    LanguageScope(const QString& lang, bool enabled) : enabled_(enabled) {
        if (!enabled_) {
            return;
        }
        translator_ = ownTranslator(lang);
        QCoreApplication::installTranslator(translator_);
        before_ = QLocale();
        QLocale::setDefault(QLocale(lang));
    }
    ~LanguageScope() {
        if (enabled_) {
            QCoreApplication::removeTranslator(translator_);
            QLocale::setDefault(before_);
        }
    }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

private:
    bool enabled_;
    QTranslator* translator_ = nullptr;
    QLocale before_;
};

QString languageName(const QString& code) {
    const QLocale locale(code);
    QString name = locale.nativeLanguageName();
    if (code == QLatin1String("en")) {
        name = QStringLiteral("English");
    }
    return name.left(1).toUpper() + name.mid(1);
}

// ---- Small helpers ------------------------------------------------------------------------

QString fieldText(const std::string& bytes) {
    return fromBytes(bytes);
}

HeaderField headerField(intent::Field f) {
    return static_cast<HeaderField>(static_cast<int>(f));
}

QJsonValue number(const std::optional<double>& n) {
    return n && std::isfinite(*n) ? QJsonValue(*n) : QJsonValue(QJsonValue::Null);
}

WebResponse withCookie(WebResponse r, const QByteArray& cookie) {
    r.headers.emplaceBack("Set-Cookie", cookie);
    return r;
}

QByteArray cookieLine(const QByteArray& name, const QByteArray& value, bool secure,
                      std::optional<std::chrono::seconds> maxAge) {
    QByteArray line = name + '=' + value + "; Path=/; HttpOnly; SameSite=Strict";
    if (maxAge) {
        line += "; Max-Age=" + QByteArray::number(static_cast<qlonglong>(maxAge->count()));
    }
    if (secure) {
        line += "; Secure";
    }
    return line;
}

QByteArray mimeOf(const QString& name) {
    if (name.endsWith(QLatin1String(".html"))) {
        return "text/html; charset=utf-8";
    }
    if (name.endsWith(QLatin1String(".js"))) {
        return "text/javascript; charset=utf-8";
    }
    if (name.endsWith(QLatin1String(".css"))) {
        return "text/css; charset=utf-8";
    }
    if (name.endsWith(QLatin1String(".png"))) {
        return "image/png";
    }
    if (name.endsWith(QLatin1String(".svg"))) {
        return "image/svg+xml";
    }
    return "application/octet-stream";
}

} // namespace

// ---- The live connection ------------------------------------------------------------------

struct WebFace::Live {
    std::unique_ptr<QWebSocket> socket;
    QByteArray cookie; // the session's, checked again at hello
    QString lang;
    bool greeted = false;
};

// ---- WebFace ------------------------------------------------------------------------------

WebFace::WebFace(Station& station, Options options, QObject* parent)
    : QObject(parent), station_(station), options_(std::move(options)),
      passwords_(options_.passwordFile, options_.strength), sessions_(options_.sessionsFile),
      openCsrf_(Sessions::randomToken()) {
    headerNews_.setSingleShot(true);
    headerNews_.setInterval(0);
    connect(&headerNews_, &QTimer::timeout, this, [this] {
        broadcast([this] {
            return QJsonObject{{QStringLiteral("type"), QStringLiteral("header")},
                               {QStringLiteral("header"), header()}};
        });
    });
    const auto headerNews = [this] { headerNews_.start(); };
    connect(&station_, &Station::headerChanged, this, headerNews);
    connect(&station_, &Station::flagChanged, this, headerNews);
    connect(&station_, &Station::headerRead, this, headerNews);
    connect(&station_, &Station::flagsRead, this, headerNews);
    connect(&station_, &Station::adapterChanged, this, [this] {
        broadcast([this] {
            return QJsonObject{{QStringLiteral("type"), QStringLiteral("adapter")},
                               {QStringLiteral("adapter"), adapter()}};
        });
    });
    connect(&station_, &Station::reception, this, &WebFace::reception);
    // The gate's count changes with every position gated: one message for a burst.
    gateNews_.setSingleShot(true);
    gateNews_.setInterval(250);
    connect(&gateNews_, &QTimer::timeout, this, [this] {
        broadcast([this] {
            return QJsonObject{{QStringLiteral("type"), QStringLiteral("gate")},
                               {QStringLiteral("gate"), gate()}};
        });
    });
    connect(&station_.aprs(), &AprsGate::changed, this, [this] {
        if (!gateNews_.isActive()) {
            gateNews_.start();
        }
    });
    connect(&station_.aprs(), &AprsGate::lost, this, [this] {
        broadcast([this] {
            return QJsonObject{{QStringLiteral("type"), QStringLiteral("notice")},
                               {QStringLiteral("text"),
                                text(QT_TRANSLATE_NOOP(
                                    "Web", "APRS-IS: the connection was lost; trying again."))}};
        });
    });
    connect(&station_, &Station::stationGated, this, &WebFace::stationGated);
    connect(&station_, &Station::nearerRepeater, this,
            [this](const Repeater& repeater, double metres) {
                broadcast([&] {
                    //: %1: a repeater's callsign, %2: its distance with the unit
                    const QString t =
                        text(QT_TRANSLATE_NOOP("Web", "A nearer repeater is in the directory: "
                                                      "%1, %2."))
                            .arg(QString::fromStdString(repeater.shownCallsign()),
                                 distanceText(station_.ownStation().units(), metres));
                    return QJsonObject{{QStringLiteral("type"), QStringLiteral("notice")},
                                       {QStringLiteral("text"), t}};
                });
            });
}

WebFace::~WebFace() {
    for (auto& live : live_) {
        live->socket->disconnect(this);
        live->socket->close(QWebSocketProtocol::CloseCodeGoingAway);
    }
}

bool WebFace::isLoopback(const QHostAddress& address) {
    return address.isLoopback();
}

QString WebFace::start() {
    if (!isLoopback(options_.address) && !passwords_.isSet()) {
        //: %1: the address asked for, such as 0.0.0.0
        return text(QT_TRANSLATE_NOOP(
                        "Web", "No password is set, so the page is served on this computer only "
                               "(127.0.0.1), not on %1. Set one with tamsel-station "
                               "--set-password, or listen on 127.0.0.1."))
            .arg(options_.address.toString());
    }
    http_ = std::make_unique<HttpService>([this](const WebRequest& r) { return handle(r); },
                                          [this](std::unique_ptr<QWebSocket> socket, bool secure) {
                                              connected(std::move(socket), secure);
                                          });
    return http_->listen(options_.address, options_.port, options_.tls);
}

quint16 WebFace::port() const {
    return http_ ? http_->port() : 0;
}

QString WebFace::address() const {
    QString host = options_.address.toString();
    if (options_.address.protocol() == QAbstractSocket::IPv6Protocol) {
        host = QLatin1Char('[') + host + QLatin1Char(']');
    }
    return QStringLiteral("%1://%2:%3/")
        .arg(options_.tls ? QStringLiteral("https") : QStringLiteral("http"), host)
        .arg(port());
}

WebFace::Who WebFace::who(const WebRequest& r) {
    const QByteArray tag = passwords_.tag();
    if (tag.isEmpty()) {
        return {true, openCsrf_, false};
    }
    if (const auto csrf = sessions_.find(r.cookie(kSessionCookie), tag)) {
        return {true, *csrf, true};
    }
    return {};
}

QString WebFace::languageOf(const WebRequest& r) const {
    QString chosen = QString::fromLatin1(r.cookie(kLanguageCookie));
    if (pageLanguages().contains(chosen)) {
        return chosen;
    }
    // Accept-Language: the first language the page speaks, by the browser's weights.
    double best = -1;
    QString lang = QStringLiteral("en");
    for (const QByteArray& part : r.header("accept-language").split(',')) {
        const QList<QByteArray> f = part.trimmed().split(';');
        const QString code =
            QString::fromLatin1(f.value(0).trimmed()).section(QLatin1Char('-'), 0, 0).toLower();
        double q = 1;
        if (f.size() > 1 && f[1].trimmed().startsWith("q=")) {
            bool ok = false;
            q = f[1].trimmed().mid(2).toDouble(&ok);
            q = ok ? q : 0;
        }
        if (pageLanguages().contains(code) && q > best) {
            best = q;
            lang = code;
        }
    }
    return lang;
}

bool WebFace::forThisComputer(const WebRequest& r) {
    // Without a password the page is for this computer alone: a request through a proxy, or
    // one for another host name (a web site that points its name at 127.0.0.1, DNS
    // rebinding) is someone else's.
    if (!r.header("forwarded").isEmpty() || !r.header("x-forwarded-for").isEmpty() ||
        !r.header("x-real-ip").isEmpty()) {
        return false;
    }
    QByteArray host = r.header("host");
    if (host.startsWith('[')) {
        host = host.mid(1, host.indexOf(']') - 1);
    } else if (host.count(':') == 1) {
        host = host.left(host.indexOf(':'));
    }
    return host.compare("localhost", Qt::CaseInsensitive) == 0 ||
           QHostAddress(QString::fromLatin1(host)).isLoopback();
}

bool WebFace::sameOrigin(const WebRequest& r) const {
    const QByteArray origin = r.header("origin");
    if (origin.isEmpty()) {
        return true; // not a browser's cross-site request: those always say where from
    }
    const QByteArray host = r.header("host");
    return !host.isEmpty() && (origin == "http://" + host || origin == "https://" + host);
}

WebResponse WebFace::handle(const WebRequest& r) {
    const QString lang = languageOf(r);
    const LanguageScope scope(lang, options_.languagePerRequest);
    const Who asking = who(r); // one read of the password file for the whole request
    WebResponse response;
    const QString& path = r.path;
    const bool get = r.method == WebRequest::Method::Get;
    const bool post = r.method == WebRequest::Method::Post;
    if (!get && !post) {
        response = WebResponse::error(405, QStringLiteral("Method not allowed."));
    } else if (!asking.passwordSet && !forThisComputer(r)) {
        response = WebResponse::error(403, text(kOnlyThisComputer));
    } else if (post && !sameOrigin(r)) {
        response = WebResponse::error(403, QStringLiteral("Cross-site request refused."));
    } else if (get && path.startsWith(QLatin1String("/tiles/"))) {
        response = tile(path, r);
    } else if (get && !path.startsWith(QLatin1String("/api/"))) {
        response = file(path, r);
    } else if (get && path == QLatin1String("/api/session")) {
        response = session(r);
    } else if (post && path == QLatin1String("/api/signin")) {
        response = signIn(r);
    } else if (post && path == QLatin1String("/api/language")) {
        response = setLanguage(r);
    } else if (get && path == QLatin1String("/api/texts")) {
        response = texts(lang); // the sign-in view speaks the browser's language too
    } else if (!asking.signedIn) {
        response = WebResponse::error(401, text(QT_TRANSLATE_NOOP("Web", "Sign in first.")));
    } else if (get && path == QLatin1String("/api/state")) {
        response = WebResponse::json(200, state());
    } else if (get && path == QLatin1String("/api/repeaters")) {
        response = repeaters(r);
    } else if (post && !Sessions::same(r.header("x-csrf-token"), asking.csrf)) {
        response =
            WebResponse::error(403, QStringLiteral("The request token is missing or wrong."));
    } else if (post && path == QLatin1String("/api/signout")) {
        response = signOut(r);
    } else if (post && path == QLatin1String("/api/do")) {
        response = act(r);
    } else {
        response = WebResponse::error(404, QStringLiteral("Not found."));
    }
    response.headers.emplaceBack("Content-Security-Policy", kPolicy);
    response.headers.emplaceBack("X-Content-Type-Options", "nosniff");
    response.headers.emplaceBack("Referrer-Policy", "no-referrer");
    if (path.startsWith(QLatin1String("/api/"))) {
        response.headers.emplaceBack("Cache-Control", "no-store");
    }
    return response;
}

WebResponse WebFace::file(const QString& path, const WebRequest& request) {
    static const QRegularExpression pageName(QStringLiteral("^/([a-z0-9-]+\\.(html|js|css|svg))$"));
    static const QRegularExpression leafletName(
        QStringLiteral("^/leaflet/((images/)?[a-z0-9-]+(\\.min)?\\.(js|css|png))$"));
    QString source;
    if (path == QLatin1String("/")) {
        source = QStringLiteral(":/web/index.html");
    } else if (const auto m = pageName.match(path); m.hasMatch()) {
        source = QStringLiteral(":/web/") + m.captured(1);
    } else if (const auto l = leafletName.match(path); l.hasMatch()) {
        source = QString(kLeafletFolder) + l.captured(1);
    }
    QFile f(source);
    if (source.isEmpty() || !f.open(QIODevice::ReadOnly)) {
        WebResponse r = WebResponse::error(404, QStringLiteral("Not found."));
        return r;
    }
    WebResponse r;
    r.type = mimeOf(source);
    // Debian ships Leaflet compressed beside itself: a browser that takes gzip gets that.
    QFile packed(source + QStringLiteral(".gz"));
    if (source.startsWith(kLeafletFolder) && request.header("accept-encoding").contains("gzip") &&
        packed.open(QIODevice::ReadOnly)) {
        r.body = packed.readAll();
        r.headers.emplaceBack("Content-Encoding", "gzip");
        r.headers.emplaceBack("Vary", "Accept-Encoding");
    } else {
        r.body = f.readAll();
    }
    const bool page = source == QLatin1String(":/web/index.html");
    if (page) {
        // What the page would ask first comes with it: the first view needs no request of its
        // own before the live connection. A data block, which no policy lets run.
        const QString lang = languageOf(request);
        const QJsonObject boot{{QStringLiteral("session"), json(session(request))},
                               {QStringLiteral("texts"), json(texts(lang))}};
        QByteArray data = QJsonDocument(boot).toJson(QJsonDocument::Compact);
        data.replace('<', "\\u003c"); // nothing in it can end the block
        r.body.replace("<!--tamsel-boot-->",
                       R"(<script type="application/json" id="tamsel-boot">)" + data + "</script>");
    }
    r.headers.emplaceBack("Cache-Control", page ? QByteArray("no-store")
                                           : path.startsWith(QLatin1String("/leaflet/"))
                                               ? QByteArray("max-age=86400")
                                               : QByteArray("no-cache"));
    return r;
}

WebResponse WebFace::tile(const QString& path, const WebRequest& r) {
    static const QRegularExpression name(
        QStringLiteral("^/tiles/(\\d{1,2})/(\\d{1,6})/(\\d{1,6})\\.png$"));
    const auto m = name.match(path);
    if (!m.hasMatch()) {
        return WebResponse::error(404, QStringLiteral("Not found."));
    }
    if (!tiles_) {
        tiles_ = std::make_unique<TileProcess>(options_.tilesProgram);
    }
    const bool dark =
        QUrlQuery(QString::fromUtf8(r.query)).queryItemValue(QStringLiteral("dark")) ==
        QLatin1String("1");
    const QByteArray png =
        tiles_->tile(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), dark);
    if (png.isEmpty()) {
        return WebResponse::error(404, QStringLiteral("No such tile."));
    }
    WebResponse out;
    out.type = "image/png";
    out.body = png;
    out.headers.emplaceBack("Cache-Control", "max-age=86400");
    return out;
}

WebResponse WebFace::session(const WebRequest& r) {
    const Who w = who(r);
    QJsonArray languages;
    for (const QString& code : pageLanguages()) {
        languages.append(QJsonObject{{QStringLiteral("code"), code},
                                     {QStringLiteral("name"), languageName(code)}});
    }
    return WebResponse::json(200, QJsonObject{{QStringLiteral("signedIn"), w.signedIn},
                                              {QStringLiteral("passwordSet"), w.passwordSet},
                                              {QStringLiteral("csrf"), QString::fromLatin1(w.csrf)},
                                              {QStringLiteral("lang"), languageOf(r)},
                                              {QStringLiteral("languages"), languages},
                                              {QStringLiteral("version"), options_.version}});
}

WebResponse WebFace::signIn(const WebRequest& r) {
    if (!passwords_.isSet()) {
        return WebResponse::json(
            200, QJsonObject{{QStringLiteral("csrf"), QString::fromLatin1(openCsrf_)}});
    }
    if (const auto wait = throttle_.wait(r.peer); wait.count() > 0) {
        WebResponse out = WebResponse::json(
            429, QJsonObject{{QStringLiteral("error"),
                              //: %1: seconds
                              text(QT_TRANSLATE_NOOP("Web", "Too many wrong passwords: try again "
                                                            "in %1 s."))
                                  .arg(wait.count())},
                             {QStringLiteral("retryAfter"), static_cast<double>(wait.count())}});
        out.headers.emplaceBack("Retry-After",
                                QByteArray::number(static_cast<qlonglong>(wait.count())));
        return out;
    }
    const auto password = formValue(r.body, QStringLiteral("password"));
    if (!password) {
        return WebResponse::error(400, QStringLiteral("A form with the password is expected."));
    }
    if (!passwords_.verify(*password)) {
        throttle_.failed(r.peer);
        emit news(4, tr("A wrong password was given from %1.").arg(r.peer.toString()));
        return WebResponse::error(401, text(QT_TRANSLATE_NOOP("Web", "Wrong password.")));
    }
    throttle_.succeeded(r.peer);
    const Sessions::Opened opened = sessions_.open(passwords_.tag());
    emit news(6, tr("Signed in from %1.").arg(r.peer.toString()));
    return withCookie(WebResponse::json(200, QJsonObject{{QStringLiteral("csrf"),
                                                          QString::fromLatin1(opened.csrf)}}),
                      cookieLine(kSessionCookie, opened.cookie, r.secure, Sessions::kIdle));
}

WebResponse WebFace::signOut(const WebRequest& r) {
    sessions_.close(r.cookie(kSessionCookie));
    return withCookie(WebResponse::json(200, QJsonObject{}),
                      cookieLine(kSessionCookie, "", r.secure, std::chrono::seconds{0}));
}

WebResponse WebFace::setLanguage(const WebRequest& r) {
    const auto lang = formValue(r.body, QStringLiteral("lang"));
    if (!lang || !pageLanguages().contains(*lang)) {
        return WebResponse::error(400, QStringLiteral("Unknown language."));
    }
    QByteArray line = QByteArray(kLanguageCookie) + '=' + lang->toLatin1() +
                      "; Path=/; SameSite=Strict; Max-Age=31536000";
    if (r.secure) {
        line += "; Secure";
    }
    return withCookie(WebResponse::json(200, QJsonObject{{QStringLiteral("lang"), *lang}}), line);
}

WebResponse WebFace::texts(const QString& lang) {
    QJsonObject t;
    for (const char* source : pageTexts()) {
        t.insert(QString::fromUtf8(source), translated(lang, "Web", source));
    }
    QJsonArray columns;
    const Units units = station_.ownStation().units();
    for (std::size_t c = 0; c < HeardCells::kColumns.size(); ++c) {
        const HeardColumnInfo& info = HeardCells::kColumns[c];
        QString title = translated(lang, "HeardStationsModel", info.title);
        if (info.unit != HeardColumnInfo::Unit::None) {
            const QString unit = HeardCells::headers(units)
                                     .at(static_cast<qsizetype>(c))
                                     .section(QLatin1Char('('), 1)
                                     .chopped(1);
            title = translated(lang, "tamsel::HeardStationsModel", "%1 (%2)").arg(title, unit);
        }
        columns.append(QJsonObject{{QStringLiteral("title"), title},
                                   {QStringLiteral("numeric"), info.numeric}});
    }
    return WebResponse::json(200, QJsonObject{{QStringLiteral("lang"), lang},
                                              {QStringLiteral("texts"), t},
                                              {QStringLiteral("columns"), columns}});
}

// ---- The JSON of the station --------------------------------------------------------------

QJsonObject WebFace::header() const {
    const HeaderValues& h = station_.header();
    QJsonObject fields;
    for (int f = 0; f < 6; ++f) {
        fields.insert(fieldName(static_cast<intent::Field>(f)),
                      h.fields[static_cast<std::size_t>(f)]);
    }
    QJsonObject flags;
    for (int f = 0; f < 3; ++f) {
        flags.insert(flagName(static_cast<intent::Flag>(f)), h.flags[static_cast<std::size_t>(f)]);
    }
    fields.insert(QStringLiteral("flags"), flags);
    return fields;
}

QJsonObject WebFace::adapter() const {
    using S = AdapterConnection::State;
    QString state;
    QString sentence;
    switch (station_.adapterState()) {
    case S::Connected:
    case S::Reopened:
        state = QStringLiteral("connected");
        sentence = QCoreApplication::translate("tamsel::StationLog", "Adapter found.");
        break;
    case S::Disconnected:
        state = QStringLiteral("absent");
        sentence = QCoreApplication::translate("Discovery", kNotFoundText) + QLatin1Char(' ') +
                   text(QT_TRANSLATE_NOOP("Web", "It is taken as soon as it is plugged in."));
        break;
    case S::NotAccessible:
        state = QStringLiteral("denied");
        sentence = QString::fromStdString(notFoundMessage(
            Discovery{Discovery::Outcome::CannotOpen, nullptr,
                      text(QT_TRANSLATE_NOOP("Web", "the system did not let the station open it"))
                          .toStdString()},
            {}, [](const char* english) {
                return QCoreApplication::translate("Discovery", english).toStdString();
            }));
        break;
    }
    return QJsonObject{{QStringLiteral("state"), state}, {QStringLiteral("text"), sentence}};
}

QJsonValue WebFace::own() const {
    const auto p = station_.ownStation().position();
    if (!p) {
        return QJsonValue::Null;
    }
    return QJsonObject{{QStringLiteral("lat"), p->latitude}, {QStringLiteral("lon"), p->longitude}};
}

QJsonValue WebFace::now() const {
    const StationReport r = station_.shownReception();
    if (r.caller.empty()) {
        return QJsonValue::Null;
    }
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(r.utcStart.time_since_epoch()).count();
    QJsonObject o{
        {QStringLiteral("caller"), fieldText(r.caller).trimmed()},
        {QStringLiteral("suffix"), fieldText(r.suffix).trimmed()},
        {QStringLiteral("called"), fieldText(r.called).trimmed()},
        {QStringLiteral("message"), fieldText(r.message)},
        {QStringLiteral("route"), routeName(receivedRoute(r))},
        {QStringLiteral("time"),
         QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(Qt::ISODate)},
        {QStringLiteral("receiving"), station_.receiving()},
        // When the header came from the adapter, for measuring how soon a page shows it.
        {QStringLiteral("heardAtMs"),
         1e-3 * static_cast<double>(std::chrono::duration_cast<std::chrono::microseconds>(
                                        r.utcStart.time_since_epoch())
                                        .count())},
        {QStringLiteral("distance"), QString()},
        {QStringLiteral("bearing"), QString()},
        {QStringLiteral("lat"), QJsonValue::Null},
        {QStringLiteral("lon"), QJsonValue::Null},
    };
    const HeardList& heard = station_.heard();
    if (const auto row = heard.rowOf(r.caller)) {
        const HeardStation& s = heard.at(*row);
        const HeardCells cells(station_.ownStation().units(), station_.ownStation().position());
        if (s.position) {
            o.insert(QStringLiteral("lat"), s.position->latitude);
            o.insert(QStringLiteral("lon"), s.position->longitude);
        }
        if (const auto c = cells.courseTo(s)) {
            o.insert(QStringLiteral("distance"),
                     distanceText(station_.ownStation().units(), c->first));
            o.insert(QStringLiteral("bearing"), QStringLiteral("%1°").arg(wholeDegrees(c->second)));
        }
    }
    return o;
}

QJsonObject WebFace::row(const HeardStation& s) const {
    const HeardCells cells(station_.ownStation().units(), station_.ownStation().position());
    QJsonArray texts;
    QJsonArray keys;
    for (int c = 0; c < HeardCells::ColumnCount; ++c) {
        texts.append(cells.text(s, c));
        keys.append(HeardCells::kColumns[static_cast<std::size_t>(c)].numeric
                        ? number(cells.number(s, c))
                        : QJsonValue(QJsonValue::Null));
    }
    return QJsonObject{
        {QStringLiteral("call"), fieldText(s.callsign).trimmed()},
        {QStringLiteral("cells"), texts},
        {QStringLiteral("keys"), keys},
        {QStringLiteral("lat"), s.position ? QJsonValue(s.position->latitude) : QJsonValue()},
        {QStringLiteral("lon"), s.position ? QJsonValue(s.position->longitude) : QJsonValue()},
    };
}

QJsonObject WebFace::state() {
    const HeardList& heard = station_.heard();
    QJsonArray rows;
    for (std::size_t i = 0; i < heard.size() && i < kHeardRows; ++i) {
        rows.append(row(heard.at(i)));
    }
    QJsonObject limits;
    constexpr std::array kLimits{8, 8, 8, 8, 4, 20};
    for (int f = 0; f < 6; ++f) {
        limits.insert(fieldName(static_cast<intent::Field>(f)),
                      kLimits[static_cast<std::size_t>(f)]);
    }
    return QJsonObject{{QStringLiteral("adapter"), adapter()},
                       {QStringLiteral("header"), header()},
                       {QStringLiteral("limits"), limits},
                       {QStringLiteral("now"), now()},
                       {QStringLiteral("heard"), rows},
                       {QStringLiteral("heardTotal"), static_cast<double>(heard.size())},
                       {QStringLiteral("own"), own()},
                       {QStringLiteral("gated"), gate()}};
}

QJsonValue WebFace::gate() const {
    const AprsGate& aprs = station_.aprs();
    if (!aprs.on()) {
        return QJsonValue::Null;
    }
    return QJsonObject{{QStringLiteral("status"), aprs.statusLine()},
                       {QStringLiteral("connection"), aprs.connectionText()},
                       {QStringLiteral("count"), static_cast<double>(aprs.gatedCount())}};
}

void WebFace::stationGated(const QString& caller) {
    const auto at = station_.heard().rowOf(caller.toLatin1().toStdString());
    if (!at) {
        return;
    }
    broadcast([this, at] {
        return QJsonObject{{QStringLiteral("type"), QStringLiteral("row")},
                           {QStringLiteral("row"), row(station_.heard().at(*at))}};
    });
}

WebResponse WebFace::repeaters(const WebRequest& r) {
    const QUrlQuery q(QString::fromUtf8(r.query));
    const int limit =
        std::clamp(q.queryItemValue(QStringLiteral("limit")).toInt(), 1, kRepeaterRows);
    const QString search = q.queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded).trimmed();
    std::optional<std::array<double, 4>> box;
    if (q.hasQueryItem(QStringLiteral("bbox"))) {
        const QStringList f = q.queryItemValue(QStringLiteral("bbox")).split(QLatin1Char(','));
        std::array<double, 4> b{};
        bool ok = f.size() == 4;
        for (int i = 0; ok && i < 4; ++i) {
            b[static_cast<std::size_t>(i)] = f[i].toDouble(&ok);
            ok = ok && std::isfinite(b[static_cast<std::size_t>(i)]);
        }
        if (!ok) {
            return WebResponse::error(400,
                                      QStringLiteral("bbox is SOUTH,WEST,NORTH,EAST in degrees."));
        }
        box = b;
    }
    const auto here = station_.ownStation().position();
    const Units units = station_.ownStation().units();
    struct Hit {
        const Repeater* repeater;
        double metres;
    };
    std::vector<Hit> hits;
    for (const Repeater& rep : station_.repeaters().repeaters()) {
        if (box) {
            const auto& [south, west, north, east] = *box;
            if (!rep.position || rep.position->latitude < south || rep.position->latitude > north) {
                continue;
            }
            const double lon = rep.position->longitude;
            if (west <= east ? (lon < west || lon > east) : (lon < west && lon > east)) {
                continue;
            }
        }
        if (!search.isEmpty()) {
            const auto has = [&](const std::string& s) {
                return QString::fromStdString(s).contains(search, Qt::CaseInsensitive);
            };
            if (!has(rep.name) && !has(rep.area) && !has(rep.shownCallsign()) &&
                !has(rep.callsign)) {
                continue;
            }
        }
        double metres = std::numeric_limits<double>::infinity();
        if (here && rep.position && isValidPosition(*here) && isValidPosition(*rep.position)) {
            metres = course(*here, *rep.position).metres;
        }
        hits.push_back({&rep, metres});
    }
    const std::size_t total = hits.size();
    const auto shown = std::min<std::size_t>(hits.size(), static_cast<std::size_t>(limit));
    std::partial_sort(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(shown), hits.end(),
                      [](const Hit& a, const Hit& b) { return a.metres < b.metres; });
    QJsonArray rows;
    for (std::size_t i = 0; i < shown; ++i) {
        const Repeater& rep = *hits[i].repeater;
        QJsonObject o{{QStringLiteral("call"), QString::fromStdString(rep.callsign)},
                      {QStringLiteral("shown"), QString::fromStdString(rep.shownCallsign())},
                      {QStringLiteral("name"), QString::fromStdString(rep.name)},
                      {QStringLiteral("area"), QString::fromStdString(rep.area)},
                      {QStringLiteral("frequency"),
                       rep.frequencyMHz > 0 ? shownNumber(rep.frequencyMHz, 4, 4) : QString()},
                      {QStringLiteral("routable"), rep.routable()},
                      {QStringLiteral("distance"), QString()},
                      {QStringLiteral("bearing"), QString()},
                      {QStringLiteral("lat"),
                       rep.position ? QJsonValue(rep.position->latitude) : QJsonValue()},
                      {QStringLiteral("lon"),
                       rep.position ? QJsonValue(rep.position->longitude) : QJsonValue()}};
        if (std::isfinite(hits[i].metres)) {
            o.insert(QStringLiteral("distance"), distanceText(units, hits[i].metres));
            o.insert(QStringLiteral("bearing"),
                     QStringLiteral("%1°").arg(wholeDegrees(course(*here, *rep.position).bearing)));
        }
        rows.append(o);
    }
    return WebResponse::json(200,
                             QJsonObject{{QStringLiteral("rows"), rows},
                                         {QStringLiteral("total"), static_cast<double>(total)}});
}

// ---- What the page asks -------------------------------------------------------------------

WebResponse WebFace::act(const WebRequest& r) {
    const ParsedIntent parsed = parseIntent(r.body);
    if (!parsed.intent) {
        return WebResponse::error(400, parsed.error);
    }
    QString done;
    const QString refusal = perform(*parsed.intent, &done);
    if (!refusal.isEmpty()) {
        emit news(5, tr("Refused: %1").arg(refusal));
        return WebResponse::json(
            200, QJsonObject{{QStringLiteral("ok"), false}, {QStringLiteral("refusal"), refusal}});
    }
    return WebResponse::json(
        200, QJsonObject{{QStringLiteral("ok"), true}, {QStringLiteral("done"), done}});
}

QString WebFace::perform(const Intent& intent, QString* done) {
    const QString unreachable = text(QT_TRANSLATE_NOOP("Web", "The adapter could not be reached."));
    if (const auto* f = std::get_if<intent::SetField>(&intent)) {
        const bool callsign = f->field != intent::Field::SendMessage;
        return station_.setField(headerField(f->field), callsign ? f->value.toUpper() : f->value);
    }
    if (const auto* f = std::get_if<intent::SetFlag>(&intent)) {
        const auto held =
            station_.setFlag(static_cast<HeaderFlag>(static_cast<int>(f->flag)), f->on);
        return held ? QString() : unreachable;
    }
    if (const auto* c = std::get_if<intent::Call>(&intent)) {
        switch (c->item) {
        case intent::CallItem::GatewayCq:
            return station_.call(Call::GatewayCq);
        case intent::CallItem::LocalCq:
            return station_.call(Call::LocalCq);
        case intent::CallItem::Unlink:
            return station_.call(Call::Unlink);
        case intent::CallItem::Info:
            return station_.call(Call::Info);
        case intent::CallItem::EchoTest:
            return station_.call(Call::EchoTest);
        case intent::CallItem::Simplex:
            return station_.call(Call::Simplex);
        case intent::CallItem::Reply:
            return station_.replyToLastCaller();
        case intent::CallItem::Nearest: {
            const Station::NearestUse use = station_.useNearestRepeater();
            *done = use.done;
            return use.refusal;
        }
        }
    }
    if (const auto* l = std::get_if<intent::Link>(&intent)) {
        const Checked checked = checkReflector(l->reflector, {});
        if (!checked.ok()) {
            return checked.error;
        }
        return station_.callThroughGateway(linkCall(checked.value));
    }
    if (const auto* reply = std::get_if<intent::ReplyTo>(&intent)) {
        return station_.replyTo(reply->callsign.toUpper());
    }
    if (const auto* use = std::get_if<intent::UseRepeater>(&intent)) {
        const Repeater* repeater = station_.repeaters().find(use->callsign.toUpper().toStdString());
        if (repeater == nullptr || !repeater->routable()) {
            //: %1: a repeater's callsign
            return text(QT_TRANSLATE_NOOP("Web", "%1 is no D-STAR repeater of the directory."))
                .arg(use->callsign.trimmed());
        }
        *done = QString::fromStdString(repeater->shownCallsign());
        return station_.useRepeater(*repeater);
    }
    return {};
}

// ---- Live ---------------------------------------------------------------------------------

void WebFace::connected(std::unique_ptr<QWebSocket> socket, bool) {
    // Only the page's own origin, signed in, at /live.
    const QNetworkRequest request = socket->request();
    const QByteArray host = request.rawHeader("Host");
    const QString origin = socket->origin();
    const bool sameOriginSocket =
        !host.isEmpty() && (origin == QLatin1String("http://") + QString::fromLatin1(host) ||
                            origin == QLatin1String("https://") + QString::fromLatin1(host));
    WebRequest asked;
    for (const QByteArray& name :
         {QByteArray("Cookie"), QByteArray("Accept-Language"), QByteArray("Host"),
          QByteArray("Forwarded"), QByteArray("X-Forwarded-For"), QByteArray("X-Real-IP")}) {
        if (request.hasRawHeader(name)) {
            asked.headers.emplaceBack(name, request.rawHeader(name));
        }
    }
    const Who asker = who(asked);
    if (socket->requestUrl().path() != QLatin1String("/live") || !sameOriginSocket ||
        !asker.signedIn || (!asker.passwordSet && !forThisComputer(asked)) || live_.size() >= 64) {
        socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
        socket.release()->deleteLater();
        return;
    }
    socket->setMaxAllowedIncomingMessageSize(kMaxLiveMessageBytes);
    socket->setMaxAllowedIncomingFrameSize(kMaxLiveMessageBytes);
    auto live = std::make_unique<Live>();
    live->cookie = asked.cookie(kSessionCookie);
    live->lang = languageOf(asked);
    Live* l = live.get();
    connect(socket.get(), &QWebSocket::textMessageReceived, this,
            [this, l](const QString& message) { received(l, message); });
    connect(socket.get(), &QWebSocket::disconnected, this, [this, l] {
        for (auto it = live_.begin(); it != live_.end(); ++it) {
            if (it->get() == l) {
                it->get()->socket.release()->deleteLater();
                live_.erase(it);
                emit news(7, tr("A page left; %n open.", nullptr, static_cast<int>(live_.size())));
                break;
            }
        }
    });
    live->socket = std::move(socket);
    live_.push_back(std::move(live));
    emit news(6, tr("A page connected from %1; %n open.", nullptr, static_cast<int>(live_.size()))
                     .arg(l->socket->peerAddress().toString()));
}

void WebFace::received(Live* live, const QString& message) {
    const LiveMessage m = parseLiveMessage(message.toUtf8());
    WebRequest asked;
    asked.headers.emplaceBack("Cookie", QByteArray(kSessionCookie) + '=' + live->cookie);
    const Who w = who(asked);
    if (!w.signedIn) {
        live->socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
        return;
    }
    switch (m.kind) {
    case LiveMessage::Kind::Hello:
        if (!Sessions::same(m.csrf.toLatin1(), w.csrf)) {
            live->socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
            return;
        }
        live->greeted = true;
        {
            const LanguageScope scope(live->lang, options_.languagePerRequest);
            QJsonObject s = state();
            s.insert(QStringLiteral("type"), QStringLiteral("state"));
            live->socket->sendTextMessage(
                QString::fromUtf8(QJsonDocument(s).toJson(QJsonDocument::Compact)));
        }
        break;
    case LiveMessage::Kind::Ping:
        if (live->greeted) {
            live->socket->sendTextMessage(QString::fromUtf8(
                QJsonDocument(QJsonObject{{QStringLiteral("type"), QStringLiteral("pong")},
                                          {QStringLiteral("id"), m.id}})
                    .toJson(QJsonDocument::Compact)));
        }
        break;
    case LiveMessage::Kind::Bad:
        break; // a page of another version, or noise: nothing to do
    }
}

void WebFace::broadcast(const std::function<QJsonObject()>& message) {
    // Built once per language the open pages speak.
    std::map<QString, QString> built;
    for (const auto& live : live_) {
        if (!live->greeted) {
            continue;
        }
        auto it = built.find(live->lang);
        if (it == built.end()) {
            const LanguageScope scope(live->lang, options_.languagePerRequest);
            it = built
                     .emplace(live->lang, QString::fromUtf8(QJsonDocument(message()).toJson(
                                              QJsonDocument::Compact)))
                     .first;
        }
        live->socket->sendTextMessage(it->second);
        // Out now, in the order the pages came: each page's news leaves before the next
        // page's is even written.
        live->socket->flush();
    }
}

void WebFace::reception(const StationReport& report) {
    broadcast([this, &report] {
        QJsonObject o{{QStringLiteral("type"), QStringLiteral("reception")},
                      {QStringLiteral("now"), now()}};
        if (const auto row = station_.heard().rowOf(report.caller)) {
            o.insert(QStringLiteral("row"), this->row(station_.heard().at(*row)));
        }
        o.insert(QStringLiteral("heardTotal"), static_cast<double>(station_.heard().size()));
        return o;
    });
}

} // namespace tamsel
