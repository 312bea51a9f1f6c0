#pragma once

#include "adapter/AdapterLink.h"
#include "console/Notifier.h"

#include <QMainWindow>

namespace tamsel {

// The default (modem) settings dialog.
class TForm11 : public QMainWindow {
    Q_OBJECT
public:
    TForm11(AdapterLink& link, Notifier& notifier);
    ~TForm11() override;

private:
    AdapterLink& link_;
    Notifier& notifier_;
};

extern TForm11* Form11;

} // namespace tamsel
