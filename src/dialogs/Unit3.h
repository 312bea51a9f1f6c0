#pragma once

#include "adapter/AdapterLink.h"
#include "console/Controls.h"

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

    void Save1Click();
    void Exit1Click();

    TEdit* mycallsign;
    TEdit* mycallsign2;
    QAction* Save1;
    QAction* Exit1;

private:
    void readValues();

    AdapterLink& link_;
};

extern TForm2* Form2;

} // namespace tamsel
