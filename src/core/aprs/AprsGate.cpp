// SPDX-License-Identifier: GPL-3.0-or-later
// AprsGate: settings, rules and the connection together.
#include "aprs/AprsGate.h"

#include <QHostAddress>

namespace tamsel {

namespace {

bool onThisComputer(const QString& host) {
    const QHostAddress address(host);
    return host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 ||
           (!address.isNull() && address.isLoopback());
}

} // namespace

AprsGate::AprsGate(QString version, QObject* parent)
    : QObject(parent), version_(std::move(version)) {
    connect(&client_, &AprsIsClient::stateChanged, this, &AprsGate::changed);
    connect(&client_, &AprsIsClient::lost, this, &AprsGate::lost);
}

void AprsGate::configure(const AprsSettings& settings, const QString& myCall) {
    settings_ = settings;
    const QString own = myCall.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    login_ = settings.login.isEmpty() ? own.toUpper() : settings.login.toUpper();
    rules_.setLogin(login_.toStdString());
    rules_.setOwnCall(own.toUpper().toStdString());
    const auto server = aprsServer(settings.server);
    refusedHere_ = settings.gate && server && localOnly() && !onThisComputer(server->first);
    if (!settings.gate || !server || login_.isEmpty() || refusedHere_) {
        client_.stop();
        emit changed();
        return;
    }
    const QString passcode = settings.receiveOnly() ? QStringLiteral("-1") : settings.passcode;
    client_.start({server->first, server->second, login_, passcode, version_});
    emit changed();
}

void AprsGate::take(const StationReport& report) {
    // The rules follow every reception, on or off: turned on in the middle of one, the gate
    // knows whose it is.
    auto result = rules_.take(report);
    if (!settings_.gate || !result) {
        return;
    }
    if (result->outcome.withheld) {
        emit withheld(result->caller, *result->outcome.withheld);
        return;
    }
    // Nothing waits for the connection: a position sent late would be a wrong one.
    if (client_.send(result->outcome.packet)) {
        ++gated_;
        emit gated(result->caller, std::chrono::system_clock::now());
        emit changed();
    }
}

QString AprsGate::statusLine() const {
    if (!settings_.gate) {
        return {};
    }
    if (login_.isEmpty()) {
        return tr("APRS-IS: no login callsign");
    }
    if (refusedHere_) {
        return tr("APRS-IS: the demo's stations are made up; it gates to a server on this "
                  "computer only");
    }
    const int n = static_cast<int>(gated_);
    switch (client_.state()) {
    case AprsIsClient::State::Off:
        return tr("APRS-IS: the server is not a HOST:PORT");
    case AprsIsClient::State::Connecting:
        return tr("APRS-IS: connecting, %n gated", nullptr, n);
    case AprsIsClient::State::Verified:
        return tr("APRS-IS: connected, %n gated", nullptr, n);
    case AprsIsClient::State::Unverified:
        return tr("APRS-IS: connected, unverified: nothing is gated");
    case AprsIsClient::State::Waiting:
        return tr("APRS-IS: not connected, %n gated", nullptr, n);
    }
    return {};
}

QString AprsGate::connectionText() const {
    switch (client_.state()) {
    case AprsIsClient::State::Off:
        return settings_.gate ? statusLine() : tr("Not gating.");
    case AprsIsClient::State::Connecting:
        return tr("Connecting to %1 as %2...").arg(settings_.server, login_);
    case AprsIsClient::State::Verified:
        return tr("Connected to %1, verified").arg(client_.serverName());
    case AprsIsClient::State::Unverified:
        return tr("Connected to %1, unverified: nothing is gated").arg(client_.serverName());
    case AprsIsClient::State::Waiting:
        return tr("Not connected (%1). Trying again in %n s.", nullptr,
                  static_cast<int>(client_.retryIn().count() / 1000))
            .arg(client_.problem());
    }
    return {};
}

} // namespace tamsel
