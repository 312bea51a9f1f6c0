// SPDX-License-Identifier: GPL-3.0-or-later
// WebMessage: the requests, answers and intents of the web face.
#include "WebMessage.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <QUrlQuery>
#include <array>
#include <cmath>

namespace tamsel {

namespace {

constexpr std::array kFieldNames{"stationCall", "repeater1",    "repeater2",
                                 "myCall",      "myCallSuffix", "sendMessage"};
constexpr std::array kFlagNames{"repeater", "break", "emr"};
constexpr std::array kCallNames{"gatewayCq", "localCq", "unlink",  "info",
                                "echoTest",  "reply",   "simplex", "nearest"};
// Longer than any field the adapter holds, with room for blanks the page may add.
constexpr qsizetype kMaxText = 64;

template <typename E, std::size_t N>
std::optional<E> byName(const std::array<const char*, N>& names, const QJsonValue& v) {
    if (!v.isString()) {
        return std::nullopt;
    }
    const QString s = v.toString();
    for (std::size_t i = 0; i < N; ++i) {
        if (s == QLatin1String(names[i])) {
            return static_cast<E>(i);
        }
    }
    return std::nullopt;
}

std::optional<QString> text(const QJsonValue& v) {
    if (!v.isString() || v.toString().size() > kMaxText) {
        return std::nullopt;
    }
    return v.toString();
}

std::optional<QJsonObject> object(const QByteArray& json, qsizetype limit) {
    if (json.size() > limit) {
        return std::nullopt;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        return std::nullopt;
    }
    return doc.object();
}

} // namespace

QByteArray WebRequest::header(const QByteArray& name) const {
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            return value;
        }
    }
    return {};
}

QByteArray WebRequest::cookie(const QByteArray& name) const {
    for (const auto& [key, value] : headers) {
        if (key.compare("cookie", Qt::CaseInsensitive) != 0) {
            continue;
        }
        for (const QByteArray& part : value.split(';')) {
            const QByteArray item = part.trimmed();
            if (item.startsWith(name + '=')) {
                return item.mid(name.size() + 1);
            }
        }
    }
    return {};
}

WebResponse WebResponse::json(int status, const QJsonObject& object) {
    WebResponse r;
    r.status = status;
    r.body = QJsonDocument(object).toJson(QJsonDocument::Compact);
    return r;
}

WebResponse WebResponse::error(int status, const QString& text) {
    return json(status, QJsonObject{{QStringLiteral("error"), text}});
}

std::optional<QString> formValue(const QByteArray& body, const QString& name) {
    if (body.size() > kMaxRequestBytes) {
        return std::nullopt;
    }
    // '+' stands for a blank in a form; QUrlQuery leaves it as it is.
    QByteArray plain = body;
    plain.replace('+', ' ');
    const QUrlQuery query(QString::fromUtf8(plain));
    if (!query.hasQueryItem(name)) {
        return std::nullopt;
    }
    return query.queryItemValue(name, QUrl::FullyDecoded);
}

ParsedIntent parseIntent(const QByteArray& json) {
    const auto o = object(json, kMaxRequestBytes);
    if (!o) {
        return {std::nullopt, QStringLiteral("not a JSON object")};
    }
    const QString what = o->value(QLatin1String("do")).toString();
    if (what == QLatin1String("setField")) {
        const auto field = byName<intent::Field>(kFieldNames, o->value(QLatin1String("field")));
        const auto value = text(o->value(QLatin1String("value")));
        if (!field || !value) {
            return {std::nullopt, QStringLiteral("setField needs a field and its text")};
        }
        return {intent::SetField{*field, *value}, {}};
    }
    if (what == QLatin1String("setFlag")) {
        const auto flag = byName<intent::Flag>(kFlagNames, o->value(QLatin1String("flag")));
        const QJsonValue on = o->value(QLatin1String("on"));
        if (!flag || !on.isBool()) {
            return {std::nullopt, QStringLiteral("setFlag needs a flag and on: true or false")};
        }
        return {intent::SetFlag{*flag, on.toBool()}, {}};
    }
    if (what == QLatin1String("call")) {
        const auto item = byName<intent::CallItem>(kCallNames, o->value(QLatin1String("item")));
        if (!item) {
            return {std::nullopt, QStringLiteral("call needs an item of the Call menu")};
        }
        return {intent::Call{*item}, {}};
    }
    const auto argument = [&](const char* key) { return text(o->value(QLatin1String(key))); };
    if (what == QLatin1String("link")) {
        if (const auto reflector = argument("reflector")) {
            return {intent::Link{*reflector}, {}};
        }
        return {std::nullopt, QStringLiteral("link needs a reflector")};
    }
    if (what == QLatin1String("replyTo")) {
        if (const auto call = argument("call")) {
            return {intent::ReplyTo{*call}, {}};
        }
        return {std::nullopt, QStringLiteral("replyTo needs a callsign")};
    }
    if (what == QLatin1String("useRepeater")) {
        if (const auto call = argument("call")) {
            return {intent::UseRepeater{*call}, {}};
        }
        return {std::nullopt, QStringLiteral("useRepeater needs a repeater's callsign")};
    }
    return {std::nullopt, QStringLiteral("unknown request")};
}

LiveMessage parseLiveMessage(const QByteArray& json) {
    const auto o = object(json, kMaxLiveMessageBytes);
    LiveMessage m;
    if (!o) {
        return m;
    }
    const QString type = o->value(QLatin1String("type")).toString();
    if (type == QLatin1String("hello")) {
        if (const auto csrf = text(o->value(QLatin1String("csrf")))) {
            m.kind = LiveMessage::Kind::Hello;
            m.csrf = *csrf;
        }
    } else if (type == QLatin1String("ping")) {
        const double id = o->value(QLatin1String("id")).toDouble(std::nan(""));
        if (std::isfinite(id)) {
            m.kind = LiveMessage::Kind::Ping;
            m.id = id;
        }
    }
    return m;
}

QString fieldName(intent::Field field) {
    return QLatin1String(kFieldNames[static_cast<std::size_t>(field)]);
}

QString flagName(intent::Flag flag) {
    return QLatin1String(kFlagNames[static_cast<std::size_t>(flag)]);
}

} // namespace tamsel
