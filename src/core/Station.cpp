// SPDX-License-Identifier: GPL-3.0-or-later
// Station: the station itself, without a window: the adapter and its header values, the
// receptions, the stations heard, the logs, your position and the repeater directory.
#include "Station.h"

#include "adapter/Fields.h"
#include "adapter/Payload.h"
#include "adapter/Version.h"
#include "alerts/AlertSettings.h"
#include "aprs/AprsGate.h"
#include "aprs/AprsSettings.h"
#include "calls/Routes.h"
#include "log/Adif.h"
#include "log/ContactLogger.h"
#include "log/LogSettingsFile.h"
#include "log/ReceptionLog.h"
#include "memory/Text.h"
#include "monitor/Position.h"
#include "monitor/Unit2.h"
#include "settings/SettingsStore.h"
#include "station/OwnStation.h"
#include "station/StationSettings.h"
#include "station/Units.h"

#include <QCoreApplication>

namespace tamsel {

namespace {
// The repeater Repeater 1 held last ("JR1YB  B"), as the console's Call menu keeps it.
constexpr QLatin1String kLastRepeaterKey{"calls/repeater"};
} // namespace

namespace {

std::size_t at(HeaderField f) {
    return static_cast<std::size_t>(f);
}

std::uint8_t bitOf(HeaderFlag flag) {
    switch (flag) {
    case HeaderFlag::Repeater:
        return kFlagRepeater;
    case HeaderFlag::Break:
        return kFlagBreak;
    case HeaderFlag::Emr:
        return kFlagEmr;
    }
    return 0;
}

// The field's name as the operator knows it, for a refusal.
QString fieldName(HeaderField field) {
    switch (field) {
    case HeaderField::StationCall:
        return Station::tr("Station Call");
    case HeaderField::Repeater1:
        return Station::tr("Repeater 1");
    case HeaderField::Repeater2:
        return Station::tr("Repeater 2");
    case HeaderField::MyCall:
        return Station::tr("My Call");
    case HeaderField::MyCallSuffix:
        return Station::tr("My Call suffix");
    case HeaderField::SendMessage:
        return Station::tr("Send Message");
    }
    return {};
}

// The value as the field holds it: callsigns upper-case (as the desk's fields make them).
QString normalised(HeaderField field, const QString& text) {
    return field == HeaderField::SendMessage ? text : text.toUpper();
}

std::optional<QString> readShown(AdapterLink& link, Request request, Retry rule) {
    if (auto text = readText(link, request, rule)) {
        return fromBytes(*text);
    }
    return std::nullopt;
}

} // namespace

Station::Station(AdapterLink& link, Options options)
    : link_(link), options_(std::move(options)), directory_(options_.dataFolder / "repeaters") {
    construct();
}

Station::Station(AdapterConnection& connection, Options options)
    : Station(static_cast<AdapterLink&>(connection), std::move(options)) {
    follow(connection);
}

void Station::construct() {
    settings_ = options_.settingsPath.isEmpty()
                    ? std::make_unique<SettingsStore>()
                    : std::make_unique<SettingsStore>(options_.settingsPath);
    own_ = std::make_unique<OwnStation>();
    logSettings_ = std::make_unique<LogSettings>(loadLogSettings(*settings_));
    contactLogger_ = std::make_unique<ContactLogger>(*logSettings_, options_.version.toStdString());
    receptionLog_ =
        std::make_unique<ReceptionLog>(options_.dataFolder, logSettings_->retentionDays);
    aprs_ = std::make_unique<AprsGate>(options_.version);
    connect(aprs_.get(), &AprsGate::gated, this,
            [this](const std::string& caller, std::chrono::system_clock::time_point when) {
                if (heard_.markGated(caller, when)) {
                    emit stationGated(QString::fromLatin1(caller), when);
                }
            });
    aprsLogin_.setSingleShot(true);
    aprsLogin_.setInterval(1000);
    connect(&aprsLogin_, &QTimer::timeout, this, &Station::configureAprs);
    followSettings();
    connect(settings_.get(), &SettingsStore::changed, this, &Station::followSettings);
    connect(own_.get(), &OwnStation::positionChanged, this, &Station::positionMoved);
    connect(&directory_, &RepeaterDirectory::changed, this, [this] { nearer_.reset(); });

    // What was heard in the last day comes back, so a restart loses nothing.
    for (const StationReport& end :
         readRecentReceptions(options_.dataFolder, std::chrono::system_clock::now())) {
        for (const StationReport& r : liveReports(end)) {
            heard_.apply(r);
        }
        lastReception_ = end;
        restored_.push_back(end);
    }
    directory_.load();
    wireMonitor();
}

Station::~Station() {
    if (connection_ != nullptr) {
        connection_->setListener({}); // waits for a report under way; none follows
    }
    stop();
}

void Station::followSettings() {
    own_->configure(StationSettings::load(*settings_));
    *logSettings_ = loadLogSettings(*settings_);
    contactLogger_->settingsChanged();
    rules_.setSettings(loadAlertSettings(*settings_));
    // The log follows at once: switched on or off, and the days past a shorter retention
    // removed as soon as it is applied.
    receptionLog_->setEnabled(logSettings_->receptionLog);
    receptionLog_->setRetentionDays(logSettings_->retentionDays);
    if (logSettings_->receptionLog) {
        removeExpiredReceptionFiles(options_.dataFolder, std::chrono::system_clock::now(),
                                    logSettings_->retentionDays);
    }
    configureAprs();
}

void Station::configureAprs() {
    aprsLogin_.stop();
    aprs_->configure(loadAprsSettings(*settings_), header_[HeaderField::MyCall]);
}

void Station::reloadSettings() {
    settings_->reload();
    emit settingsReloaded();
}

// ---- The monitor and the adapter ---------------------------------------------------------

void Station::wireMonitor() {
    // Made now and started later, so that every face can listen before the first poll.
    monitor_ =
        new receiveRF(link_, options_.historyGate != nullptr ? *options_.historyGate : noHistory_);
    connect(monitor_, &receiveRF::fieldReceived, this, &Station::fieldReceived,
            Qt::QueuedConnection);
    connect(monitor_, &receiveRF::historyLine, this, &Station::historyLine, Qt::QueuedConnection);
    // Written on the monitor's thread as each reception ends: a slow disk never holds up a
    // face, and the line is on the disk before the next reception starts. What the operator
    // is to be told is told on this thread, after it.
    ReceptionLog* log = receptionLog_.get();
    connect(
        monitor_, &receiveRF::stationReport, monitor_,
        [this, log](const StationReport& r) {
            if (r.kind != StationReport::Kind::End) {
                return;
            }
            if (auto told = log->append(r)) {
                const std::lock_guard lock(newsLock_);
                news_.emplace_back(told->failed, std::move(told->reason));
            }
        },
        Qt::DirectConnection);
    // Queued from the monitor's thread; at once when a report is made on this one.
    connect(monitor_, &receiveRF::stationReport, this, &Station::noteReception);
}

void Station::start() {
    readHeader();
    if (monitor_ != nullptr && !started_) {
        started_ = true;
        monitor_->start();
    }
}

void Station::stop() {
    if (monitor_ == nullptr) {
        return;
    }
    monitor_->requestInterruption();
    monitor_->wait();
    while (started_ && !monitor_->ended()) {
        // wait() has returned, so this is already true; reading it pairs with the store.
    }
    delete monitor_;
    monitor_ = nullptr;
}

void Station::follow(AdapterConnection& connection) {
    connection_ = &connection;
    // The connection's news comes on whichever thread has it; it is read on this one.
    connect(this, &Station::connectionNews, this, &Station::connectionChanged,
            Qt::QueuedConnection);
    connection.setListener([this] { emit connectionNews(QPrivateSignal()); });
    // It may have gone between discovery and now.
    if (connection.state() != AdapterConnection::State::Connected) {
        emit connectionNews(QPrivateSignal());
    }
}

void Station::connectionChanged() {
    // The state as it is now, not as some notice said: notices of two threads can cross.
    const auto [state, generation] = connection_->status();
    if (state == AdapterConnection::State::Reopened) {
        // The requests of start-up after InitModem, in the same order; then the monitor.
        readHeader();
        emit adapterReopened();
        connection_->resume(generation);
    }
    if (state != adapterState_) {
        adapterState_ = state;
        emit adapterChanged(state);
    }
}

// ---- The header ----------------------------------------------------------------------------

void Station::remember(HeaderField field, const QString& text) {
    if (field == HeaderField::MyCall && text != header_[field]) {
        aprsLogin_.start(); // the login and the station never gated follow My Call
    }
    header_.fields[at(field)] = text;
}

void Station::readHeader() {
    const std::pair<Request, HeaderField> callsigns[] = {
        {Request::GetRpt2Call, HeaderField::Repeater2},
        {Request::GetRpt1Call, HeaderField::Repeater1},
        {Request::GetYourCall, HeaderField::StationCall},
        {Request::GetMyCall, HeaderField::MyCall},
        {Request::GetMyCall2, HeaderField::MyCallSuffix},
    };
    // A face that shows each value as its own field's change sends it straight back.
    for (const auto& [request, field] : callsigns) {
        if (auto text = readShown(link_, request, Retry::AtOnce)) {
            remember(field, *text);
            emit headerRead(field, *text);
        }
    }
    if (auto text = readShown(link_, Request::GetTxMessage, Retry::After50ms)) {
        remember(HeaderField::SendMessage, *text);
        emit headerRead(HeaderField::SendMessage, *text);
    }
    if (auto flags = readFixed<kFlagBytes>(link_, Request::GetTxFlags)) {
        for (HeaderFlag f : {HeaderFlag::Repeater, HeaderFlag::Break, HeaderFlag::Emr}) {
            header_.flags[static_cast<std::size_t>(f)] = ((*flags)[0] & bitOf(f)) != 0;
        }
        emit flagsRead(header_.flags);
    }
    if (auto volume = readByte(link_, Request::GetVolume)) {
        header_.volume = volumePosition(*volume);
        emit volumeRead(header_.volume);
    }
}

void Station::sendCallsignField(HeaderField field, const QString& text) {
    switch (field) {
    case HeaderField::StationCall:
    case HeaderField::Repeater1:
    case HeaderField::Repeater2: {
        const Request request = field == HeaderField::StationCall ? Request::SetYourCall
                                : field == HeaderField::Repeater1 ? Request::SetRpt1Call
                                                                  : Request::SetRpt2Call;
        const std::string bytes = callsignField(toBytes(text));
        withRetry(Retry::After50ms, [&] { return sendField(link_, request, bytes); });
        break;
    }
    case HeaderField::SendMessage:
        sendField(link_, Request::SetTxMessage, messageField(toBytes(text)));
        break;
    case HeaderField::MyCall:
        sendField(link_, Request::SetMyCall, callsignField(toBytes(text)));
        break;
    case HeaderField::MyCallSuffix:
        sendField(link_, Request::SetMyCall2, suffixField(toBytes(text)));
        break;
    }
}

void Station::fieldEdited(HeaderField field, const QString& text) {
    remember(field, text);
    sendCallsignField(field, text);
    emit headerChanged(field, text);
}

QString Station::refusal(HeaderField field, const QString& text) const {
    // The adapter takes one byte a character. A longer text is the program's own (a memory
    // row, a route): it stays whole in the field and its first characters are sent.
    for (const QChar c : text) {
        if (c.unicode() > 0xff) {
            //: %1: the field ("Station Call"), %2: the character it cannot take
            return tr("%1 cannot take \"%2\": the adapter sends Latin letters, digits and "
                      "signs only.")
                .arg(fieldName(field), QString(c));
        }
    }
    return {};
}

QString Station::setField(HeaderField field, const QString& text) {
    const QString value = normalised(field, text);
    if (QString why = refusal(field, value); !why.isEmpty()) {
        emit refused(why);
        return why;
    }
    if (value == header_[field]) {
        return {}; // the adapter holds it already: nothing to send
    }
    fieldEdited(field, value);
    return {};
}

QString Station::setRoute(const QString& your, const QString& rpt1, const QString& rpt2) {
    const std::pair<HeaderField, QString> route[] = {{HeaderField::StationCall, your},
                                                     {HeaderField::Repeater1, rpt1},
                                                     {HeaderField::Repeater2, rpt2}};
    // Checked whole first: a route is set all or nothing.
    for (const auto& [field, text] : route) {
        if (QString why = refusal(field, text); !why.isEmpty()) {
            emit refused(why);
            return why;
        }
    }
    for (const auto& [field, text] : route) {
        setField(field, text);
    }
    return {};
}

std::optional<bool> Station::setFlag(HeaderFlag flag, bool on) {
    const std::uint8_t bit = bitOf(flag);
    auto flags = readFixed<kFlagBytes>(link_, Request::GetTxFlags);
    if (!flags) {
        return std::nullopt; // without the adapter's bytes there is nothing safe to write back
    }
    (*flags)[0] = withFlag((*flags)[0], bit, on);
    sendBytes(link_, Request::SetTxFlags, *flags);
    auto held = readFixed<kFlagBytes>(link_, Request::GetTxFlags);
    if (!held) {
        return std::nullopt;
    }
    const bool now = ((*held)[0] & bit) != 0;
    header_.flags[static_cast<std::size_t>(flag)] = now;
    emit flagChanged(flag, now);
    return now;
}

void Station::setVolume(int position) {
    header_.volume = position;
    sendValue(link_, Request::SetVolume, volumeValue(position));
    emit volumeChanged(position);
}

void Station::sendGeneralCall() {
    sendField(link_, Request::SetYourCall, kGeneralCall);
}

std::optional<QString> Station::answerCaller(const QString& caller) {
    // The caller goes out as received; the adapter's value is what Station Call then holds.
    sendField(link_, Request::SetYourCall, callsignField(toBytes(caller), Case::AsTyped));
    return readShown(link_, Request::GetYourCall, Retry::None);
}

void Station::setMyCall(const QString& call, const QString& suffix) {
    // What was sent shows first, then what the adapter reports. With the adapter gone,
    // nothing was sent and nothing is shown as if it had been.
    const std::string callBytes = callsignField(toBytes(call));
    if (sendField(link_, Request::SetMyCall, callBytes) >= 0 || link_.connected()) {
        remember(HeaderField::MyCall, fromBytes(callBytes));
        emit headerChanged(HeaderField::MyCall, fromBytes(callBytes));
    }
    const std::string suffixBytes = suffixField(toBytes(suffix));
    if (sendField(link_, Request::SetMyCall2, suffixBytes) >= 0 || link_.connected()) {
        remember(HeaderField::MyCallSuffix, fromBytes(suffixBytes));
        emit headerChanged(HeaderField::MyCallSuffix, fromBytes(suffixBytes));
    }
    command(link_, Request::SaveSettings);
    sleepMs(200);
    for (const auto& [request, field] :
         {std::pair{Request::GetMyCall, HeaderField::MyCall},
          std::pair{Request::GetMyCall2, HeaderField::MyCallSuffix}}) {
        if (auto held = readText(link_, request)) {
            remember(field, fromBytes(*held));
            emit headerChanged(field, fromBytes(*held));
        }
    }
}

void Station::saveSettings() {
    command(link_, Request::SaveSettings);
}

QString Station::version() {
    const std::string text = readVersion(link_);
    return link_.connected() ? fromBytes(text) : QString();
}

// ---- Receptions ----------------------------------------------------------------------------

void Station::noteReception(const StationReport& r) {
    heard_.apply(r);
    // The reception shown: the one under way from its header on, else the last that ended.
    switch (r.kind) {
    case StationReport::Kind::Heard:
        lastReception_ = r;
        lastReception_.kind = StationReport::Kind::End;
        receiving_ = true;
        break;
    case StationReport::Kind::Message:
        if (receiving_) {
            lastReception_.message = r.message;
        }
        break;
    case StationReport::Kind::Position:
        if (receiving_) {
            lastReception_.positions.push_back(r.position);
        }
        break;
    case StationReport::Kind::End:
        lastReception_ = r;
        receiving_ = false;
        break;
    }
    emit reception(r);
    aprs_->take(r);
    if (r.kind == StationReport::Kind::Heard) {
        const std::string me = header_[HeaderField::MyCall].toStdString();
        if (auto decided = rules_.decide(r.caller, r.called, me, AlertRules::Clock::now())) {
            emit alert(decided->kind, r);
        }
    }
    if (r.kind == StationReport::Kind::End) {
        std::vector<std::pair<bool, std::string>> told;
        {
            const std::lock_guard lock(newsLock_);
            told.swap(news_);
        }
        for (const auto& [failed, reason] : told) {
            emit receptionLogNews(
                failed, failed ? tr("Receptions cannot be written to the reception log (%1). "
                                    "Receiving goes on without it.")
                                     .arg(QString::fromStdString(reason))
                               : tr("Receptions are written to the reception log again (%1).")
                                     .arg(QString::fromStdString(options_.dataFolder.string())));
        }
    }
}

StationReport Station::shownReception() const {
    StationReport shown = lastReception_;
    if (receiving_) {
        shown.duration = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::system_clock::now() - shown.utcStart);
    }
    return shown;
}

std::optional<StationReport> Station::lastReceptionOf(const std::string& call) const {
    const std::string base = contactCallsign(call);
    if (base.empty()) {
        return std::nullopt;
    }
    if (contactCallsign(lastReception_.caller) == base) {
        return shownReception();
    }
    // A callsign heard with and without a module letter is one station: its latest.
    const HeardStation* latest = nullptr;
    for (std::size_t row = 0; row < heard_.size(); ++row) {
        const HeardStation& s = heard_.at(row);
        if ((latest == nullptr || s.utcStart > latest->utcStart) &&
            contactCallsign(s.callsign) == base) {
            latest = &s;
        }
    }
    return latest != nullptr ? std::optional(lastReception(*latest)) : std::nullopt;
}

StationReport Station::stationBeingWorked() const {
    const auto worked = lastReceptionOf(header_[HeaderField::StationCall].toStdString());
    if (worked &&
        std::chrono::system_clock::now() - (worked->utcStart + worked->duration) <= kWorkedWithin) {
        return *worked;
    }
    return shownReception();
}

MyStation Station::myStation() const {
    MyStation own{header_[HeaderField::MyCall].trimmed().toStdString(), {}};
    const StationSettings& set = own_->settings();
    if (set.source == PositionSource::Locator && !set.locator.isEmpty()) {
        // The locator as precise as the operator gave it; ADIF takes at most 8 characters.
        own.locator = set.locator.left(8).toStdString();
    } else if (const auto here = own_->position()) {
        own.locator = maidenhead(here->latitude, here->longitude);
    }
    return own;
}

std::optional<AlertKind> Station::alertFor(const StationReport& header) const {
    return rules_.classify(header.caller, header.called,
                           header_[HeaderField::MyCall].toStdString());
}

// ---- The repeater directory ----------------------------------------------------------------

std::string Station::repeater1Field() const {
    const auto repeater = repeaterOf(header_[HeaderField::Repeater1]);
    return repeater ? repeater->toStdString() : std::string();
}

QString Station::useRepeater(const Repeater& repeater) {
    if (!repeater.routable()) {
        return {};
    }
    // The Call menu's way: the route's fields (Station Call as it stands), then the option.
    if (QString why =
            setRoute(header_[HeaderField::StationCall], QString::fromStdString(repeater.callsign),
                     QString::fromStdString(repeater.gateway));
        !why.isEmpty()) {
        return why;
    }
    if (!header_.flags[static_cast<std::size_t>(HeaderFlag::Repeater)]) {
        setFlag(HeaderFlag::Repeater, true);
    }
    return {};
}

RouteStart Station::routeStart() const {
    RouteStart start{header_[HeaderField::Repeater1], header_[HeaderField::MyCall]};
    start.lastRepeater =
        repeaterOf(start.repeater1)
            .value_or(repeaterOf(settings_->text(kLastRepeaterKey, {}).value).value_or(QString()));
    return start;
}

QString Station::applyRoute(const Routing& routing) {
    if (!routing.route) {
        return routing.refusal;
    }
    // The repeater in use is kept, so that a route through a repeater can return to it
    // after a simplex call.
    if (const auto repeater = repeaterOf(header_[HeaderField::Repeater1]);
        repeater && *repeater != settings_->text(kLastRepeaterKey, {}).value) {
        settings_->set(kLastRepeaterKey, *repeater);
        settings_->commit();
    }
    const Route& r = *routing.route;
    if (QString why = setRoute(r.your, r.rpt1, r.rpt2); !why.isEmpty()) {
        return why;
    }
    if (header_.flags[static_cast<std::size_t>(HeaderFlag::Repeater)] != r.repeater) {
        setFlag(HeaderFlag::Repeater, r.repeater);
    }
    return {};
}

QString Station::call(Call item) {
    return applyRoute(route(item, routeStart()));
}

QString Station::replyToLastCaller() {
    std::optional<ReceivedRoute> last;
    if (!lastReception_.caller.empty()) {
        last = receivedRoute(lastReception_);
    }
    return applyRoute(reply(last, routeStart()));
}

QString Station::replyTo(const QString& callsign) {
    const auto heard = lastReceptionOf(callsign.trimmed().toStdString());
    if (!heard) {
        //: %1: a callsign
        return tr("%1 has not been heard.").arg(callsign.trimmed());
    }
    return applyRoute(reply(receivedRoute(*heard), routeStart()));
}

QString Station::callThroughGateway(const QString& your) {
    return applyRoute(viaGateway(your, routeStart()));
}

Station::NearestUse Station::useNearestRepeater() {
    const auto here = own_->position();
    if (!here) {
        return {tr("Set your position first (Config, Preferences, Station)."), {}};
    }
    const auto nearest = directory_.nearest(*here);
    if (!nearest) {
        return {tr("Import a repeater list first (Window, Repeaters, File, Import Repeater List)."),
                {}};
    }
    const QString callsign = QString::fromStdString(nearest->repeater->shownCallsign());
    const QString distance = distanceText(own_->units(), nearest->course.metres);
    if (nearest->course.metres > kNearestReachMetres) {
        //: %1: a repeater's callsign ("JP3YIC B"), %2: its distance with the unit ("9,263 km").
        return {
            tr("The nearest repeater in the directory, %1, is %2 away.").arg(callsign, distance),
            {}};
    }
    if (QString why = useRepeater(*nearest->repeater); !why.isEmpty()) {
        return {why, {}};
    }
    //: %1: the repeater's callsign ("DB0ABC C"), %2: its distance with the unit ("4.2 km").
    return {{}, tr("Repeater 1: %1, %2").arg(callsign, distance)};
}

std::optional<double> Station::repeater1Frequency() const {
    const Repeater* r = directory_.find(repeater1Field());
    if (r == nullptr || r->frequencyMHz <= 0) {
        return std::nullopt;
    }
    return r->frequencyMHz;
}

void Station::positionMoved() {
    // Mobile operation only: a fixed position has nothing to follow.
    const auto here = own_->position();
    if (!here || own_->settings().source != PositionSource::Gpsd) {
        return;
    }
    const auto offer = nearer_.update(directory_, *here, repeater1Field());
    if (!offer) {
        return;
    }
    if (own_->settings().followRepeater) {
        useRepeater(*offer->repeater);
        return;
    }
    emit nearerRepeater(*offer->repeater, offer->metres);
}

} // namespace tamsel
