// SPDX-License-Identifier: GPL-3.0-or-later
// Unit3: TForm2, the station callsign dialog.
#pragma once

#include "Station.h"
#include "widgets/Controls.h"

#include <QDialog>

namespace tamsel {

// The station callsign dialog: the only place where the station's own callsign and suffix
// are changed. Opened modally from the main window.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(Station& station);
    ~TForm2() override;

    // Reads both values from the adapter again, then shows the dialog modally.
    void openModal();
    // Reads both values from the adapter; a field whose read fails keeps its text.
    void readValues();

    // Sends both through the station, which saves them in the adapter; the main window
    // shows first what was sent, then what the adapter reports.
    void Save1Click();
    void Exit1Click();

public:
    TEdit* mycallsign;
    TEdit* mycallsign2;
    QAction* Save1;
    QAction* Exit1;

private:
    Station& station_;
};

} // namespace tamsel
