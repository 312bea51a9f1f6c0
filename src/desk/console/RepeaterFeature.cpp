// SPDX-License-Identifier: GPL-3.0-or-later
// RepeaterFeature: the repeater directory wired into the console: the Repeaters window, the
// Call menu's "Use Nearest Repeater", following the nearest repeater under gpsd, and the
// lists the memory window imports.
#include "console/RepeaterFeature.h"

#include "alerts/DesktopAlerts.h"
#include "calls/CallMenu.h"
#include "calls/Routes.h"
#include "console/Console.h"
#include "console/Unit1.h"
#include "memory/Unit4.h"
#include "repeaters/ListImport.h"
#include "repeaters/RepeatersWindow.h"
#include "station/OwnStation.h"
#include "widgets/Foreground.h"
#include "widgets/Toast.h"

#include <QAccessible>
#include <QFileInfo>
#include <QLocale>

namespace tamsel {

RepeaterFeature::RepeaterFeature(Station& station, Notifier& notifier)
    : station_(station), own_(station.ownStation()), notifier_(notifier) {
    // Window > Repeaters, after Heard Stations.
    open_ = Form1->menuWindow->addAction(tr("&Repeaters"));
    open_->setObjectName(QStringLiteral("Repeaters1"));
    connect(open_, &QAction::triggered, this, [this] {
        placeBeside(window(), Form1);
        showWindow(window());
    });

    // Call > Use Nearest Repeater, after the routes.
    if (CallMenu* calls = Form1->findChild<CallMenu*>(); calls != nullptr) {
        calls->addSeparator();
        useNearest_ = calls->addAction(tr("Use &Nearest Repeater"));
        useNearest_->setObjectName(QStringLiteral("UseNearestRepeater1"));
        connect(useNearest_, &QAction::triggered, this, &RepeaterFeature::useNearest);
    }

    // Every list the memory window imports is kept whole as well, as it was read there.
    connect(Form3, &TForm3::repeaterListImported, this, &RepeaterFeature::imported);

    connect(&own_, &OwnStation::positionChanged, this, [this] {
        if (window_ != nullptr) {
            window_->setOwnPosition(own_.position(), own_.status());
        }
    });
    connect(&own_, &OwnStation::unitsChanged, this, [this](Units units) {
        if (window_ != nullptr) {
            window_->setUnits(units);
        }
    });
    connect(&station_, &Station::nearerRepeater, this, &RepeaterFeature::offer);
}

RepeatersWindow* RepeaterFeature::window() {
    if (window_ == nullptr) {
        window_ = std::make_unique<RepeatersWindow>(directory(), notifier_);
        closeOnEscape(window_.get());
        connect(window_.get(), &RepeatersWindow::useRequested, this, &RepeaterFeature::use);
        // One import whichever window it is asked from: the Memory window shows the list too.
        connect(window_.get(), &RepeatersWindow::importRequested, Form3, &TForm3::importList);
        window_->setUnits(own_.units());
        window_->setOwnPosition(own_.position(), own_.status());
        emit windowMade(window_.get());
    }
    return window_.get();
}

RepeaterFeature::~RepeaterFeature() = default;

DesktopAlerts* RepeaterFeature::alerts() {
    if (alerts_ == nullptr) {
        alerts_ = std::make_unique<DesktopAlerts>(Form1);
        //: The notification's button that makes the nearer repeater Repeater 1.
        alerts_->setActionLabel(tr("Use"));
        connect(alerts_.get(), &DesktopAlerts::replyRequested, this, [this](const QString& n) {
            if (n != QLatin1String(kNearerNotice)) {
                return;
            }
            if (const Repeater* r = directory().find(offered_); r != nullptr) {
                use(*r);
            }
        });
    }
    return alerts_.get();
}

void RepeaterFeature::use(const Repeater& repeater) {
    if (const QString why = station_.useRepeater(repeater); !why.isEmpty()) {
        notifier_.information(why);
    }
}

bool RepeaterFeature::useNearest() {
    const Station::NearestUse used = station_.useNearestRepeater();
    if (!used.refusal.isEmpty()) {
        notifier_.information(used.refusal);
        return false;
    }
    // The main window has no status bar: a note over it, read out as an alert.
    Toast* note = Toast::show(Form1, used.done);
    QAccessibleEvent alert(note, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    return true;
}

void RepeaterFeature::offer(const Repeater& repeater, double metres) {
    offered_ = repeater.callsign;
    const QString distance = distanceText(own_.units(), metres);
    const QString callsign = QString::fromStdString(repeater.shownCallsign());
    AlertNotice notice;
    notice.station = QLatin1String(kNearerNotice); // one notice, replaced by the next
    //: %1: a repeater's callsign ("JR1YB B"), %2: its distance with the unit ("3.2 km").
    notice.summary = tr("%1 is nearer: %2").arg(callsign, distance);
    notice.body = QString::fromStdString(repeater.name);
    if (repeater.frequencyMHz > 0) {
        notice.body += QStringLiteral(", %1 MHz").arg(repeater.frequencyMHz, 0, 'f', 4);
    }
    notice.sound = false;
    alerts()->show(notice);
    emit nearerOffered(callsign, metres);
}

void RepeaterFeature::imported(const std::shared_ptr<ImportedList>& list) {
    // What the memory window read, as it read it: the file is not read again.
    const QString why =
        directory().keep(QFile::encodeName(QFileInfo(list->path).fileName()).toStdString(),
                         list->bytes(), std::move(list->read.repeaters));
    if (!why.isEmpty()) {
        notifier_.failure(why);
    }
}

} // namespace tamsel
