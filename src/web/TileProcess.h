// SPDX-License-Identifier: GPL-3.0-or-later
// TileProcess: the base map's tiles for the page, drawn by the tamsel-tiles program. Drawing
// needs Qt Gui, which would bring X11 libraries into the station; a program of its own keeps
// the station free of them and is started only when a page first shows the map.
#pragma once

#include <QByteArray>
#include <QCache>
#include <QProcess>
#include <QString>
#include <memory>

namespace tamsel {

class TileProcess {
public:
    explicit TileProcess(QString program);
    ~TileProcess();
    TileProcess(const TileProcess&) = delete;
    TileProcess& operator=(const TileProcess&) = delete;

    // A tile as PNG; empty when it cannot be drawn (a tile outside the world, or the
    // program failed twice).
    QByteArray tile(int zoom, int x, int y, bool dark);

    // The program for this one: in the build tree beside it, else where it is installed.
    static QString programBeside(const QString& self);

    static constexpr int kMaxZoom = 18;
    static constexpr int kCacheBytes = 16 * 1024 * 1024;
    static constexpr int kTimeoutMs = 10'000;

private:
    QByteArray ask(const QByteArray& line);
    QString program_;
    std::unique_ptr<QProcess> process_;
    QCache<QByteArray, QByteArray> cache_{kCacheBytes};
};

} // namespace tamsel
