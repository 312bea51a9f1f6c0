// SPDX-License-Identifier: GPL-3.0-or-later
// WebMessage: a request as the web face reads it, its answer, and what a page may ask the
// station to do. Nothing here knows the server library: HttpService translates.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>
#include <variant>

namespace tamsel {

struct WebRequest {
    enum class Method { Get, Post, Other };
    Method method = Method::Get;
    QString path;     // decoded, without the query
    QByteArray query; // as sent, without "?"
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    QHostAddress peer;
    bool secure = false; // came over TLS

    // A header's value by name (any case); empty when absent.
    QByteArray header(const QByteArray& name) const;
    // A cookie's value; empty when absent.
    QByteArray cookie(const QByteArray& name) const;
};

struct WebResponse {
    int status = 200;
    QByteArray type = "application/json";
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;

    static WebResponse json(int status, const QJsonObject& object);
    static WebResponse error(int status, const QString& text);
};

// The largest request the face reads (head and body), and the most header lines.
inline constexpr qsizetype kMaxRequestBytes = 64 * 1024;
inline constexpr qsizetype kMaxHeaders = 64;
// The largest message a page sends over its live connection.
inline constexpr qsizetype kMaxLiveMessageBytes = 4096;

// A form body (application/x-www-form-urlencoded): the value of `name`, or nothing when the
// body is not such a form or lacks it.
std::optional<QString> formValue(const QByteArray& body, const QString& name);

// ---- What a page asks --------------------------------------------------------------------
namespace intent {
// Header fields and flags by the names the page uses.
enum class Field { StationCall, Repeater1, Repeater2, MyCall, MyCallSuffix, SendMessage };
enum class Flag { Repeater, Break, Emr };
enum class CallItem { GatewayCq, LocalCq, Unlink, Info, EchoTest, Reply, Simplex, Nearest };

struct SetField {
    Field field;
    QString value;
};
struct SetFlag {
    Flag flag;
    bool on;
};
struct Call {
    CallItem item;
};
struct Link {
    QString reflector; // "REF030 C"
};
struct ReplyTo {
    QString callsign;
};
struct UseRepeater {
    QString callsign; // "JR1YB  B"
};
} // namespace intent

using Intent = std::variant<intent::SetField, intent::SetFlag, intent::Call, intent::Link,
                            intent::ReplyTo, intent::UseRepeater>;

// An intent from its JSON ({"do":"setField","field":"repeater1","value":"JR1YB  B"}), or the
// reason it is not one (English, for the log and a 400 answer). Texts longer than a header
// field could ever hold are refused here.
struct ParsedIntent {
    std::optional<Intent> intent;
    QString error;
};
ParsedIntent parseIntent(const QByteArray& json);

// A message of the live connection: {"type":"hello","csrf":"..."} or {"type":"ping","id":N}.
struct LiveMessage {
    enum class Kind { Hello, Ping, Bad } kind = Kind::Bad;
    QString csrf;
    double id = 0;
};
LiveMessage parseLiveMessage(const QByteArray& json);

// The page's names of the header fields and flags.
QString fieldName(intent::Field field);
QString flagName(intent::Flag flag);

} // namespace tamsel
