// SPDX-License-Identifier: GPL-3.0-or-later
// Unit6: TForm11, the default (modem) settings dialog.
#pragma once

#include "adapter/Catalogue.h"
#include "widgets/Controls.h"
#include "widgets/Notifier.h"

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

    // Reads every modem setting from the adapter again.
    void refresh();

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
    AdapterLink& link_;
    Notifier& notifier_;
};

} // namespace tamsel
