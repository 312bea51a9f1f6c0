#pragma once

#include <QMainWindow>
#include <atomic>

namespace tamsel {

// While 1, the receive monitor adds a line to the history for each reception.
extern std::atomic<int> historyOpen;

// The received-history window.
class TForm4 : public QMainWindow {
    Q_OBJECT
public:
    TForm4();
    ~TForm4() override;
};

extern TForm4* Form4;

} // namespace tamsel
