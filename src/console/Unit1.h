#pragma once

#include "adapter/AdapterLink.h"
#include "adapter/Catalogue.h"
#include "adapter/Retry.h"
#include "console/Notifier.h"
#include "ui_Unit1.h"

#include <QMainWindow>
#include <optional>

namespace tamsel {

class receiveRF;

// The operator's console and the application's main window. Every header value, the
// message, the flags and the volume are sent to the adapter the moment they change.
class TForm1 : public QMainWindow, public Ui::TForm1 {
    Q_OBJECT
public:
    TForm1(AdapterLink& link, Notifier& notifier, const QString& captionNote = {});
    ~TForm1() override;

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
    void PICVersion1Click();
    void About1Click();

    static QString aboutText();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private slots:
    void showReception(int target, const QByteArray& text);
    void addHistoryLine(const QByteArray& line);

private:
    void applyColours();
    void populate();
    void startMonitor();
    void FormActivate();
    void FormMouseEnter();
    void FormCloseQuery();

    // A fixed-size text read; nothing when the read failed or came back short.
    std::optional<QString> readText(Request request, Retry rule);
    void sendCallsign(Request request, const QString& text);
    void updateFlag(QCheckBox* box, std::uint8_t bit);

    AdapterLink& link_;
    Notifier& notifier_;
    receiveRF* monitor_ = nullptr;
};

extern TForm1* Form1;

// Bytes as the adapter and the windows exchange them: one character per byte.
inline QString fromBytes(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
inline std::string toBytes(const QString& text) {
    return text.toLatin1().toStdString();
}

} // namespace tamsel
