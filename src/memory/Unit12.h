#pragma once

#include "console/Controls.h"
#include "console/Notifier.h"

#include <QWidget>

namespace tamsel {

// Where the next memory search starts, shared by every search of the run.
extern std::size_t searchPosition;

// The memory search: each Enter scrolls the memory list to the next line that holds the
// text, continuing where the last search stopped.
class TForm12 : public QWidget {
    Q_OBJECT
public:
    explicit TForm12(Notifier& notifier);
    ~TForm12() override;

    void SearchKeyKeyPress(char key);

    TEdit* SearchKey;

private:
    Notifier& notifier_;
};

extern TForm12* Form12;

} // namespace tamsel
