// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the lowest floor: little-endian files read back, and files read and written whole.
#include "base/LittleEndian.h"
#include "base/WholeFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

namespace tamsel {
namespace {

TEST(LittleEndian, ReadsWhatWasWrittenAndFailsPastTheEnd) {
    LittleEndianWriter w;
    w.put(std::uint8_t{0xAB});
    w.put(std::int16_t{-2});
    w.put(std::uint32_t{0x01020304});
    w.put(std::numeric_limits<std::int64_t>::min());
    w.put(-0.1);
    w.text("東京");
    // Least significant byte first, whatever the machine.
    EXPECT_EQ(w.out.substr(3, 4), std::string("\x04\x03\x02\x01", 4));

    struct Case {
        const char* what;
        std::size_t cut;   // bytes of the written ones the reader gets
        bool whole;        // every value reads back
        std::uint64_t fit; // a count of 8-byte items that fits() allows after the first byte
    };
    for (const Case& c : std::initializer_list<Case>{
             {"whole", w.out.size(), true, (w.out.size() - 1) / 8},
             {"the text cut short", w.out.size() - 1, false, (w.out.size() - 2) / 8},
             {"only the first byte", 1, false, 0},
             {"nothing", 0, false, 0}}) {
        LittleEndianReader r(std::string_view(w.out).substr(0, c.cut));
        const auto first = r.u8();
        EXPECT_EQ(r.fits(c.fit, 8), c.cut > 0) << c.what; // a failed reader fits nothing
        EXPECT_FALSE(r.fits(c.fit + 1, 8)) << c.what;
        EXPECT_FALSE(r.fits(std::numeric_limits<std::uint32_t>::max(), 52)) << c.what;
        const auto small = r.get<std::int16_t>();
        const auto word = r.u32();
        const auto big = r.get<std::int64_t>();
        const auto real = r.get<double>();
        const auto text = r.text();
        EXPECT_EQ(r.done(), c.whole) << c.what;
        EXPECT_EQ(r.failed(), !c.whole) << c.what;
        if (c.whole) {
            EXPECT_EQ(first, 0xAB);
            EXPECT_EQ(small, -2);
            EXPECT_EQ(word, 0x01020304u);
            EXPECT_EQ(big, std::numeric_limits<std::int64_t>::min());
            EXPECT_EQ(real, -0.1);
            EXPECT_EQ(text, "東京");
        } else {
            EXPECT_EQ(text, "") << c.what; // nothing once past the end
        }
    }
}

TEST(WholeFile, WrittenWholeOrNotAtAll) {
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    const auto file = folder / "index";
    std::string read = "left over";
    EXPECT_EQ(readWhole(file.c_str(), read), ENOENT);
    EXPECT_EQ(read, "");

    const std::string large(300000, 'x'); // more than one read's worth
    for (const std::string& data : {std::string("first"), large, std::string()}) {
        ASSERT_EQ(writeWhole(file, data), 0);
        ASSERT_EQ(readWhole(file.c_str(), read), 0);
        EXPECT_EQ(read, data);
    }
    // A folder that is not there: nothing written, nothing left behind.
    EXPECT_EQ(writeWhole(folder / "none" / "index", "x"), ENOENT);
    // A name taken by a folder: the file is not replaced, and no partial file stays.
    std::filesystem::create_directory(folder / "taken");
    EXPECT_NE(writeWhole(folder / "taken", "x"), 0);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "taken"));
    EXPECT_FALSE(std::filesystem::exists(folder / ".taken.partial"));
    EXPECT_EQ(readWhole(folder.c_str(), read), EISDIR);
}

} // namespace
} // namespace tamsel
