// SPDX-License-Identifier: GPL-3.0-or-later
// DesktopAlerts: tells the operator of an alert through the desktop's notification service,
// else a tray message, else by asking for attention on the main window; never a box.
#include "alerts/DesktopAlerts.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QIcon>
#include <QSystemTrayIcon>
#include <QVariantMap>
#include <QWidget>

namespace tamsel {

namespace {

constexpr const char* kInterface = "org.freedesktop.Notifications";

QDBusMessage call(const char* method) {
    return QDBusMessage::createMethodCall(
        QString::fromLatin1(DesktopAlerts::kService), QString::fromLatin1(DesktopAlerts::kPath),
        QString::fromLatin1(kInterface), QString::fromLatin1(method));
}

} // namespace

int NotificationCapabilities::ownerChanged() {
    markup_.reset();
    return ++generation_;
}

void NotificationCapabilities::answered(int generation,
                                        const std::optional<QStringList>& capabilities) {
    if (generation == generation_ && capabilities) {
        markup_ = capabilities->contains(QStringLiteral("body-markup"));
    }
}

QString NotificationCapabilities::body(const QString& text) const {
    return markup_.value_or(true) ? text.toHtmlEscaped() : text;
}

DesktopAlerts::DesktopAlerts(QWidget* window, QObject* parent) : QObject(parent), window_(window) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    const QString service = QString::fromLatin1(kService);
    const QString path = QString::fromLatin1(kPath);
    const QString iface = QString::fromLatin1(kInterface);
    bus.connect(service, path, iface, QStringLiteral("ActionInvoked"), this,
                SLOT(onActionInvoked(uint, QString)));
    bus.connect(service, path, iface, QStringLiteral("NotificationClosed"), this,
                SLOT(onClosed(uint, uint)));
    // A notification daemon started, restarted or replaced is asked again what it reads.
    auto* owner =
        new QDBusServiceWatcher(service, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(owner, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                ids_.clear(); // the notifications shown were the last service's
                askCapabilities(!newOwner.isEmpty());
            });
    askCapabilities(true);
}

uchar notificationUrgency(const AlertNotice& notice) {
    return notice.emergency ? 2 : 1;
}

DesktopAlerts::~DesktopAlerts() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (ids_.isEmpty() || !bus.isConnected()) {
        return;
    }
    // In order on one connection: the answer to the last says the service has had them all.
    // Waited for briefly, so that a service that hangs cannot hold up the end.
    const QList<uint> ids = ids_.values();
    for (qsizetype i = 0; i + 1 < ids.size(); ++i) {
        QDBusMessage close = call("CloseNotification");
        close << ids[i];
        bus.send(close);
    }
    QDBusMessage last = call("CloseNotification");
    last << ids.back();
    constexpr int kExitWaitMs = 1000;
    bus.call(last, QDBus::Block, kExitWaitMs);
}

void DesktopAlerts::askCapabilities(bool serviceThere) {
    const int generation = capabilities_.ownerChanged();
    if (!serviceThere) {
        return;
    }
    auto* caps = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call("GetCapabilities")), this);
    connect(caps, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* w) {
                const QDBusPendingReply<QStringList> reply = *w;
                capabilities_.answered(generation, reply.isError() ? std::nullopt
                                                                   : std::optional(reply.value()));
                w->deleteLater();
            });
}

void DesktopAlerts::show(const AlertNotice& notice) {
    if (!QDBusConnection::sessionBus().isConnected()) {
        fallBack(notice);
        return;
    }
    closing_.remove(notice.station); // a new notice after the answer is shown
    if (sent_.contains(notice.station)) {
        // Its id is on its way: replace it once it is known.
        queued_.insert(notice.station, notice);
        return;
    }
    notify(notice, ids_.value(notice.station, 0));
}

void DesktopAlerts::notify(const AlertNotice& notice, uint replaces) {
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"),
                 QVariant::fromValue<uchar>(notificationUrgency(notice)));
    hints.insert(QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopEntry));
    if (notice.sound) {
        hints.insert(QStringLiteral("sound-name"), QString::fromLatin1(kSound));
    }
    const QStringList actions{QStringLiteral("default"),
                              actionLabel_.isEmpty() ? tr("Reply") : actionLabel_,
                              QStringLiteral("dismiss"), tr("Dismiss")};
    QDBusMessage message = call("Notify");
    message << QString::fromLatin1(kAppName) << replaces << QString::fromLatin1(kIcon)
            << notice.summary << capabilities_.body(notice.body) << actions << hints << -1;
    sent_.insert(notice.station, notice);
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, notice](QDBusPendingCallWatcher* w) { notified(w, notice); });
}

void DesktopAlerts::notified(QDBusPendingCallWatcher* w, const AlertNotice& notice) {
    w->deleteLater();
    sent_.remove(notice.station);
    const QDBusPendingReply<uint> reply = *w;
    if (reply.isError()) {
        ids_.remove(notice.station);
        queued_.remove(notice.station);
        if (closing_.remove(notice.station)) {
            return; // answered already: nothing to tell
        }
        fallBack(notice);
        return;
    }
    ids_.insert(notice.station, reply.value());
    lastWay_ = Way::Notification;
    emit delivered(notice.station, Way::Notification);
    if (closing_.remove(notice.station)) {
        close(notice.station);
        return;
    }
    if (queued_.contains(notice.station)) {
        notify(queued_.take(notice.station), reply.value());
    }
}

void DesktopAlerts::close(const QString& station) {
    queued_.remove(station);
    if (sent_.contains(station)) {
        closing_.insert(station);
        return;
    }
    if (const auto id = ids_.constFind(station); id != ids_.cend()) {
        closeNotification(*id);
        ids_.erase(id);
    }
}

void DesktopAlerts::closeNotification(uint id) {
    QDBusMessage close = call("CloseNotification");
    close << id;
    QDBusConnection::sessionBus().asyncCall(close);
}

void DesktopAlerts::fallBack(const AlertNotice& notice) {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        if (tray_ == nullptr) {
            tray_ = new QSystemTrayIcon(QApplication::windowIcon(), this);
            tray_->setToolTip(QString::fromLatin1(kAppName));
            connect(tray_, &QSystemTrayIcon::messageClicked, this, [this] {
                if (!trayStation_.isEmpty()) {
                    emit replyRequested(trayStation_);
                }
            });
        }
        tray_->show();
        trayStation_ = notice.station;
        tray_->showMessage(notice.summary, notice.body,
                           notice.kind == AlertKind::CallingYou ? QSystemTrayIcon::Warning
                                                                : QSystemTrayIcon::Information);
        lastWay_ = Way::Tray;
    } else {
        if (window_ != nullptr) {
            QApplication::alert(window_);
        }
        lastWay_ = Way::Attention;
    }
    emit delivered(notice.station, lastWay_);
}

void DesktopAlerts::onActionInvoked(uint id, const QString& action) {
    const QString station = ids_.key(id);
    if (station.isEmpty()) {
        return; // another program's notification
    }
    if (action == QLatin1String("dismiss")) {
        closeNotification(id);
        return;
    }
    emit replyRequested(station);
}

void DesktopAlerts::onClosed(uint id, uint /*reason*/) {
    // Expired, dismissed or closed: the station's next notice is a new one.
    const QString station = ids_.key(id);
    if (!station.isEmpty()) {
        ids_.remove(station);
    }
}

} // namespace tamsel
