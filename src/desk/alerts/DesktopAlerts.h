// SPDX-License-Identifier: GPL-3.0-or-later
// DesktopAlerts: tells the operator of an alert through the desktop's notification service,
// else a tray message, else by asking for attention on the main window; never a box.
#pragma once

#include "alerts/AlertRules.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

class QDBusPendingCallWatcher;
class QSystemTrayIcon;
class QWidget;

namespace tamsel {

struct AlertNotice {
    AlertKind kind = AlertKind::Watched;
    QString station; // the base callsign; one notification a station
    QString summary;
    QString body; // plain text
    bool sound = true;
    bool emergency = false; // the reception carries the EMR flag
};

// The notification's urgency hint: 1 (normal, which the service lets expire) for a call and
// a watched station alike, 2 (critical, which stays until dismissed) only for a reception
// with the EMR flag.
uchar notificationUrgency(const AlertNotice& notice);

// Whether the notification service shows a body as markup, as far as it is known. Until the
// service has said, and again from the moment another service takes its name, a body is sent
// escaped: to a service that reads markup, a message's own "<" would otherwise be markup.
class NotificationCapabilities {
public:
    // Another service (or none) holds the name now: what the last one said no longer holds.
    // The question to ask it goes under the generation returned.
    int ownerChanged();
    // The answer to the question asked under `generation` (nothing when the call failed); an
    // answer from a service that has gone since is dropped.
    void answered(int generation, const std::optional<QStringList>& capabilities);
    // `body` as the service is to be sent it.
    QString body(const QString& text) const;

private:
    int generation_ = 0;
    std::optional<bool> markup_;
};

class DesktopAlerts : public QObject {
    Q_OBJECT
public:
    enum class Way { None, Notification, Tray, Attention };

    static inline const char* const kService = "org.freedesktop.Notifications";
    static inline const char* const kPath = "/org/freedesktop/Notifications";
    static inline const char* const kAppName = "Tamsel Console";
    static inline const char* const kDesktopEntry = "tamsel";
    static inline const char* const kIcon = "tamsel";
    static inline const char* const kSound = "message-new-instant";

    // `window` is what asks for attention when nothing else can tell the operator.
    explicit DesktopAlerts(QWidget* window, QObject* parent = nullptr);
    // Closes the notifications still shown: they would outlive the program that can answer
    // them.
    ~DesktopAlerts() override;

    // The label of the notifications' action (replyRequested); "Reply" unless set.
    void setActionLabel(const QString& label) { actionLabel_ = label; }

    // Shows the station's notification, or replaces the one it has.
    void show(const AlertNotice& notice);
    // Closes the station's notification, if it has one: it has been answered. One whose id
    // is still on its way is closed once the id is known.
    void close(const QString& station);
    // How the last notice reached the operator (a notification may still fall back).
    Way lastWay() const { return lastWay_; }

signals:
    // The operator chose Reply (or clicked the notice) for this station.
    void replyRequested(const QString& station);
    // Emitted whenever a notice has gone out, with the way it took.
    void delivered(const QString& station, tamsel::DesktopAlerts::Way way);

private slots:
    void onActionInvoked(uint id, const QString& action);
    void onClosed(uint id, uint reason);

private:
    void askCapabilities(bool serviceThere);
    void notify(const AlertNotice& notice, uint replaces);
    void notified(QDBusPendingCallWatcher* call, const AlertNotice& notice);
    void fallBack(const AlertNotice& notice);
    void closeNotification(uint id);

    QPointer<QWidget> window_;
    QHash<QString, uint> ids_;         // station -> notification shown
    QHash<QString, AlertNotice> sent_; // station -> a notice whose id is still on its way
    QHash<QString, AlertNotice> queued_;
    QSet<QString> closing_; // answered while their id was on its way
    NotificationCapabilities capabilities_;
    QSystemTrayIcon* tray_ = nullptr;
    QString trayStation_;
    Way lastWay_ = Way::None;
    QString actionLabel_;
};

} // namespace tamsel
