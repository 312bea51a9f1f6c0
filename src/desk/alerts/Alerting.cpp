// SPDX-License-Identifier: GPL-3.0-or-later
// Alerting: hears every reception, decides when its header is complete whether it alerts,
// tells the operator through DesktopAlerts, and adds the message when the reception ends.
#include "alerts/Alerting.h"

#include "adapter/Payload.h"

#include <QCoreApplication>
#include <QStringList>
#include <QWidget>

namespace tamsel {

Alerting::Alerting(QObject* parent) : QObject(parent) {}

Alerting::~Alerting() = default;

void Alerting::setWindow(QWidget* window) {
    window_ = window;
    desktop_.reset();
}

DesktopAlerts* Alerting::desktop() {
    if (desktop_ == nullptr && window_ != nullptr) {
        desktop_ = std::make_unique<DesktopAlerts>(window_);
        connect(desktop_.get(), &DesktopAlerts::replyRequested, this,
                [this](const QString& station) {
                    const auto header = headers_.find(station);
                    if (header != headers_.end()) {
                        emit replyRequested(header->second);
                    }
                });
    }
    return desktop_.get();
}

AlertNotice Alerting::notice(const StationReport& header, AlertKind kind) const {
    AlertNotice n;
    n.kind = kind;
    n.station = QString::fromStdString(baseCallsign(header.caller));
    n.summary = QCoreApplication::translate("Alerting", alertSummaryText(kind)).arg(n.station);
    QStringList body;
    if (context_.route) {
        body << context_.route(header);
    }
    if (context_.distance) {
        body << context_.distance(header.caller);
    }
    if (!message_.trimmed().isEmpty()) {
        body << message_.trimmed();
    }
    body.removeAll(QString());
    n.body = body.join(QLatin1Char('\n'));
    n.sound = rules_.settings().sound;
    n.emergency = (header.flags[0] & kFlagEmr) != 0;
    return n;
}

void Alerting::answered(const QString& callsign) {
    const QString station = QString::fromStdString(baseCallsign(callsign.toStdString()));
    if (desktop_ && !station.isEmpty()) {
        desktop_->close(station);
    }
}

void Alerting::noteReception(const StationReport& report) {
    using K = StationReport::Kind;
    if (report.kind == K::Heard) {
        current_.reset();
        message_.clear();
        const QString myCall = context_.myCall ? context_.myCall() : QString();
        const auto alert = rules_.decide(report.caller, report.called, myCall.toStdString(),
                                         AlertRules::Clock::now());
        if (!alert) {
            return;
        }
        current_.emplace(report, alert->kind);
        headers_[QString::fromStdString(alert->caller)] = report;
        emit alerted(QString::fromStdString(alert->caller), alert->kind);
        if (DesktopAlerts* desktop = this->desktop()) {
            desktop->show(notice(report, alert->kind));
        }
    } else if (report.kind == K::Message && current_) {
        // The message arrives whole when the reception has sent all of it: the same
        // notification, replaced, now says it too.
        message_ = QString::fromLatin1(report.message.data(),
                                       static_cast<qsizetype>(report.message.size()));
        if (DesktopAlerts* desktop = this->desktop()) {
            desktop->show(notice(current_->first, current_->second));
        }
    }
}

} // namespace tamsel
