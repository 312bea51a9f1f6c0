#pragma once

#include "console/Notifier.h"

#include <QWidget>

namespace tamsel {

// Where the next memory search starts, shared by every search of the run.
extern int searchPosition;

// The memory search dialog.
class TForm12 : public QWidget {
    Q_OBJECT
public:
    explicit TForm12(Notifier& notifier);
    ~TForm12() override;

private:
    Notifier& notifier_;
};

extern TForm12* Form12;

} // namespace tamsel
