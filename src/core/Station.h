// SPDX-License-Identifier: GPL-3.0-or-later
// Station: the station itself, without a window: the adapter and its header values, the
// receptions, the stations heard, the logs, your position and the repeater directory. The
// desk and the station program are two faces on it.
#pragma once

#include "adapter/AdapterLink.h"
#include "adapter/Catalogue.h"
#include "adapter/Connection.h"
#include "alerts/AlertRules.h"
#include "calls/Routes.h"
#include "monitor/HeardList.h"
#include "monitor/ReceptionMachine.h"
#include "repeaters/NearerRepeater.h"
#include "repeaters/RepeaterDirectory.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace tamsel {

class AprsGate;
class ContactLogger;
class OwnStation;
class ReceptionLog;
class SettingsStore;
class receiveRF;
struct LogSettings;
struct MyStation;

// The header values the operator sets, each sent to the adapter the moment it changes.
enum class HeaderField { StationCall, Repeater1, Repeater2, MyCall, MyCallSuffix, SendMessage };
// The header's flag bits the operator sets.
enum class HeaderFlag { Repeater, Break, Emr };

// The values as the adapter last took them (or as read from it), as the desk's fields hold
// them.
struct HeaderValues {
    std::array<QString, 6> fields; // by HeaderField
    std::array<bool, 3> flags{};   // by HeaderFlag
    int volume = 0;                // the volume bar's position, 0 .. 99

    const QString& operator[](HeaderField f) const { return fields[static_cast<std::size_t>(f)]; }
};

class Station : public QObject {
    Q_OBJECT
public:
    struct Options {
        std::filesystem::path dataFolder;      // logs and the repeater directory
        QString settingsPath;                  // the settings file
        const std::atomic<int>* historyGate{}; // history lines only while set (none: never)
        QString version;                       // for the logs' program field
    };

    // Reads the settings, the last day's receptions and the repeater directory; nothing
    // goes to the adapter until start().
    Station(AdapterLink& link, Options options);
    // The same, following the adapter through unplug and replug.
    Station(AdapterConnection& connection, Options options);
    ~Station() override;
    Station(const Station&) = delete;
    Station& operator=(const Station&) = delete;

    // Reads the header values from the adapter (headerRead for each, in start-up order), then
    // starts the receive monitor.
    void start();
    // Asks the monitor to stop and waits until it has: no reception follows.
    void stop();
    bool running() const { return monitor_ != nullptr; }
    receiveRF* monitor() const { return monitor_; }

    AdapterLink& link() const { return link_; }
    // The adapter's state as the station last saw it.
    AdapterConnection::State adapterState() const { return adapterState_; }

    // ---- The header, the one place that checks and sends it --------------------------
    const HeaderValues& header() const { return header_; }
    // Reads every header value from the adapter again (start-up, and after a replug).
    void readHeader();
    // A face's own field has changed (by its change rule): the value goes out as it stands.
    void fieldEdited(HeaderField field, const QString& text);
    // Asked by either face or a feature: checked, and sent when it differs from what the
    // adapter holds. Returns the refusal (the text for the operator), empty when taken.
    QString setField(HeaderField field, const QString& text);
    // Station Call, Repeater 1 and Repeater 2 in that order, each sent only if it changed.
    QString setRoute(const QString& your, const QString& rpt1, const QString& rpt2);
    // Reads the flags, sets or clears one and reads them back. Returns what the adapter
    // holds for it, or nothing when it could not be reached.
    std::optional<bool> setFlag(HeaderFlag flag, bool on);
    void setVolume(int position);
    // Station Call becomes "CQCQCQ  " on the adapter.
    void sendGeneralCall();
    // The caller received goes out as Station Call as received; the adapter's value is read
    // back and returned.
    std::optional<QString> answerCaller(const QString& caller);
    // My Call and its suffix, then saved in the adapter: what the adapter then holds.
    void setMyCall(const QString& call, const QString& suffix);
    void saveSettings();
    // The adapter's version text; empty when it is gone.
    QString version();

    // ---- What the station knows ---------------------------------------------------------
    SettingsStore& settings() const { return *settings_; }
    OwnStation& ownStation() const { return *own_; }
    RepeaterDirectory& repeaters() { return directory_; }
    const HeardList& heard() const { return heard_; }
    // The receptions of the last day read back at start (their ends), oldest first.
    const std::vector<StationReport>& restored() const { return restored_; }
    const LogSettings& logSettings() const { return *logSettings_; }
    ContactLogger& contactLogger() const { return *contactLogger_; }
    const AlertSettings& alertSettings() const { return rules_.settings(); }
    // The gate of the positions heard to APRS-IS.
    AprsGate& aprs() const { return *aprs_; }
    const std::filesystem::path& dataFolder() const { return options_.dataFolder; }
    // The reception the desk shows: the one under way from its header on (lasting until
    // now), else the last one that ended.
    StationReport shownReception() const;
    // Whether that reception is still under way.
    bool receiving() const { return receiving_; }
    // A station's last reception by its callsign (the module letter aside); nothing for a
    // station not heard.
    std::optional<StationReport> lastReceptionOf(const std::string& call) const;
    // What a contact logs: the station in Station Call when heard within kWorkedWithin,
    // else the caller shown.
    StationReport stationBeingWorked() const;
    static constexpr std::chrono::minutes kWorkedWithin{10};
    // Your callsign and locator, for the logs.
    MyStation myStation() const;
    // Why the station would alert on this header, by the alert rules.
    std::optional<AlertKind> alertFor(const StationReport& header) const;

    // ---- The repeater directory ----------------------------------------------------------
    // Repeater 1 the repeater, Repeater 2 its gateway, the Repeater option on.
    QString useRepeater(const Repeater& repeater);
    struct NearestUse {
        QString refusal; // why none was set, for the operator
        QString done;    // "Repeater 1: DB0ABC C, 4.2 km"
    };
    NearestUse useNearestRepeater();
    std::optional<double> repeater1Frequency() const;

    // ---- The Call menu, for a face without its own --------------------------------------
    // Where the operator stands for a route: Repeater 1 and My Call as the adapter holds
    // them, and the repeater Repeater 1 held last (kept in the settings).
    RouteStart routeStart() const;
    // Sets a route and its Repeater option, or says why not (empty when set).
    QString applyRoute(const Routing& routing);
    // The calls that need nothing but the station.
    QString call(Call item);
    // Reply to Last Caller: the last reception, the way it came.
    QString replyToLastCaller();
    // A heard station, the way its last reception came.
    QString replyTo(const QString& callsign);
    // Station Call `your` (a link command, a callsign, a repeater route) through the gateway.
    QString callThroughGateway(const QString& your);

    // Reads the settings file again (a change made outside, or SIGHUP).
    void reloadSettings();

    // Use Nearest Repeater sets nothing farther than this: beyond it the directory holds no
    // repeater of the operator's region.
    static constexpr double kNearestReachMetres = 150'000;

signals:
    // A value read from the adapter, in start-up order. A face showing it as its own
    // field's change sends it back through fieldEdited (the desk does, as it always has).
    void headerRead(tamsel::HeaderField field, const QString& text);
    void flagsRead(const std::array<bool, 3>& flags);
    void volumeRead(int position);
    // A value the adapter took, whichever face asked: the others show it without sending.
    void headerChanged(tamsel::HeaderField field, const QString& text);
    void flagChanged(tamsel::HeaderFlag flag, bool on);
    void volumeChanged(int position);
    // A request of a face was refused (the text for the operator).
    void refused(const QString& why);

    // Every reception, in order, on this object's thread: heard list already updated.
    void reception(const tamsel::StationReport& report);
    // The reception fields as the desk shows them.
    void fieldReceived(tamsel::ReceptionField field, const QByteArray& text);
    void historyLine(const QByteArray& line, std::chrono::system_clock::time_point start);
    // The adapter came, went, or could not be opened.
    void adapterChanged(tamsel::AdapterConnection::State state);
    // The adapter is back and the station has read its header again: a face reads what it
    // shows of it, in start-up order, before the monitor polls again.
    void adapterReopened();
    // Reception log news: writing failed (first failure) or works again.
    void receptionLogNews(bool failed, const QString& text);
    // Your position moved and a clearly nearer repeater is in the directory (not set).
    void nearerRepeater(const tamsel::Repeater& repeater, double metres);
    // A header that the alert rules pick.
    void alert(tamsel::AlertKind kind, const tamsel::StationReport& header);
    // The settings were read again.
    void settingsReloaded();
    // A position of this heard station went out to APRS-IS (the heard list has it).
    void stationGated(const QString& caller, std::chrono::system_clock::time_point when);
    // The adapter connection has news (any thread).
    void connectionNews(QPrivateSignal);

private:
    void construct();
    void follow(AdapterConnection& connection);
    void connectionChanged();
    void wireMonitor();
    void noteReception(const StationReport& r);
    void followSettings();
    void configureAprs();
    void positionMoved();
    void sendCallsignField(HeaderField field, const QString& text);
    QString refusal(HeaderField field, const QString& text) const;
    void remember(HeaderField field, const QString& text);
    std::string repeater1Field() const;

    AdapterLink& link_;
    AdapterConnection* connection_ = nullptr;
    Options options_;
    std::atomic<int> noHistory_{0};
    AdapterConnection::State adapterState_ = AdapterConnection::State::Connected;

    HeaderValues header_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<OwnStation> own_;
    std::unique_ptr<LogSettings> logSettings_;
    std::unique_ptr<ContactLogger> contactLogger_;
    std::unique_ptr<ReceptionLog> receptionLog_; // written on the monitor's thread only
    std::unique_ptr<AprsGate> aprs_;
    QTimer aprsLogin_; // My Call typed: the gate logs in again once typing stops
    AlertRules rules_;
    HeardList heard_;
    std::vector<StationReport> restored_;
    StationReport lastReception_;
    bool receiving_ = false; // lastReception_ is still under way
    RepeaterDirectory directory_;
    NearerRepeater nearer_;
    receiveRF* monitor_ = nullptr;
    bool started_ = false;
    // What the monitor thread's log writes have to tell, picked up on this thread.
    std::mutex newsLock_;
    std::vector<std::pair<bool, std::string>> news_;
};

} // namespace tamsel
