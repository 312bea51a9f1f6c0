// SPDX-License-Identifier: GPL-3.0-or-later
// Logo: the main window's logo, decoded with libjpeg.
#pragma once

#include <QByteArray>
#include <QImage>

namespace tamsel {

// Decodes a JPEG with libjpeg. Returns a null image for data that is not a readable JPEG.
QImage decodeJpeg(const QByteArray& data);

// The program's logo, or a null image when it cannot be read.
QImage logo();

} // namespace tamsel
