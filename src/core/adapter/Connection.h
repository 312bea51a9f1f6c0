// SPDX-License-Identifier: GPL-3.0-or-later
// Connection: the adapter followed through unplug and replug.
#pragma once

#include "AdapterLink.h"
#include "Discovery.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace tamsel {

// The link to the adapter as it comes and goes. A request that ends with no-device, or the
// system's notice that the adapter left, marks it lost: from then on requests fail at once
// without reaching USB, and a watcher looks for the adapter again, scanning only while it
// is gone. When it re-appears it is opened,
// configured and sent InitModem; the windows then read it again (state Reopened) and call
// resume(), after which the monitor polls again.
//
// Both threads keep issuing requests unserialised: each request holds its own reference to
// the open handle, so swapping the handle never closes it under a request in flight.
class AdapterConnection : public AdapterLink {
public:
    enum class State {
        Connected,     // requests reach the adapter; the monitor polls
        Disconnected,  // gone; watching for it
        NotAccessible, // back, but it could not be opened; still watching
        Reopened,      // back and open; the windows read it before the monitor polls
    };
    // A fresh view of the USB buses for each scan.
    using BusFactory = std::function<std::unique_ptr<UsbBus>()>;
    // Waits up to the given time for hotplug news of a device with the adapter's
    // identifiers, arriving or leaving; true when there is some. Without it the watcher
    // just waits, and only a failed request tells that the adapter has gone.
    using ArrivalWait = std::function<bool(std::chrono::milliseconds)>;
    // Told that the state has changed, on whichever thread changed it, never under a lock.
    // Notices from two threads may cross on their way, so the listener reads status()
    // rather than trusting an order: the last notice then always finds the current state.
    using Listener = std::function<void()>;
    struct Status {
        State state;
        unsigned generation;
    };

    static constexpr std::chrono::milliseconds kScanInterval{1000};

    // Without a `link` the adapter was not there at start: it is looked for from the start.
    AdapterConnection(std::unique_ptr<AdapterLink> link, BusFactory rescan,
                      ArrivalWait arrivals = {});
    ~AdapterConnection() override;
    AdapterConnection(const AdapterConnection&) = delete;
    AdapterConnection& operator=(const AdapterConnection&) = delete;

    int controlTransfer(std::uint8_t requestType, std::uint8_t request, std::uint16_t wValue,
                        std::uint16_t wIndex, unsigned char* data, std::uint16_t length,
                        unsigned timeoutMs) override;
    bool connected() const override;
    bool waitForPolling(const std::function<bool()>& stop) override;
    unsigned generation() const override;

    State state() const;
    Status status() const; // state and generation read together
    void setListener(Listener listener);
    // The windows have read the re-opened adapter of `generation`: the monitor may poll.
    // Nothing happens when the adapter has gone again meanwhile.
    void resume(unsigned generation);
    // The system reports a device with the adapter's identifiers removed: when the link
    // says its device is no longer there, the adapter is lost. (Another adapter leaving
    // leaves this one alone.)
    void removed();

private:
    void lose(const AdapterLink* which);
    void setState(State state, std::unique_lock<std::mutex>& lock);
    void watch();
    bool pauseBetweenScans();
    void followWhileThere(std::unique_lock<std::mutex>& lock);

    BusFactory rescan_;
    ArrivalWait arrivals_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::shared_ptr<AdapterLink> link_;
    State state_ = State::Connected;
    unsigned generation_ = 0;
    bool stopping_ = false;
    bool news_ = false;        // news came while connected and may have been an arrival
    std::mutex listenerMutex_; // held while the listener runs, so clearing it waits
    Listener listener_;
    std::thread watcher_;
};

} // namespace tamsel
