// SPDX-License-Identifier: GPL-3.0-or-later
// Access: who may use the station's page besides its password: the sessions of signed-in
// browsers with their request tokens, and the slowing down of sign-in after failures.
#pragma once

#include "settings/PasswordStore.h"

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QString>
#include <chrono>
#include <cstdint>
#include <optional>

namespace tamsel {

// Signed-in browsers. The cookie holds a random token; only its hash is kept, with the
// session's request token (sent by the page in X-CSRF-Token and the live connection's hello).
// A session unused for kIdle ends. Kept in a file so that a restart signs nobody out.
class Sessions {
public:
    using Clock = std::chrono::system_clock;
    static constexpr std::chrono::hours kIdle{24 * 30};

    explicit Sessions(QString file = {});

    struct Opened {
        QByteArray cookie; // the token for the browser
        QByteArray csrf;
    };
    Opened open(const QByteArray& passwordTag, Clock::time_point now = Clock::now());
    // The session's request token when the cookie names a live session opened under
    // `passwordTag`; its idle time starts again.
    std::optional<QByteArray> find(const QByteArray& cookie, const QByteArray& passwordTag,
                                   Clock::time_point now = Clock::now());
    void close(const QByteArray& cookie);
    std::size_t size() const { return sessions_.size(); }

    // A request token that no session holds: for the page of a station without a password.
    static QByteArray randomToken();
    // Equal, in a time that does not tell how much of it matched.
    static bool same(const QByteArray& a, const QByteArray& b);

private:
    struct Session {
        QByteArray csrf;
        QByteArray passwordTag;
        std::int64_t lastUsed = 0; // seconds since the epoch
        std::int64_t saved = 0;    // lastUsed as last written
    };
    static QByteArray key(const QByteArray& cookie);
    void load();
    void save();
    QString file_;
    QHash<QByteArray, Session> sessions_;
};

// Sign-in attempts per client address: after each failure the next attempt waits longer
// (1 s, doubling to kLongest); a success forgets the address.
class SignInThrottle {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kLongest{300};
    static constexpr int kAddresses = 4096; // the oldest are forgotten beyond this

    // How long the address must still wait; zero when it may try now.
    std::chrono::seconds wait(const QHostAddress& from, Clock::time_point now = Clock::now()) const;
    void failed(const QHostAddress& from, Clock::time_point now = Clock::now());
    void succeeded(const QHostAddress& from);

private:
    struct Record {
        int failures = 0;
        Clock::time_point next;
    };
    QHash<QString, Record> records_;
};

} // namespace tamsel
