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
#include <cstdint>
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
class TileLayer : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxDownloads = 2;
    static inline constexpr QLatin1String kDefaultServer{
        "https://tile.openstreetmap.org/{z}/{x}/{y}.png"};

    // `cacheFolder`: where tiles are kept on disk; `userAgent`: the program and its version.
    TileLayer(const QString& cacheFolder, const QByteArray& userAgent, QObject* parent = nullptr);

    // $XDG_CACHE_HOME/tamsel/tiles (or ~/.cache/tamsel/tiles).
    static QString defaultCacheFolder();
    // "(c) OpenStreetMap contributors", shown on the map while tiles show.
    static QString attribution();
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
    QString keyText(const Key& k) const;

    QNetworkAccessManager network_;
    QByteArray userAgent_;
    QString server_{kDefaultServer};
    bool enabled_ = false;
    bool showing_ = false;
    std::uint64_t generation_ = 1;
    QCache<QString, QImage> memory_{512};
    std::vector<Key> queue_;
    QHash<QNetworkReply*, Key> running_;
    QSet<QString> failed_; // not asked again until the server changes
};

} // namespace tamsel
