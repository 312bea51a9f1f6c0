// SPDX-License-Identifier: GPL-3.0-or-later
// RepeaterFeature: the repeater directory wired into the console: the Repeaters window, the
// Call menu's "Use Nearest Repeater", following the nearest repeater under gpsd, and the
// lists the memory window imports.
#pragma once

#include "repeaters/NearerRepeater.h"
#include "repeaters/RepeaterDirectory.h"
#include "widgets/Notifier.h"

#include <QAction>
#include <QObject>
#include <filesystem>
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
    // Reads the directory in `folder` and wires it to the windows (Form1 and Form3 exist).
    RepeaterFeature(const std::filesystem::path& folder, OwnStation& station, Notifier& notifier);
    ~RepeaterFeature() override;

    RepeaterDirectory& directory() { return directory_; }
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
    // the Call menu sets them (each field's change handler sends what changed).
    void use(const Repeater& repeater);
    // Call > Use Nearest Repeater; false with the operator told why not.
    bool useNearest();
    // The output frequency of the repeater in Repeater 1, when the directory knows it.
    std::optional<double> repeater1Frequency() const;

signals:
    // A nearer repeater was offered to the operator (not set by itself).
    void nearerOffered(const QString& callsign, double metres);
    // The Repeaters window was made (on first use), for the others to wire to it.
    void windowMade(tamsel::RepeatersWindow* window);

private:
    void moved();
    void imported(const std::shared_ptr<ImportedList>& list);

    RepeaterDirectory directory_;
    OwnStation& station_;
    Notifier& notifier_;
    std::unique_ptr<RepeatersWindow> window_;
    std::unique_ptr<DesktopAlerts> alerts_;
    NearerRepeater nearer_;
    std::string offered_; // the repeater the notice's "Use" sets
    QAction* useNearest_ = nullptr;
    QAction* open_ = nullptr;
};

} // namespace tamsel
