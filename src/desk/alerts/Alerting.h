// SPDX-License-Identifier: GPL-3.0-or-later
// Alerting: hears every reception, decides when its header is complete whether it alerts,
// tells the operator through DesktopAlerts, and adds the message when the reception ends.
#pragma once

#include "alerts/AlertRules.h"
#include "alerts/DesktopAlerts.h"
#include "monitor/ReceptionMachine.h"

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QWidget;

namespace tamsel {

class Alerting : public QObject {
    Q_OBJECT
public:
    // What the alert's text says beside the caller, from the rest of the console.
    struct Context {
        std::function<QString()> myCall;                     // the My Call field
        std::function<QString(const StationReport&)> route;  // "via gateway JR1YB"
        std::function<QString(const std::string&)> distance; // "123 km, bearing 45°"
    };

    explicit Alerting(QObject* parent = nullptr);
    ~Alerting() override;

    void setContext(Context context) { context_ = std::move(context); }
    void setSettings(const AlertSettings& settings) { rules_.setSettings(settings); }
    const AlertRules& rules() const { return rules_; }
    // Where alerts go; until then they are decided but shown nowhere.
    void setWindow(QWidget* window);
    // Made on first use: start-up does not wait for the desktop's notification service.
    DesktopAlerts* desktop();

    void noteReception(const tamsel::StationReport& report);
    // The operator answered `callsign` (a header field, as Station Call holds it): that
    // station's notification has done its work and is closed.
    void answered(const QString& callsign);

    // The notice a header that alerted as `kind` gives, with the message heard so far.
    AlertNotice notice(const StationReport& header, AlertKind kind) const;

signals:
    // The operator chose Reply on an alert: the header of the station's last reception.
    void replyRequested(const tamsel::StationReport& header);
    // A header alerted (also when there is nowhere to show it yet).
    void alerted(const QString& station, tamsel::AlertKind kind);

private:
    AlertRules rules_;
    Context context_;
    QWidget* window_ = nullptr;
    std::unique_ptr<DesktopAlerts> desktop_;
    // The reception under way, when its header alerted.
    std::optional<std::pair<StationReport, AlertKind>> current_;
    QString message_;
    std::map<QString, StationReport> headers_; // station -> its last alerting header
};

} // namespace tamsel
