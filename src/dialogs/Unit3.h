#pragma once

#include "adapter/AdapterLink.h"

#include <QDialog>

namespace tamsel {

// The station callsign dialog.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(AdapterLink& link);
    ~TForm2() override;

private:
    AdapterLink& link_;
};

extern TForm2* Form2;

} // namespace tamsel
