// SPDX-License-Identifier: GPL-3.0-or-later
// Logo: the main window's logo, decoded with libjpeg.
#include "resources/Logo.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <vector>

namespace tamsel {

namespace {

// libjpeg's default error handler ends the process; this one jumps back to the decoder.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void onError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void quiet(j_common_ptr) {}

// Fills `rgb` with the decoded rows; false when libjpeg gives up on the data.
bool decode(const QByteArray& data, std::vector<unsigned char>& rgb, JDIMENSION& width,
            JDIMENSION& height) {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.output_message = quiet;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    width = info.output_width;
    height = info.output_height;
    rgb.resize(static_cast<std::size_t>(width) * height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rgb.data() + static_cast<std::size_t>(info.output_scanline) * width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

QImage decodeJpeg(const QByteArray& data) {
    if (data.isEmpty()) {
        return {};
    }
    std::vector<unsigned char> rgb;
    JDIMENSION width = 0;
    JDIMENSION height = 0;
    if (!decode(data, rgb, width, height) || width == 0 || height == 0) {
        return {};
    }
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB888);
    for (JDIMENSION y = 0; y < height; ++y) {
        std::copy_n(rgb.data() + static_cast<std::size_t>(y) * width * 3, width * 3,
                    image.scanLine(static_cast<int>(y)));
    }
    return image;
}

QImage logo() {
    QFile file(QStringLiteral(":/logo.jpg"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return decodeJpeg(file.readAll());
}

} // namespace tamsel
