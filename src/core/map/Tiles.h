// SPDX-License-Identifier: GPL-3.0-or-later
// Tiles: OpenStreetMap tiles over the offline map, fetched politely and kept on disk.
#pragma once

#include "map/Mercator.h"

#include <QCache>
#include <QHash>
#include <QImage>
#include <QNetworkAccessManager>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QPainter;
class QNetworkReply;

namespace tamsel {

// Tiles from a slippy-map server drawn over the offline map, as the OpenStreetMap tile usage
// policy asks: a User-Agent that names the program and its version, a disk cache that
// follows the server's cache headers (a fresh tile is never asked for again), at most
// kMaxDownloads downloads at once, and only the tiles in view (what left the view before its
// turn is not fetched). Nothing waits: a frame draws the tiles there are, and updated() asks
// for another when more arrive; without the network the offline map stays as it is.
//
// After a 429, a 5xx or no answer at all, every request to the server waits for its
// Retry-After (or a back-off doubling from 30 s), and then the tiles missing are asked again;
// a tile that arrives forgets the failures. A reply past kMaxTileBytes or kTimeLimit is cut
// off, and an image is decoded only when it says it is a 256-pixel tile.
class TileLayer : public QObject {
    Q_OBJECT
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kMaxDownloads = 2;
    static constexpr qint64 kMaxTileBytes = 1024 * 1024;
    static constexpr std::chrono::seconds kTimeLimit{60};
    static constexpr std::chrono::seconds kFirstBackOff{30};
    static constexpr std::chrono::seconds kLongestPause{24 * 3600};
    // How long a tile is kept when the server says nothing of it (the policy's least).
    static constexpr int kKeepDays = 7;
    // Decoded tiles kept in memory, in bytes.
    static constexpr qsizetype kMemoryBytes = 64 * 1024 * 1024;
    static inline constexpr QLatin1String kDefaultServer{
        "https://tile.openstreetmap.org/{z}/{x}/{y}.png"};

    // `cacheFolder`: where tiles are kept on disk; `userAgent`: the program and its version.
    TileLayer(const QString& cacheFolder, const QByteArray& userAgent, QObject* parent = nullptr);

    // $XDG_CACHE_HOME/tamsel/tiles (or ~/.cache/tamsel/tiles).
    static QString defaultCacheFolder();
    // "© OpenStreetMap contributors", shown on the map while tiles show, and the page it
    // links to.
    static QString attribution();
    static QUrl copyrightPage();
    static QByteArray userAgentFor(const QString& version);

    // Off, nothing is drawn or fetched.
    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }
    // The address with {z}, {x} and {y} in it.
    void setServer(const QString& server);
    const QString& server() const { return server_; }

    // Draws the tiles it has for `view` and asks for the missing ones in view.
    void draw(QPainter& painter, const Viewport& view);
    // The last frame drew at least one tile.
    bool showing() const { return enabled_ && showing_; }
    // Changes whenever what draw() would draw changes.
    std::uint64_t generation() const { return generation_; }
    int downloading() const { return static_cast<int>(running_.size()); }
    int waiting() const { return static_cast<int>(queue_.size()); }
    // Requests wait (the server asked for it, or failed).
    bool paused() const { return now() < pausedUntil_; }
    // A whole download's limit (kTimeLimit unless a test shortens it).
    void setTimeLimit(std::chrono::milliseconds limit) { timeLimit_ = limit; }

    // Now, for the pauses (the steady clock by default).
    std::function<Clock::time_point()> now = [] { return Clock::now(); };

signals:
    void updated();

private:
    struct Key {
        int z, x, y;
        friend bool operator==(const Key&, const Key&) = default;
        friend size_t qHash(const Key& k, size_t seed = 0) {
            return qHashMulti(seed, k.z, k.x, k.y);
        }
    };
    void startDownloads();
    void finished(QNetworkReply* reply);
    void pause(std::optional<std::chrono::seconds> retryAfter);
    void keepAtLeastAWeek(const QUrl& address);
    QString keyText(const Key& k) const;

    QNetworkAccessManager network_;
    QByteArray userAgent_;
    QString server_{kDefaultServer};
    bool enabled_ = false;
    bool showing_ = false;
    std::uint64_t generation_ = 1;
    QCache<QString, QImage> memory_{kMemoryBytes}; // cost: the image's bytes
    std::vector<Key> queue_;
    QHash<QNetworkReply*, Key> running_;
    QSet<QString> failed_; // no tile there: asked again once another tile arrives
    std::chrono::milliseconds timeLimit_ = kTimeLimit;
    Clock::time_point pausedUntil_{};
    std::chrono::seconds backOff_{0};
    QTimer resume_;
};

} // namespace tamsel
