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

RepeaterFeature::RepeaterFeature(const std::filesystem::path& folder, OwnStation& station,
                                 Notifier& notifier)
    : directory_(folder), station_(station), notifier_(notifier) {
    directory_.load();
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

    connect(&station_, &OwnStation::positionChanged, this, [this] {
        if (window_ != nullptr) {
            window_->setOwnPosition(station_.position(), station_.status());
        }
        moved();
    });
    connect(&station_, &OwnStation::unitsChanged, this, [this](Units units) {
        if (window_ != nullptr) {
            window_->setUnits(units);
        }
    });
    connect(&directory_, &RepeaterDirectory::changed, this, [this] { nearer_.reset(); });
}

RepeatersWindow* RepeaterFeature::window() {
    if (window_ == nullptr) {
        window_ = std::make_unique<RepeatersWindow>(directory_, notifier_);
        closeOnEscape(window_.get());
        connect(window_.get(), &RepeatersWindow::useRequested, this, &RepeaterFeature::use);
        // One import whichever window it is asked from: the Memory window shows the list too.
        connect(window_.get(), &RepeatersWindow::importRequested, Form3, &TForm3::importList);
        window_->setUnits(station_.units());
        window_->setOwnPosition(station_.position(), station_.status());
        emit windowMade(window_.get());
    }
    return window_.get();
}

RepeaterFeature::~RepeaterFeature() = default;

namespace {
// Use Nearest Repeater sets nothing farther than this: beyond it, the directory holds no
// repeater of the operator's region.
constexpr double kNearestReachMetres = 150'000;

// Repeater 1 as the directory names repeaters ("JR1YB  B"), in whatever spacing it was typed;
// empty when it holds none.
std::string repeater1Field() {
    const auto repeater = repeaterOf(Form1->repeater1());
    return repeater ? repeater->toStdString() : std::string();
}
} // namespace

DesktopAlerts* RepeaterFeature::alerts() {
    if (alerts_ == nullptr) {
        alerts_ = std::make_unique<DesktopAlerts>(Form1);
        //: The notification's button that makes the nearer repeater Repeater 1.
        alerts_->setActionLabel(tr("Use"));
        connect(alerts_.get(), &DesktopAlerts::replyRequested, this, [this](const QString& n) {
            if (n != QLatin1String(kNearerNotice)) {
                return;
            }
            if (const Repeater* r = directory_.find(offered_); r != nullptr) {
                use(*r);
            }
        });
    }
    return alerts_.get();
}

void RepeaterFeature::use(const Repeater& repeater) {
    if (!repeater.routable()) {
        return;
    }
    const QString rpt1 = QString::fromStdString(repeater.callsign);
    const QString rpt2 = QString::fromStdString(repeater.gateway);
    // The Call menu's way: the route's fields (Your Call as it stands), then the option.
    Form1->setRoute(Form1->YourCALL->text(), rpt1, rpt2);
    Form1->setRepeaterFlag(true);
}

bool RepeaterFeature::useNearest() {
    const auto here = station_.position();
    if (!here) {
        notifier_.information(tr("Set your position first (Config, Preferences, Station)."));
        return false;
    }
    const auto nearest = directory_.nearest(*here);
    if (!nearest) {
        notifier_.information(
            tr("Import a repeater list first (Window, Repeaters, File, Import Repeater List)."));
        return false;
    }
    const QString callsign = QString::fromStdString(nearest->repeater->shownCallsign());
    const QString distance = distanceText(station_.units(), nearest->course.metres);
    if (nearest->course.metres > kNearestReachMetres) {
        //: %1: a repeater's callsign ("JP3YIC B"), %2: its distance with the unit ("9,263 km").
        notifier_.information(
            tr("The nearest repeater in the directory, %1, is %2 away.").arg(callsign, distance));
        return false;
    }
    use(*nearest->repeater);
    // The main window has no status bar: a note over it, read out as an alert.
    //: %1: the repeater's callsign ("DB0ABC C"), %2: its distance with the unit ("4.2 km").
    Toast* note = Toast::show(Form1, tr("Repeater 1: %1, %2").arg(callsign, distance));
    QAccessibleEvent alert(note, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    return true;
}

std::optional<double> RepeaterFeature::repeater1Frequency() const {
    const Repeater* r = directory_.find(repeater1Field());
    if (r == nullptr || r->frequencyMHz <= 0) {
        return std::nullopt;
    }
    return r->frequencyMHz;
}

void RepeaterFeature::moved() {
    // Mobile operation only: a fixed position has nothing to follow.
    const auto here = station_.position();
    if (!here || station_.settings().source != PositionSource::Gpsd) {
        return;
    }
    const auto offer = nearer_.update(directory_, *here, repeater1Field());
    if (!offer) {
        return;
    }
    if (station_.settings().followRepeater) {
        use(*offer->repeater);
        return;
    }
    offered_ = offer->repeater->callsign;
    const QString distance = distanceText(station_.units(), offer->metres);
    const QString callsign = QString::fromStdString(offer->repeater->shownCallsign());
    AlertNotice notice;
    notice.station = QLatin1String(kNearerNotice); // one notice, replaced by the next
    //: %1: a repeater's callsign ("JR1YB B"), %2: its distance with the unit ("3.2 km").
    notice.summary = tr("%1 is nearer: %2").arg(callsign, distance);
    notice.body = QString::fromStdString(offer->repeater->name);
    if (offer->repeater->frequencyMHz > 0) {
        notice.body += QStringLiteral(", %1 MHz").arg(offer->repeater->frequencyMHz, 0, 'f', 4);
    }
    notice.sound = false;
    alerts()->show(notice);
    emit nearerOffered(callsign, offer->metres);
}

void RepeaterFeature::imported(const std::shared_ptr<ImportedList>& list) {
    // What the memory window read, as it read it: the file is not read again.
    const QString why =
        directory_.keep(QFile::encodeName(QFileInfo(list->path).fileName()).toStdString(),
                        list->bytes(), std::move(list->read.repeaters));
    if (!why.isEmpty()) {
        notifier_.failure(why);
    }
}

} // namespace tamsel
