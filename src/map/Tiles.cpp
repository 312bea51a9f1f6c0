// SPDX-License-Identifier: GPL-3.0-or-later
// Tiles: OpenStreetMap tiles over the offline map, fetched politely and kept on disk.
#include "map/Tiles.h"

#include "base/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tamsel {

TileLayer::TileLayer(const QString& cacheFolder, const QByteArray& userAgent, QObject* parent)
    : QObject(parent), userAgent_(userAgent) {
    auto* cache = new QNetworkDiskCache(&network_);
    cache->setCacheDirectory(cacheFolder);
    cache->setMaximumCacheSize(200LL * 1024 * 1024);
    network_.setCache(cache);
    connect(&network_, &QNetworkAccessManager::finished, this, &TileLayer::finished);
}

QString TileLayer::defaultCacheFolder() {
    QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) {
        base = QDir::homePath() + QStringLiteral("/.cache");
    }
    return base + QLatin1Char('/') + QString::fromStdString(folderName()) +
           QStringLiteral("/tiles");
}

QString TileLayer::attribution() {
    return tr("(c) OpenStreetMap contributors");
}

QByteArray TileLayer::userAgentFor(const QString& version) {
    return QStringLiteral("tamsel/%1 (Tamsel Console)").arg(version).toLatin1();
}

void TileLayer::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    queue_.clear();
    failed_.clear(); // the network may be back
    ++generation_;
    emit updated();
}

void TileLayer::setServer(const QString& server) {
    if (server == server_) {
        return;
    }
    server_ = server;
    memory_.clear();
    failed_.clear();
    queue_.clear();
    ++generation_;
    emit updated();
}

QString TileLayer::keyText(const Key& k) const {
    return QStringLiteral("%1/%2/%3").arg(k.z).arg(k.x).arg(k.y);
}

void TileLayer::draw(QPainter& painter, const Viewport& view) {
    showing_ = false;
    queue_.clear();
    if (!enabled_) {
        return;
    }
    const int count = 1 << view.zoom;
    const int x0 = std::max(0, static_cast<int>(std::floor(view.left / kTileSize)));
    const int y0 = std::max(0, static_cast<int>(std::floor(view.top / kTileSize)));
    const int x1 =
        std::min(count - 1, static_cast<int>(std::floor((view.left + view.width) / kTileSize)));
    const int y1 =
        std::min(count - 1, static_cast<int>(std::floor((view.top + view.height) / kTileSize)));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const Key key{view.zoom, x, y};
            const QString text = keyText(key);
            if (const QImage* tile = memory_.object(text)) {
                painter.drawImage(QRectF(x * kTileSize - view.left, y * kTileSize - view.top,
                                         kTileSize, kTileSize),
                                  *tile);
                showing_ = true;
                continue;
            }
            const bool running = std::any_of(running_.cbegin(), running_.cend(),
                                             [&](const Key& k) { return k == key; });
            if (!running && !failed_.contains(text)) {
                queue_.push_back(key);
            }
        }
    }
    startDownloads();
}

void TileLayer::startDownloads() {
    // The queue holds what is in view now, nearest the top-left first; only the tiles of
    // the frame last drawn are ever asked for.
    while (running_.size() < kMaxDownloads && !queue_.empty()) {
        const Key key = queue_.front();
        queue_.erase(queue_.begin());
        QString address = server_;
        address.replace(QLatin1String("{z}"), QString::number(key.z))
            .replace(QLatin1String("{x}"), QString::number(key.x))
            .replace(QLatin1String("{y}"), QString::number(key.y));
        QNetworkRequest request{QUrl(address)};
        request.setHeader(QNetworkRequest::UserAgentHeader, userAgent_);
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                             QNetworkRequest::PreferNetwork);
        request.setTransferTimeout(30000);
        running_.insert(network_.get(request), key);
    }
}

void TileLayer::finished(QNetworkReply* reply) {
    reply->deleteLater();
    const auto found = running_.find(reply);
    if (found == running_.end()) {
        return;
    }
    const Key key = found.value();
    running_.erase(found);
    QImage tile;
    if (reply->error() == QNetworkReply::NoError) {
        tile.loadFromData(reply->readAll());
    }
    if (tile.isNull()) {
        failed_.insert(keyText(key));
    } else {
        memory_.insert(keyText(key), new QImage(std::move(tile)));
        ++generation_;
        emit updated();
    }
    startDownloads();
}

} // namespace tamsel
