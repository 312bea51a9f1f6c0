// SPDX-License-Identifier: GPL-3.0-or-later
// Unit3: TForm2, the station callsign dialog.
#pragma once

#include "adapter/AdapterLink.h"
#include "widgets/Controls.h"

#include <QDialog>

namespace tamsel {

// The station callsign dialog: the only place where the station's own callsign and suffix
// are changed. Opened modally from the main window.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(AdapterLink& link);
    ~TForm2() override;

    // Reads both values from the adapter again, then shows the dialog modally.
    void openModal();
    // Reads both values from the adapter; a field whose read fails keeps its text.
    void readValues();

    void Save1Click();
    void Exit1Click();

signals:
    // The station callsign and suffix as they stand after Save: first what was sent, then
    // what the adapter reports (only when the read succeeds).
    void stationCallsignShown(const QString& call);
    void stationSuffixShown(const QString& suffix);

public:
    TEdit* mycallsign;
    TEdit* mycallsign2;
    QAction* Save1;
    QAction* Exit1;

private:
    AdapterLink& link_;
};

} // namespace tamsel
