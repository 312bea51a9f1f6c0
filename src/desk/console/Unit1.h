// SPDX-License-Identifier: GPL-3.0-or-later
// Unit1: TForm1, the main window: header editing, reception fields and the main menu.
#pragma once

#include "adapter/AdapterLink.h"
#include "adapter/Catalogue.h"
#include "monitor/ReceptionMachine.h"
#include "ui_Unit1.h"
#include "widgets/Notifier.h"

#include <QMainWindow>
#include <atomic>
#include <functional>
#include <vector>

namespace tamsel {

class receiveRF;

// The operator's console and the application's main window. Every header value, the
// message, the flags and the volume are sent to the adapter the moment they change.
class TForm1 : public QMainWindow, public Ui::TForm1 {
    Q_OBJECT
public:
    // The monitor started here hands out history lines while `historyGate` is set;
    // `wireMonitor` connects it before it starts, so nothing it says is missed.
    TForm1(AdapterLink& link, Notifier& notifier, const std::atomic<int>& historyGate,
           const QString& captionNote = {},
           const std::function<void(receiveRF&)>& wireMonitor = {});
    ~TForm1() override;

    // Reads every value the window shows from the adapter, writing each change back: at
    // start-up, and again when the adapter has come back.
    void populate();
    // Ends the caption with `suffix` (the adapter's state), or with nothing.
    void showAdapterState(const QString& suffix);

    // Asks the receive monitor to stop and waits until it has; no update follows.
    void stopMonitor();
    receiveRF* monitor() const { return monitor_; }

    // Editing handlers, run by the change rule.
    void RPT2CALLChange();
    void RPT1CALLChange();
    void YourCALLChange();
    void SendMSGChange();
    void YourCallClick();
    void CallerCALLClick();
    void RepeaterClick();
    void BreakClick();
    void EMRClick();
    void VolumeChange();

    // Menu commands.
    void Save1Click();
    void Exit1Click();
    void mycallsignClick();
    void DefaultSetting1Click();
    void HistoryClick();
    void Memory1Click();
    void HeardStations1Click();
    void PICVersion1Click();
    void About1Click();

    static QString aboutText();

    // What other windows ask of this one. Each only sets the field's text: the field's
    // change handler sends the value to the adapter.
    void setDestination(const QString& your);
    void setRoute(const QString& your, const QString& rpt1, const QString& rpt2);
    void showStationCallsign(const QString& call);
    void showStationSuffix(const QString& suffix);
    void showReception(tamsel::ReceptionField field, const QByteArray& text);
    // For the Call menu: the values its routes start from, and the Repeater option, set
    // like a click so that its own handler sends it.
    QString repeater1() const { return RPT1CALL->text(); }
    QString myCall() const { return MyCALL->text(); }
    void setRepeaterFlag(bool on) { Repeater->setChecked(on); }

    // Whether the received called callsign is the operator's own (shown in the alert colour).
    bool calledIsMine() const;
    static inline const char* const kCalledAlert = "calledAlert";
    static inline const QColor kCalledAlertBackground{0xB0, 0x00, 0x20};

signals:
    // The operator asked for another window.
    void stationCallsignRequested();
    void defaultSettingRequested();
    void historyRequested();
    void memoryRequested();
    void heardStationsRequested();
    // The window has closed: the program ends, whatever other windows are open.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    void applyColours();
    void showCalledAlert();
    void showCallsignsFixedPitch();
    // The header callsign fields with the characters each shows (8, or 4 for a suffix).
    std::vector<std::pair<QWidget*, int>> callsignFieldWidths() const;
    static int widthFor(const QWidget* field, int characters);
    void fitToFont();
    void setKeyboardOrder();
    void startMonitor(const std::atomic<int>& historyGate,
                      const std::function<void(receiveRF&)>& wireMonitor);
    void FormActivate();
    void FormMouseEnter();
    void FormCloseQuery();

    void sendCallsign(Request request, const QString& text);
    void updateFlag(QCheckBox* box, std::uint8_t bit);

    AdapterLink& link_;
    Notifier& notifier_;
    QString caption_;
    receiveRF* monitor_ = nullptr;
};

} // namespace tamsel
