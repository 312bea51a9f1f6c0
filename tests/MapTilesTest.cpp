// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the OpenStreetMap tiles against a tile server of the test's own on this machine,
// and of the Map page of Preferences.
#include "map/MapPage.h"
#include "map/MapView.h"
#include "map/Tiles.h"

#include <QBuffer>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <set>

namespace tamsel {
namespace {

QByteArray pngOf(int side) {
    QImage tile(side, side, QImage::Format_RGB32);
    tile.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    tile.save(&buffer, "PNG");
    return png;
}

// Serves a red 256-pixel tile for any path, fresh for a day, each answer a little late so
// that downloads at once overlap; records what was asked and how many were open at once.
// `head` (when set) answers instead: a status line and headers; `body` what follows it, sent
// in `chunks` (each 5 ms after the last) until the client goes.
class TileServer : public QObject {
public:
    TileServer() {
        png_ = pngOf(256);
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            }
        });
    }
    QString address() const {
        return QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(server_.serverPort());
    }
    void close() { server_.close(); }

    QStringList paths, agents;
    int open = 0, mostOpen = 0;
    QByteArray head;
    QByteArray body;
    int chunks = 1;
    bool cutOff = false; // the client went before the answer ended

private:
    void read(QTcpSocket* socket) {
        QByteArray& request = requests_[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n")) {
            return;
        }
        const QList<QByteArray> lines = request.split('\n');
        paths << QString::fromLatin1(lines.first().split(' ').value(1));
        for (const QByteArray& line : lines) {
            if (line.toLower().startsWith("user-agent:")) {
                agents << QString::fromLatin1(line.mid(11).trimmed());
            }
        }
        mostOpen = std::max(mostOpen, ++open);
        if (!head.isEmpty()) {
            --open;
            socket->write(head + "\r\nConnection: close\r\n\r\n");
            auto* timer = new QTimer(socket);
            connect(timer, &QTimer::timeout, socket,
                    [this, socket, timer, sent = 0, last = chunks]() mutable {
                        if (socket->state() != QAbstractSocket::ConnectedState) {
                            cutOff = sent <= last;
                            timer->stop();
                        } else if (sent++ < last) {
                            socket->write(body);
                        } else {
                            timer->stop();
                            socket->disconnectFromHost();
                        }
                    });
            timer->start(5);
            return;
        }
        QTimer::singleShot(30, socket, [this, socket] {
            --open;
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nCache-Control: "
                          "max-age=86400\r\nConnection: close\r\nContent-Length: " +
                          QByteArray::number(png_.size()) + "\r\n\r\n" + png_);
            socket->disconnectFromHost();
        });
    }

    QTcpServer server_;
    QByteArray png_;
    std::map<QTcpSocket*, QByteArray> requests_;
};

// The tiles of a view at its zoom, as paths.
std::set<QString> tilesIn(const Viewport& v) {
    std::set<QString> out;
    for (int y = static_cast<int>(v.top) / kTileSize;
         y <= static_cast<int>(v.top + v.height) / kTileSize; ++y) {
        for (int x = static_cast<int>(v.left) / kTileSize;
             x <= static_cast<int>(v.left + v.width) / kTileSize; ++x) {
            out.insert(QStringLiteral("/%1/%2/%3.png").arg(v.zoom).arg(x).arg(y));
        }
    }
    return out;
}

class MapTilesTest : public ::testing::Test {
protected:
    // Shows the view with `layer` until no tile is being fetched or waits its turn.
    void show(TileLayer& layer) {
        view.setTileLayer(&layer);
        QObject::connect(&layer, &TileLayer::updated, &view, [this] { (void)view.renderImage(); });
        (void)view.renderImage();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return layer.downloading() == 0 && layer.waiting() == 0; }, 10000));
        (void)view.renderImage();
    }
    QTemporaryDir cache;
    TileServer server;
    MapView view;
};

TEST_F(MapTilesTest, FetchesPolitelyAndShowsTheAttribution) {
    view.resize(600, 400);
    view.centreOn({50, 10}, 5);
    const std::set<QString> visible = tilesIn(view.viewport());
    {
        TileLayer layer(cache.path(), TileLayer::userAgentFor(QStringLiteral("3.5.0")));
        layer.setServer(server.address());
        layer.setEnabled(true);
        show(layer);
        // Every tile in view once, none other, never more than two at once, each naming us.
        EXPECT_EQ(std::set<QString>(server.paths.begin(), server.paths.end()), visible);
        EXPECT_EQ(server.paths.size(), static_cast<qsizetype>(visible.size()));
        EXPECT_EQ(server.mostOpen, 2);
        EXPECT_EQ(server.agents, QStringList(server.paths.size(), "tamsel/3.5.0 (Tamsel Console)"));
        ASSERT_TRUE(layer.showing());
        const QImage frame = view.renderImage();
        EXPECT_EQ(frame.pixelColor(10, 10), QColor(Qt::red));
        // The attribution's box, bottom right, lightens the tile under it.
        EXPECT_GT(frame.pixelColor(view.width() - 3, view.height() - 3).green(), 150);
        EXPECT_EQ(TileLayer::attribution(), "© OpenStreetMap contributors");
        view.setTileLayer(nullptr);
    }
    // Shown again by a new console: from the disk cache, the server asked nothing.
    const auto asked = server.paths.size();
    TileLayer again(cache.path(), TileLayer::userAgentFor(QStringLiteral("3.5.0")));
    again.setServer(server.address());
    again.setEnabled(true);
    show(again);
    EXPECT_EQ(server.paths.size(), asked);
    EXPECT_TRUE(again.showing());
    EXPECT_EQ(view.renderImage().pixelColor(10, 10), QColor(Qt::red));
    view.setTileLayer(nullptr);
}

TEST_F(MapTilesTest, WithoutTheServerTheOfflineMapStays) {
    view.resize(400, 300);
    view.centreOn({50, 10}, 4);
    const QColor offline = view.renderImage().pixelColor(10, 10);
    server.close();
    TileLayer layer(cache.path(), "tamsel/test");
    layer.setServer(server.address());
    layer.setEnabled(true);
    show(layer);
    EXPECT_FALSE(layer.showing());
    EXPECT_EQ(view.renderImage().pixelColor(10, 10), offline);
    // Switched off, nothing is drawn or asked for.
    layer.setEnabled(false);
    (void)view.renderImage();
    EXPECT_EQ(layer.waiting() + layer.downloading(), 0);
    view.setTileLayer(nullptr);
}

TEST_F(MapTilesTest, AfterABusyOrBrokenServerItWaitsThenAsksAgain) {
    view.resize(600, 400);
    TileLayer layer(cache.path(), "tamsel/test");
    auto now = TileLayer::Clock::now();
    layer.now = [&now] { return now; };
    layer.setServer(server.address());
    layer.setEnabled(true);
    struct Row {
        const char* what;
        QByteArray head;
        int pause; // seconds
    };
    double east = 10; // each row somewhere new, so that its tiles are asked for
    for (const Row& row :
         {Row{"429 with Retry-After", "HTTP/1.1 429 Too Many\r\nRetry-After: 120", 120},
          Row{"503", "HTTP/1.1 503 Unavailable", 30},
          Row{"503 once more after a tile", "HTTP/1.1 503 Unavailable", 30}}) {
        server.head = row.head;
        server.body.clear();
        server.paths.clear();
        view.centreOn({50, east}, 5);
        show(layer);
        ASSERT_TRUE(layer.paused()) << row.what;
        EXPECT_LE(server.paths.size(), TileLayer::kMaxDownloads) << row.what;
        // Nothing is asked while it waits, even for another zoom.
        const auto asked = server.paths.size();
        view.centreOn({50, east}, 6);
        show(layer);
        now += std::chrono::seconds(row.pause - 1);
        view.dropBaseCache();
        show(layer);
        EXPECT_EQ(server.paths.size(), asked) << row.what;
        // Then it asks again, and a tile that arrives forgets the failure.
        now += std::chrono::seconds(2);
        server.head.clear();
        view.dropBaseCache();
        show(layer);
        EXPECT_FALSE(layer.paused()) << row.what;
        EXPECT_TRUE(layer.showing()) << row.what;
        east += 60;
    }
    view.setTileLayer(nullptr);
}

TEST_F(MapTilesTest, TilesWithoutExpiryAreKeptAWeekAndTheAttributionLinks) {
    view.resize(600, 400);
    view.centreOn({50, 10}, 5);
    server.head = "HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: " +
                  QByteArray::number(pngOf(256).size());
    server.body = pngOf(256);
    std::vector<QUrl> opened;
    view.openUrl = [&opened](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    {
        TileLayer layer(cache.path(), "tamsel/test");
        layer.setServer(server.address());
        layer.setEnabled(true);
        show(layer);
        ASSERT_TRUE(layer.showing());
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        QLabel* link = view.attributionLabel();
        ASSERT_TRUE(QTest::qWaitFor([link] { return link->isVisible(); }));
        EXPECT_EQ(link->text(), "<a href=\"https://www.openstreetmap.org/copyright\">"
                                "© OpenStreetMap contributors</a>");
        QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
        link->setFocus(Qt::TabFocusReason);
        QTest::keyClick(link, Qt::Key_Return);
        EXPECT_EQ(opened, std::vector<QUrl>(2, TileLayer::copyrightPage()));
        view.setTileLayer(nullptr);
    }
    const auto asked = server.paths.size();
    TileLayer again(cache.path(), "tamsel/test");
    again.setServer(server.address());
    again.setEnabled(true);
    show(again);
    EXPECT_EQ(server.paths.size(), asked); // all from the disk cache
    EXPECT_TRUE(again.showing());
    view.setTileLayer(nullptr);
}

TEST_F(MapTilesTest, ABrokenOrHostileServerIsCutOff) {
    view.resize(300, 200);
    view.centreOn({50, 10}, 5);
    struct Row {
        const char* what;
        QByteArray head, body;
        int chunks;
        bool cutOff;
    };
    const QByteArray huge = pngOf(4096);
    for (const Row& row :
         {Row{"endless, without a length", "HTTP/1.1 200 OK\r\nContent-Type: image/png",
              QByteArray(64 * 1024, 'x'), 400, true},
          Row{"too slow", "HTTP/1.1 200 OK\r\nContent-Type: image/png", "x", 2000, true},
          Row{"not a 256-pixel tile",
              "HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: " +
                  QByteArray::number(huge.size()),
              huge, 1, false}}) {
        QTemporaryDir own;
        TileLayer layer(own.path(), "tamsel/test");
        layer.setTimeLimit(std::chrono::milliseconds(400));
        layer.setServer(server.address());
        layer.setEnabled(true);
        server.head = row.head;
        server.body = row.body;
        server.chunks = row.chunks;
        server.cutOff = false;
        show(layer);
        EXPECT_FALSE(layer.showing()) << row.what;
        // The download was cut off, long before the server's answer would have ended.
        EXPECT_TRUE(!row.cutOff || QTest::qWaitFor([&] { return server.cutOff; }, 3000))
            << row.what;
        view.setTileLayer(nullptr);
    }
}

TEST(MapPage, OffByDefaultAndOnlyUsableServers) {
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("tamsel.conf")));
    MapPage page;
    page.load(store);
    EXPECT_EQ(page.tiles()->text(), "Show OpenStreetMap tiles (needs the internet)");
    EXPECT_FALSE(page.tiles()->isChecked());
    EXPECT_EQ(page.server()->text(), "https://tile.openstreetmap.org/{z}/{x}/{y}.png");
    EXPECT_FALSE(page.validate());
    struct Row {
        const char* address;
        bool usable;
    };
    for (const Row& row : {Row{"http://tiles.example/{z}/{x}/{y}.png", true},
                           Row{"https://tiles.example/tiles?z={z}&x={x}&y={y}", true},
                           Row{"ftp://tiles.example/{z}/{x}/{y}.png", false},
                           Row{"https://tiles.example/{z}/{x}.png", false},
                           Row{"tiles.example/{z}/{x}/{y}.png", false}, Row{"", false}}) {
        page.server()->setText(QString::fromLatin1(row.address));
        EXPECT_EQ(!page.validate(), row.usable) << row.address;
        EXPECT_EQ(validTileServer(QString::fromLatin1(row.address)), row.usable) << row.address;
    }
    page.server()->setText(QStringLiteral("http://tiles.example/{z}/{x}/{y}.png"));
    page.tiles()->setChecked(true);
    page.save(store);
    store.commit();
    const MapSettings s = loadMapSettings(store);
    EXPECT_TRUE(s.tiles);
    EXPECT_EQ(s.tileServer, "http://tiles.example/{z}/{x}/{y}.png");
}

} // namespace
} // namespace tamsel
