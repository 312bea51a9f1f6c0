// SPDX-License-Identifier: GPL-3.0-or-later
// Unit1: TForm1, the main window: header editing, reception fields and the main menu.
#pragma once

#include "Station.h"
#include "monitor/ReceptionMachine.h"
#include "ui_Unit1.h"
#include "widgets/Notifier.h"

#include <QLabel>
#include <QMainWindow>
#include <atomic>
#include <functional>
#include <vector>

namespace tamsel {

class receiveRF;

// The operator's console and the application's main window. Every header value, the
// message, the flags and the volume are sent to the adapter the moment they change, through
// the station; what the station took from elsewhere shows here without being sent again.
class TForm1 : public QMainWindow, public Ui::TForm1 {
    Q_OBJECT
public:
    // Reads the header from the adapter through the station (each value shown is written
    // back by its field's change handler), then starts the station's receive monitor.
    TForm1(Station& station, Notifier& notifier, const QString& captionNote = {});
    ~TForm1() override;

    // Reads every value the window shows from the adapter, writing each change back.
    void populate();
    // Blanks the received fields (start-up, and the adapter's return).
    void clearReception();
    // Ends the caption with `suffix` (the adapter's state), or with nothing.
    void showAdapterState(const QString& suffix);
    // The gate to APRS-IS in a status bar under the window, while it is on (empty: off, and
    // the window is as it always was).
    void showGateStatus(const QString& text);
    QLabel* gateStatus() const { return gateStatus_; }

    receiveRF* monitor() const { return station_.monitor(); }

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

    // What other windows ask of this one: the station checks and sends what changed, and
    // the fields show it. A refusal is told in a box.
    void setDestination(const QString& your);
    void setRoute(const QString& your, const QString& rpt1, const QString& rpt2);
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
    void followStation();
    // A value the station took, shown without its change handler sending it again.
    void showTaken(HeaderField field, const QString& text);
    void showHeaderRead(HeaderField field, const QString& text);
    void edited(HeaderField field, const QString& text);
    void FormActivate();
    void FormMouseEnter();
    void FormCloseQuery();

    void updateFlag(QCheckBox* box, HeaderFlag flag);
    QCheckBox* flagBox(HeaderFlag flag) const;
    TEdit* fieldEdit(HeaderField field) const;

    Station& station_;
    Notifier& notifier_;
    QString caption_;
    bool echo_ = false;            // showing what the station took: the handlers send nothing
    bool asking_ = false;          // a flag of this window's own is on its way
    QSize fixedSize_;              // without a status bar
    QLabel* gateStatus_ = nullptr; // in the status bar, made when first needed
};

} // namespace tamsel
