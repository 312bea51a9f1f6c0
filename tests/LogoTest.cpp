// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the logo decoding.
#include "resources/Logo.h"

#include <QBuffer>
#include <QFile>
#include <gtest/gtest.h>

namespace tamsel {
namespace {

TEST(Logo, DecodesTheBuiltInPicture) {
    const QImage image = logo();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(180, 64));
}

TEST(Logo, BrokenDataGivesNoPictureAndNoCrash) {
    QFile file(":/logo.jpg");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    for (const QByteArray& bad :
         {QByteArray(), QByteArray("not a jpeg at all"), good.left(20), QByteArray(4096, '\xff')}) {
        EXPECT_TRUE(decodeJpeg(bad).isNull());
    }
    // A truncated picture still decodes: libjpeg fills in what is missing.
    EXPECT_FALSE(decodeJpeg(good.left(good.size() / 2)).isNull());
}

} // namespace
} // namespace tamsel
