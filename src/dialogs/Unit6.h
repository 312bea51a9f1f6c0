#pragma once

#include "adapter/Catalogue.h"
#include "console/Controls.h"
#include "console/Notifier.h"

#include <QCheckBox>
#include <QMainWindow>

namespace tamsel {

// The default (modem) settings dialog. Shows the adapter's modem settings, read at start
// and on Cancel; Save writes them all and restarts the modem.
class TForm11 : public QMainWindow {
    Q_OBJECT
public:
    TForm11(AdapterLink& link, Notifier& notifier);
    ~TForm11() override;

    void Save1Click();
    void Cancel1Click();
    void Eixit1Click();

    TEdit* Delay;
    TEdit* KeepAlive;
    TEdit* ErrorBits;
    QCheckBox* RxInv;
    QCheckBox* AutoDetect;
    QCheckBox* TxInv;
    TEdit* PreBits;
    TEdit* PostBits;
    QAction* Save1;
    QAction* Cancel1;
    QAction* Eixit1;

private:
    void refresh();
    std::uint8_t readByte(Request request);

    AdapterLink& link_;
    Notifier& notifier_;
};

extern TForm11* Form11;

} // namespace tamsel
