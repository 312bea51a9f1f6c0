// SPDX-License-Identifier: GPL-3.0-or-later
// tamsel-tiles: draws the offline base map as 256-pixel tiles for the station's page. Reads
// "zoom x y dark" lines on standard input; answers each with the PNG's length in a line and
// the PNG, or 0 for a tile it cannot draw. Ends at the end of its input.
#include "map/BaseMap.h"
#include "map/Mercator.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const tamsel::BaseMap map = tamsel::BaseMap::load(tamsel::BaseMap::shippedFile());
    if (map.empty()) {
        std::cerr << "tamsel-tiles: no base map: " << map.error().toStdString() << '\n';
    }
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return 1;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        const QList<QByteArray> f = QByteArray::fromStdString(line).trimmed().split(' ');
        bool read = f.size() == 4;
        int zoom = -1;
        qlonglong x = -1;
        qlonglong y = -1;
        int dark = 0;
        if (read) {
            bool a = false, b = false, c = false, d = false;
            zoom = f[0].toInt(&a);
            x = f[1].toLongLong(&b);
            y = f[2].toLongLong(&c);
            dark = f[3].toInt(&d);
            read = a && b && c && d;
        }
        if (!read || zoom < 0 || zoom > 18 || x < 0 || y < 0 || x >= (1LL << zoom) ||
            y >= (1LL << zoom)) {
            out.write("0\n");
            continue;
        }
        constexpr int kSize = 256;
        QImage image(kSize, kSize, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            const tamsel::Viewport view{zoom, static_cast<double>(x) * kSize,
                                        static_cast<double>(y) * kSize, kSize, kSize};
            map.render(painter, view,
                       dark != 0 ? tamsel::MapColours::dark() : tamsel::MapColours::light());
        }
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        out.write(QByteArray::number(png.size()) + '\n' + png);
    }
    return 0;
}
