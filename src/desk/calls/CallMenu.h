// SPDX-License-Identifier: GPL-3.0-or-later
// CallMenu: the main window's Call menu, which sets Station Call and the repeaters for a call.
#pragma once

#include "calls/CallDialog.h"
#include "calls/RecentNames.h"
#include "calls/Routes.h"
#include "widgets/Notifier.h"

#include <QMenu>
#include <functional>
#include <map>
#include <optional>

namespace tamsel {

struct StationReport;

// The calls an operator makes most: each item works out the route from Repeater 1 and My
// Call as the main window holds them, and hands it on (routeChosen, then
// repeaterFlagChosen) for the main window's fields to send. An item that needs a
// repeater while there is none says so and hands on nothing.
class CallMenu : public QMenu {
    Q_OBJECT
public:
    explicit CallMenu(Notifier& notifier, QWidget* parent = nullptr);

    // Where the items read Repeater 1 and My Call from.
    void setStation(std::function<RouteStart()> station) { station_ = std::move(station); }

    // The repeater Repeater 1 held last ("JR1YB  B"), which the items through a repeater
    // return to while Repeater 1 holds none; empty when none is known. A kept one is
    // checked as it comes in.
    QString lastRepeater() const { return lastRepeater_; }
    void setLastRepeater(const QString& repeater);
    // Every Repeater 1 the main window holds; one naming a repeater and its module becomes
    // the last repeater.
    void noteRepeater1(const QString& text);

    // The reflectors linked recently ("REF030 C"), newest first; a kept list is checked
    // name by name as it comes in.
    QStringList recentReflectors() const { return recent_.names(); }
    void setRecentReflectors(const QStringList& names);

    // The dialog of a kind, made on first use on the menu's window.
    CallDialog* dialog(CallDialog::Kind kind);

    // Every reception; the last header is what Reply answers.
    void noteReception(const tamsel::StationReport& report);
    // Answers a given reception as Reply answers the last one.
    void replyTo(const ReceivedRoute& heard) { apply(reply(heard, station())); }

    QAction* GatewayCQ1;
    QAction* LocalCQ1;
    QAction* LinkReflector1;
    QAction* Unlink1;
    QAction* Info1;
    QAction* EchoTest1;
    QAction* CallStation1;
    QAction* RouteRepeater1;
    QAction* Simplex1;
    QAction* Reply1;

signals:
    void routeChosen(const QString& your, const QString& rpt1, const QString& rpt2);
    void repeaterFlagChosen(bool on);
    void recentReflectorsChanged(const QStringList& names);
    void lastRepeaterChanged(const QString& repeater);

private:
    QAction* item(const char* caption, const char* name, const QKeySequence& shortcut = {});
    RouteStart station() const;
    bool apply(const Routing& routing);
    void ask(CallDialog::Kind kind);
    void answered(CallDialog::Kind kind);

    Notifier& notifier_;
    std::function<RouteStart()> station_;
    QString lastRepeater_;
    RecentNames recent_;
    std::optional<ReceivedRoute> last_;
    std::map<CallDialog::Kind, CallDialog*> dialogs_;
};

} // namespace tamsel
