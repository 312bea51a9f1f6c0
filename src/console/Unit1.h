#pragma once

#include "adapter/AdapterLink.h"
#include "console/Notifier.h"

#include <QMainWindow>

namespace tamsel {

// The operator's console and the application's main window.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1(AdapterLink& link, Notifier& notifier, const QString& captionNote = {});
    ~TForm1() override;

    // Asks the receive monitor to stop and waits until it has.
    void stopMonitor();

    void Save1Click();
    void Exit1Click();
    void mycallsignClick();
    void DefaultSetting1Click();
    void HistoryClick();
    void Memory1Click();
    void PICVersion1Click();
    void About1Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCloseQuery();

    AdapterLink& link_;
    Notifier& notifier_;
};

extern TForm1* Form1;

} // namespace tamsel
