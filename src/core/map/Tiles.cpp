// SPDX-License-Identifier: GPL-3.0-or-later
// Tiles: OpenStreetMap tiles over the offline map, fetched politely and kept on disk.
#include "map/Tiles.h"

#include "base/Folders.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QImageReader>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QPainter>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace tamsel {

TileLayer::TileLayer(const QString& cacheFolder, const QByteArray& userAgent, QObject* parent)
    : QObject(parent), userAgent_(userAgent) {
    auto* cache = new QNetworkDiskCache(&network_);
    cache->setCacheDirectory(cacheFolder);
    cache->setMaximumCacheSize(200LL * 1024 * 1024);
    network_.setCache(cache);
    connect(&network_, &QNetworkAccessManager::finished, this, &TileLayer::finished);
    resume_.setSingleShot(true);
    connect(&resume_, &QTimer::timeout, this, [this] {
        ++generation_; // the next frame asks again for what is missing
        emit updated();
    });
}

namespace {

// Why a reply was aborted here: too large or too slow.
constexpr const char* kCutOff = "tamselCutOff";
constexpr const char* kTooLarge = "large";
constexpr const char* kTooSlow = "slow";

// The seconds a Retry-After header asks for: a number, or an HTTP date.
std::optional<std::chrono::seconds> retryAfter(const QByteArray& value) {
    const QByteArray text = value.trimmed();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    long long seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error == std::errc() && end == text.data() + text.size() && seconds >= 0) {
        return std::chrono::seconds(seconds);
    }
    const QDateTime at = QDateTime::fromString(QString::fromLatin1(text), Qt::RFC2822Date);
    if (!at.isValid()) {
        return std::nullopt;
    }
    return std::chrono::seconds(std::max<qint64>(0, QDateTime::currentDateTimeUtc().secsTo(at)));
}

// A 256-pixel tile from the bytes, or a null image: the size is read from the header first,
// so a huge image is refused before it is decoded.
QImage decodeTile(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (reader.size() != QSize(kTileSize, kTileSize)) {
        return {};
    }
    QImage tile;
    return reader.read(&tile) && tile.size() == QSize(kTileSize, kTileSize) ? tile : QImage();
}

} // namespace

QString TileLayer::defaultCacheFolder() {
    QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) {
        base = QDir::homePath() + QStringLiteral("/.cache");
    }
    return base + QLatin1Char('/') + QString::fromStdString(folderName()) +
           QStringLiteral("/tiles");
}

QString TileLayer::attribution() {
    //: As the OpenStreetMap copyright page words it in the language.
    return tr("© OpenStreetMap contributors");
}

QUrl TileLayer::copyrightPage() {
    return QUrl(QStringLiteral("https://www.openstreetmap.org/copyright"));
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
    pausedUntil_ = {};
    backOff_ = std::chrono::seconds(0);
    resume_.stop();
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
    pausedUntil_ = {};
    backOff_ = std::chrono::seconds(0);
    resume_.stop();
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
            if (!running && !failed_.contains(text) && !paused()) {
                queue_.push_back(key);
            }
        }
    }
    startDownloads();
}

void TileLayer::startDownloads() {
    // The queue holds what is in view now, nearest the top-left first; only the tiles of
    // the frame last drawn are ever asked for.
    while (running_.size() < kMaxDownloads && !queue_.empty() && !paused()) {
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
        QNetworkReply* reply = network_.get(request);
        running_.insert(reply, key);
        // A tile is a few kB: a reply that goes on past its limit, in bytes or in time, is a
        // broken server (or a hostile one), not a slow tile.
        connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 got, qint64 all) {
            if (got > kMaxTileBytes || all > kMaxTileBytes) {
                reply->setProperty(kCutOff, QByteArray(kTooLarge));
                reply->abort();
            }
        });
        auto* limit = new QTimer(reply); // goes with the reply
        limit->setSingleShot(true);
        connect(limit, &QTimer::timeout, reply, [reply] {
            if (reply->isRunning()) {
                reply->setProperty(kCutOff, QByteArray(kTooSlow));
                reply->abort();
            }
        });
        limit->start(timeLimit_);
    }
}

void TileLayer::pause(std::optional<std::chrono::seconds> asked) {
    using std::chrono::seconds;
    if (!paused()) { // the downloads still running when it paused fail together: once
        backOff_ = backOff_ == seconds(0) ? kFirstBackOff : std::min(backOff_ * 2, kLongestPause);
    }
    const seconds wait = asked ? std::clamp(*asked, seconds(1), kLongestPause) : backOff_;
    pausedUntil_ = std::max(pausedUntil_, now() + wait);
    queue_.clear();
    resume_.start(std::chrono::duration_cast<std::chrono::milliseconds>(pausedUntil_ - now()));
}

void TileLayer::keepAtLeastAWeek(const QUrl& address) {
    QAbstractNetworkCache* cache = network_.cache();
    if (cache == nullptr) {
        return;
    }
    QNetworkCacheMetaData meta = cache->metaData(address);
    if (meta.isValid() && !meta.expirationDate().isValid()) {
        meta.setExpirationDate(QDateTime::currentDateTimeUtc().addDays(kKeepDays));
        cache->updateMetaData(meta);
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
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray cutOff = reply->property(kCutOff).toByteArray();
    QImage tile;
    if (reply->error() == QNetworkReply::NoError) {
        tile = decodeTile(reply->read(kMaxTileBytes + 1));
    }
    if (!tile.isNull()) {
        // The server answers: what failed before may be there now.
        failed_.clear();
        backOff_ = std::chrono::seconds(0);
        if (!reply->attribute(QNetworkRequest::SourceIsFromCacheAttribute).toBool()) {
            keepAtLeastAWeek(reply->url());
        }
        const qsizetype bytes = tile.sizeInBytes();
        memory_.insert(keyText(key), new QImage(std::move(tile)), bytes);
        ++generation_;
        emit updated();
    } else if (status == 429 || status >= 500 || cutOff == kTooSlow ||
               (status == 0 && reply->error() != QNetworkReply::NoError && cutOff.isEmpty())) {
        // The server is busy, broken or out of reach: it is left alone for a while.
        pause(retryAfter(reply->rawHeader("Retry-After")));
    } else {
        failed_.insert(keyText(key)); // no tile there (or not one we take)
    }
    startDownloads();
}

} // namespace tamsel
