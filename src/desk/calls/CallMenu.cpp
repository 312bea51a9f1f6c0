// SPDX-License-Identifier: GPL-3.0-or-later
// CallMenu: the main window's Call menu, which sets Station Call and the repeaters for a call.
#include "calls/CallMenu.h"

#include "monitor/ReceptionMachine.h"
#include "widgets/Foreground.h"

namespace tamsel {

CallMenu::CallMenu(Notifier& notifier, QWidget* parent)
    //: The menu of calls to make (not a call sign)
    : QMenu(tr("C&all"), parent), notifier_(notifier) {
    setObjectName(QStringLiteral("menuCall"));
    // Ctrl with a letter no line edit takes for itself, so they work from any field.
    GatewayCQ1 = item(QT_TR_NOOP("&Gateway CQ"), "GatewayCQ1", QKeySequence(Qt::CTRL | Qt::Key_G));
    LocalCQ1 = item(QT_TR_NOOP("L&ocal CQ"), "LocalCQ1");
    LinkReflector1 = item(QT_TR_NOOP("&Link Reflector..."), "LinkReflector1",
                          QKeySequence(Qt::CTRL | Qt::Key_R));
    Unlink1 =
        item(QT_TR_NOOP("&Unlink"), "Unlink1", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    Info1 = item(QT_TR_NOOP("&Info"), "Info1");
    EchoTest1 = item(QT_TR_NOOP("&Echo Test"), "EchoTest1", QKeySequence(Qt::CTRL | Qt::Key_T));
    addSeparator();
    CallStation1 = item(QT_TR_NOOP("Call a &Station..."), "CallStation1");
    RouteRepeater1 = item(QT_TR_NOOP("&Route to a Repeater..."), "RouteRepeater1");
    addSeparator();
    Simplex1 = item(QT_TR_NOOP("Si&mplex"), "Simplex1");
    Reply1 = item(QT_TR_NOOP("Re&ply to Last Caller"), "Reply1");

    connect(GatewayCQ1, &QAction::triggered, this,
            [this] { apply(route(Call::GatewayCq, station())); });
    connect(LocalCQ1, &QAction::triggered, this,
            [this] { apply(route(Call::LocalCq, station())); });
    connect(Unlink1, &QAction::triggered, this, [this] { apply(route(Call::Unlink, station())); });
    connect(Info1, &QAction::triggered, this, [this] { apply(route(Call::Info, station())); });
    connect(EchoTest1, &QAction::triggered, this,
            [this] { apply(route(Call::EchoTest, station())); });
    connect(Simplex1, &QAction::triggered, this,
            [this] { apply(route(Call::Simplex, station())); });
    connect(Reply1, &QAction::triggered, this, [this] { apply(reply(last_, station())); });
    connect(LinkReflector1, &QAction::triggered, this,
            [this] { ask(CallDialog::Kind::Reflector); });
    connect(CallStation1, &QAction::triggered, this, [this] { ask(CallDialog::Kind::Station); });
    connect(RouteRepeater1, &QAction::triggered, this, [this] { ask(CallDialog::Kind::Repeater); });
}

QAction* CallMenu::item(const char* caption, const char* name, const QKeySequence& shortcut) {
    QAction* action = addAction(tr(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

RouteStart CallMenu::station() const {
    RouteStart s = station_ ? station_() : RouteStart{};
    s.lastRepeater = lastRepeater_;
    return s;
}

void CallMenu::setLastRepeater(const QString& repeater) {
    lastRepeater_ = repeaterOf(repeater).value_or(QString());
}

void CallMenu::noteRepeater1(const QString& text) {
    const auto repeater = repeaterOf(text);
    if (repeater && *repeater != lastRepeater_) {
        lastRepeater_ = *repeater;
        emit lastRepeaterChanged(lastRepeater_);
    }
}

void CallMenu::setRecentReflectors(const QStringList& names) {
    QStringList good;
    for (const QString& name : names) {
        if (const Checked checked = checkReflector(name, {}); checked.ok()) {
            good << checked.value;
        }
    }
    recent_.setNames(good);
}

void CallMenu::noteReception(const StationReport& report) {
    if (report.kind == StationReport::Kind::Heard) {
        last_ = receivedRoute(report);
    }
}

bool CallMenu::apply(const Routing& routing) {
    if (!routing.route) {
        notifier_.information(routing.refusal);
        return false;
    }
    const Route& r = *routing.route;
    emit routeChosen(r.your, r.rpt1, r.rpt2);
    emit repeaterFlagChosen(r.repeater);
    return true;
}

CallDialog* CallMenu::dialog(CallDialog::Kind kind) {
    CallDialog*& d = dialogs_[kind];
    if (d == nullptr) {
        d = new CallDialog(kind, parentWidget());
        d->setWindowModality(Qt::WindowModal);
        placeBeside(d, parentWidget());
        connect(d, &QDialog::accepted, this, [this, kind] { answered(kind); });
    }
    return d;
}

void CallMenu::ask(CallDialog::Kind kind) {
    // Asking for a target makes no sense while there is no repeater to send it through.
    if (const Routing check = viaGateway(QString(), station()); !check.route) {
        notifier_.information(check.refusal);
        return;
    }
    QStringList choices;
    if (kind == CallDialog::Kind::Reflector) {
        choices = recent_.names();
        for (const QString& name : shippedReflectors()) {
            if (!choices.contains(name)) {
                choices << name;
            }
        }
    }
    dialog(kind)->present(choices);
}

void CallMenu::answered(CallDialog::Kind kind) {
    const QString target = dialog(kind)->value();
    const QString your = kind == CallDialog::Kind::Reflector ? linkCall(target) : target;
    if (apply(viaGateway(your, station())) && kind == CallDialog::Kind::Reflector &&
        recent_.use(target)) {
        emit recentReflectorsChanged(recent_.names());
    }
}

} // namespace tamsel
