#pragma once

#include "console/Notifier.h"

#include <QMainWindow>

namespace tamsel {

// The callsign memory window.
class TForm3 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm3(Notifier& notifier);
    ~TForm3() override;

private:
    Notifier& notifier_;
};

extern TForm3* Form3;

} // namespace tamsel
