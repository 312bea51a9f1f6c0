// SPDX-License-Identifier: GPL-3.0-or-later
// Access: the password, the sessions and the sign-in throttle of the station's page.
#include "Access.h"

#include <algorithm>
#include <sodium.h>

namespace tamsel {

// ---- Sessions -----------------------------------------------------------------------------

Sessions::Sessions(QString file) : file_(std::move(file)) {
    load();
}

QByteArray Sessions::randomToken() {
    sodiumReady();
    unsigned char bytes[32];
    randombytes_buf(bytes, sizeof bytes);
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes)
        .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

bool Sessions::same(const QByteArray& a, const QByteArray& b) {
    return a.size() == b.size() && !a.isEmpty() &&
           sodium_memcmp(a.constData(), b.constData(), static_cast<std::size_t>(a.size())) == 0;
}

QByteArray Sessions::key(const QByteArray& cookie) {
    sodiumReady();
    unsigned char out[32];
    crypto_generichash(out, sizeof out, reinterpret_cast<const unsigned char*>(cookie.constData()),
                       static_cast<unsigned long long>(cookie.size()), nullptr, 0);
    return QByteArray(reinterpret_cast<const char*>(out), sizeof out).toHex();
}

Sessions::Opened Sessions::open(const QByteArray& passwordTag, Clock::time_point now) {
    Opened o{randomToken(), randomToken()};
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();
    sessions_.insert(key(o.cookie), Session{o.csrf, passwordTag, seconds, seconds});
    save();
    return o;
}

std::optional<QByteArray> Sessions::find(const QByteArray& cookie, const QByteArray& passwordTag,
                                         Clock::time_point now) {
    if (cookie.isEmpty() || cookie.size() > 128) {
        return std::nullopt;
    }
    const auto it = sessions_.find(key(cookie));
    if (it == sessions_.end()) {
        return std::nullopt;
    }
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();
    const auto idle = std::chrono::duration_cast<std::chrono::seconds>(kIdle).count();
    if (seconds - it->lastUsed > idle || !same(it->passwordTag, passwordTag)) {
        sessions_.erase(it);
        save();
        return std::nullopt;
    }
    it->lastUsed = std::max(it->lastUsed, seconds);
    // The time of use is written now and then, not at every request.
    if (it->lastUsed - it->saved > 3600) {
        it->saved = it->lastUsed;
        const QByteArray csrf = it->csrf;
        save();
        return csrf;
    }
    return it->csrf;
}

void Sessions::close(const QByteArray& cookie) {
    if (sessions_.remove(key(cookie)) > 0) {
        save();
    }
}

void Sessions::load() {
    if (file_.isEmpty()) {
        return;
    }
    const QByteArray bytes = readSmallFile(file_, 4 * 1024 * 1024);
    const auto now =
        std::chrono::duration_cast<std::chrono::seconds>(Clock::now().time_since_epoch()).count();
    const auto idle = std::chrono::duration_cast<std::chrono::seconds>(kIdle).count();
    for (const QByteArray& line : bytes.split('\n')) {
        // key csrf passwordTag lastUsed
        const QList<QByteArray> f = line.split(' ');
        bool ok = false;
        const std::int64_t used = f.size() == 4 ? f[3].toLongLong(&ok) : 0;
        if (ok && now - used <= idle) {
            sessions_.insert(f[0], Session{f[1], f[2], used, used});
        }
    }
}

void Sessions::save() {
    if (file_.isEmpty()) {
        return;
    }
    QByteArray out;
    for (auto it = sessions_.cbegin(); it != sessions_.cend(); ++it) {
        out += it.key() + ' ' + it->csrf + ' ' + it->passwordTag + ' ' +
               QByteArray::number(static_cast<qlonglong>(it->lastUsed)) + '\n';
    }
    writePrivately(file_, out);
}

// ---- SignInThrottle -----------------------------------------------------------------------

std::chrono::seconds SignInThrottle::wait(const QHostAddress& from, Clock::time_point now) const {
    const auto it = records_.constFind(from.toString());
    if (it == records_.cend() || it->next <= now) {
        return std::chrono::seconds{0};
    }
    return std::chrono::ceil<std::chrono::seconds>(it->next - now);
}

void SignInThrottle::failed(const QHostAddress& from, Clock::time_point now) {
    if (records_.size() >= kAddresses && !records_.contains(from.toString())) {
        // Forget the address whose wait ends first.
        auto oldest =
            std::min_element(records_.begin(), records_.end(),
                             [](const Record& a, const Record& b) { return a.next < b.next; });
        records_.erase(oldest);
    }
    Record& r = records_[from.toString()];
    r.failures = std::min(r.failures + 1, 30);
    const auto delay = std::min<std::chrono::seconds>(
        std::chrono::seconds{std::int64_t{1} << std::min(r.failures - 1, 20)}, kLongest);
    r.next = now + delay;
}

void SignInThrottle::succeeded(const QHostAddress& from) {
    records_.remove(from.toString());
}

} // namespace tamsel
