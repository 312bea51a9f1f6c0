// SPDX-License-Identifier: GPL-3.0-or-later
// RepeaterFeature: the repeater directory wired into the console: the Repeaters window, the
// Call menu's "Use Nearest Repeater", following the nearest repeater under gpsd, and the
// lists the memory window imports.
#pragma once

#include "Station.h"
#include "repeaters/RepeaterDirectory.h"
#include "widgets/Notifier.h"

#include <QAction>
#include <QObject>
#include <memory>
#include <optional>

namespace tamsel {

class DesktopAlerts;
struct ImportedList;
class OwnStation;
class RepeatersWindow;

class RepeaterFeature : public QObject {
    Q_OBJECT
public:
    // Wires the station's directory to the windows (Form1 and Form3 exist).
    RepeaterFeature(Station& station, Notifier& notifier);
    ~RepeaterFeature() override;

    RepeaterDirectory& directory() { return station_.repeaters(); }
    // The Repeaters window, made when first needed: start-up does not wait for it.
    RepeatersWindow* window();
    // The Repeaters window when it has been made, else null.
    RepeatersWindow* windowIfMade() const { return window_.get(); }
    QAction* useNearestAction() const { return useNearest_; }
    QAction* windowAction() const { return open_; }
    // Where a nearer repeater is offered; made on first use.
    DesktopAlerts* alerts();

    static inline const char* const kNearerNotice = "nearer-repeater";

    // Repeater 1 becomes the repeater, Repeater 2 its gateway, with the Repeater option, as
    // the Call menu sets them.
    void use(const Repeater& repeater);
    // Call > Use Nearest Repeater; false with the operator told why not.
    bool useNearest();

signals:
    // A nearer repeater was offered to the operator (not set by itself).
    void nearerOffered(const QString& callsign, double metres);
    // The Repeaters window was made (on first use), for the others to wire to it.
    void windowMade(tamsel::RepeatersWindow* window);

private:
    void offer(const Repeater& repeater, double metres);
    void imported(const std::shared_ptr<ImportedList>& list);

    Station& station_;
    OwnStation& own_;
    Notifier& notifier_;
    std::unique_ptr<RepeatersWindow> window_;
    std::unique_ptr<DesktopAlerts> alerts_;
    std::string offered_; // the repeater the notice's "Use" sets
    QAction* useNearest_ = nullptr;
    QAction* open_ = nullptr;
};

} // namespace tamsel
