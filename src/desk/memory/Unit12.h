// SPDX-License-Identifier: GPL-3.0-or-later
// Unit12: TForm12, the memory search dialog.
#pragma once

#include "memory/LineStore.h"
#include "widgets/Controls.h"
#include "widgets/Notifier.h"

#include <QWidget>

namespace tamsel {

// Where the next memory search starts, shared by every search of the run.
extern std::size_t searchPosition;

// The memory search: each Enter finds the next line of the memory list that holds the
// text, continuing where the last search stopped, and says where (searchHit).
class TForm12 : public QWidget {
    Q_OBJECT
public:
    explicit TForm12(Notifier& notifier);
    ~TForm12() override;

    // The lines searched: the memory window's list.
    void setSearchedLines(const LineStore* lines) { lines_ = lines; }

    void SearchKeyKeyPress(char key);

    TEdit* SearchKey;

signals:
    void searchHit(int row);

private:
    Notifier& notifier_;
    const LineStore* lines_ = nullptr;
};

} // namespace tamsel
