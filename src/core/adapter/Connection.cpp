// SPDX-License-Identifier: GPL-3.0-or-later
// Connection: the adapter followed through unplug and replug.
#include "Connection.h"

#include <utility>

namespace tamsel {

namespace {
// How often a waiting thread looks at its stop condition.
constexpr std::chrono::milliseconds kStopCheck{50};
} // namespace

AdapterConnection::AdapterConnection(std::unique_ptr<AdapterLink> link, BusFactory rescan,
                                     ArrivalWait arrivals)
    : rescan_(std::move(rescan)), arrivals_(std::move(arrivals)), link_(std::move(link)) {
    if (!link_) {
        state_ = State::Disconnected; // not there at start: looked for like a lost one
    }
    if (rescan_) {
        watcher_ = std::thread([this] { watch(); });
    }
}

AdapterConnection::~AdapterConnection() {
    setListener({});
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (watcher_.joinable()) {
        watcher_.join();
    }
}

int AdapterConnection::controlTransfer(std::uint8_t requestType, std::uint8_t request,
                                       std::uint16_t wValue, std::uint16_t wIndex,
                                       unsigned char* data, std::uint16_t length,
                                       unsigned timeoutMs) {
    std::shared_ptr<AdapterLink> link;
    {
        std::lock_guard lock(mutex_);
        link = link_;
    }
    if (!link) {
        return kErrorNoDevice; // gone: nothing reaches USB until it is back
    }
    const int result =
        link->controlTransfer(requestType, request, wValue, wIndex, data, length, timeoutMs);
    if (result == kErrorNoDevice) {
        lose(link.get());
    }
    return result;
}

bool AdapterConnection::connected() const {
    std::lock_guard lock(mutex_);
    return link_ != nullptr;
}

bool AdapterConnection::waitForPolling(const std::function<bool()>& stop) {
    std::unique_lock lock(mutex_);
    while (state_ != State::Connected) {
        if (stop()) {
            return false;
        }
        changed_.wait_for(lock, kStopCheck);
    }
    return !stop();
}

unsigned AdapterConnection::generation() const {
    std::lock_guard lock(mutex_);
    return generation_;
}

AdapterConnection::State AdapterConnection::state() const {
    std::lock_guard lock(mutex_);
    return state_;
}

AdapterConnection::Status AdapterConnection::status() const {
    std::lock_guard lock(mutex_);
    return {state_, generation_};
}

void AdapterConnection::setListener(Listener listener) {
    std::lock_guard lock(listenerMutex_);
    listener_ = std::move(listener);
}

void AdapterConnection::resume(unsigned generation) {
    std::unique_lock lock(mutex_);
    if (state_ == State::Reopened && generation_ == generation) {
        setState(State::Connected, lock);
    }
}

void AdapterConnection::removed() {
    std::shared_ptr<AdapterLink> link;
    {
        std::lock_guard lock(mutex_);
        link = link_;
    }
    if (link && !link->connected()) {
        lose(link.get());
    }
}

void AdapterConnection::lose(const AdapterLink* which) {
    std::unique_lock lock(mutex_);
    if (link_.get() != which) {
        return; // already lost, or already replaced by the adapter that came back
    }
    // Requests in flight keep their own reference; the handle closes after the last one.
    link_.reset();
    setState(State::Disconnected, lock);
}

void AdapterConnection::setState(State state, std::unique_lock<std::mutex>& lock) {
    const bool change = state != state_;
    state_ = state;
    lock.unlock();
    changed_.notify_all();
    if (change) {
        std::lock_guard hold(listenerMutex_);
        if (listener_) {
            listener_();
        }
    }
    lock.lock();
}

bool AdapterConnection::pauseBetweenScans() {
    // Hotplug news cuts the wait short; the stop request is looked at throughout.
    for (auto waited = std::chrono::milliseconds{0}; waited < kScanInterval; waited += kStopCheck) {
        if (arrivals_) {
            if (arrivals_(kStopCheck)) {
                break;
            }
        } else {
            std::unique_lock lock(mutex_);
            changed_.wait_for(lock, kStopCheck, [this] { return stopping_; });
        }
        std::lock_guard lock(mutex_);
        if (stopping_) {
            return false;
        }
    }
    std::lock_guard lock(mutex_);
    return !stopping_;
}

void AdapterConnection::followWhileThere(std::unique_lock<std::mutex>& lock) {
    if (!arrivals_) {
        changed_.wait(lock, [this] {
            return stopping_ || state_ == State::Disconnected || state_ == State::NotAccessible;
        });
        return;
    }
    lock.unlock();
    const bool news = arrivals_(kStopCheck);
    if (news) {
        removed();
    }
    lock.lock();
    // It may have left and come back within that wait: then look for it at once.
    news_ = news && state_ == State::Disconnected;
}

void AdapterConnection::watch() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        // While it is there nothing is scanned; only news of a departure is listened for.
        if (state_ == State::Connected || state_ == State::Reopened) {
            followWhileThere(lock);
            continue;
        }
        lock.unlock();
        const bool goOn = std::exchange(news_, false) || pauseBetweenScans();
        Discovery found;
        if (goOn) {
            const std::unique_ptr<UsbBus> bus = rescan_();
            found = rediscoverAdapter(*bus);
        }
        lock.lock();
        if (!goOn || stopping_) {
            break;
        }
        switch (found.outcome) {
        case Discovery::Outcome::NotFound:
            setState(State::Disconnected, lock); // pulled out again after it could not be opened
            break;
        case Discovery::Outcome::CannotOpen:
            setState(State::NotAccessible, lock);
            break;
        case Discovery::Outcome::Found:
            adapterFound = 1; // also when it was not there at start: the monitor may poll
            link_ = std::move(found.link);
            ++generation_;
            setState(State::Reopened, lock);
            break;
        }
    }
}

} // namespace tamsel
