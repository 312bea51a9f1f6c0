// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the lowest floor: CSV records, little-endian files read back, and files read and
// written whole.
#include "base/CsvReader.h"
#include "base/LittleEndian.h"
#include "base/WholeFile.h"

#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <sys/stat.h>

namespace tamsel {
namespace {

bool startsDated(std::string_view rest) {
    return rest.starts_with("2026");
}

// Each record as its line, + for complete or - for not, and its fields parted by |.
TEST(CsvReader, RecordsAsBothReadersNeedThem) {
    const struct {
        const char* what;
        std::string text;
        char separator;
        CsvReader::RecordStart startsRecord;
        std::vector<std::string> records;
    } rows[] = {
        {"CR LF, LF and a lone CR", "a,b\r\nc\nd\re", ',', nullptr, {"1+a|b", "2+c", "3+d", "4-e"}},
        {"nothing", "", ',', nullptr, {}},
        {"blank lines are records", "a\n\n \nb\n", ',', nullptr, {"1+a", "2+", "3+ ", "4+b"}},
        {"a separator at the end", "a,", ',', nullptr, {"1-a|"}},
        {"quoted separators, quotes and lines",
         "\"a,\"\"b\"\"\r\nc\",d\r\ne",
         ',',
         nullptr,
         {"1+a,\"b\"\r\nc|d", "3-e"}},
        {"a quote inside a field is a character",
         "5\" mag,ab\"c,d\"e\n",
         ',',
         nullptr,
         {"1+5\" mag|ab\"c|d\"e"}},
        {"a quote after a blank is a character", " \"a,b\"", ',', nullptr, {"1- \"a|b\""}},
        {"text after the closing quote is kept",
         "\"Tokyo\" Tower,\"a\"\"b\"c\n",
         ',',
         nullptr,
         {"1+Tokyo Tower|a\"bc"}},
        {"an unclosed quote takes the rest", "x,\"a\nb,c", ',', nullptr, {"1-x|a\nb,c"}},
        {"a torn line ends where a record starts",
         "\"cut\r\n2026,x\r\n\"two\nlines\",y\n",
         ',',
         startsDated,
         {"1-cut", "2+2026|x", "3+two\nlines|y"}},
        {"the separator chosen", "a;b,c\td\n", ';', nullptr, {"1+a|b,c\td"}},
        {"tabs", "a;b\tc\n", '\t', nullptr, {"1+a;b|c"}},
    };
    for (const auto& row : rows) {
        CsvReader reader(row.text, row.separator, row.startsRecord);
        std::vector<std::string> records;
        while (reader.next()) {
            std::string r = std::to_string(reader.line()) + (reader.complete() ? "+" : "-");
            for (std::size_t i = 0; i < reader.fields().size(); ++i) {
                r += (i == 0 ? "" : "|") + std::string(reader.fields()[i]);
            }
            records.push_back(std::move(r));
        }
        EXPECT_EQ(records, row.records) << row.what;
    }
}

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
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"index", "taken"}));
    EXPECT_EQ(readWhole(folder.c_str(), read), EISDIR);
}

// What a save does to the file it replaces, as every save of the console does it.
TEST(WholeFile, ReplacingKeepsWhatTheFileWas) {
    namespace fs = std::filesystem;
    const mode_t umaskBefore = ::umask(027);
    const struct {
        const char* what;
        mode_t before;      // the file's permissions; 0 for no file
        const char* linkTo; // the name written to is a link to this file
        int error;
        mode_t after;
    } rows[] = {
        {"a new file: as the umask says", 0, nullptr, 0, 0640},
        {"a file replaced keeps its permissions", 0604, nullptr, 0, 0604},
        {"a file nobody may write stays", 0444, nullptr, EACCES, 0444},
        {"a link: its file is written", 0600, "file", 0, 0600},
        {"a link to no file: the file is made", 0, "file", 0, 0640},
    };
    for (const auto& row : rows) {
        if (row.error == EACCES && ::geteuid() == 0) {
            continue; // root may write any file
        }
        QTemporaryDir dir;
        const fs::path folder = dir.path().toStdString();
        const fs::path file = folder / "file";
        if (row.before != 0) {
            ASSERT_EQ(writeWhole(file, "before"), 0);
            fs::permissions(file, static_cast<fs::perms>(row.before));
        }
        const fs::path name = row.linkTo != nullptr ? folder / "link" : file;
        if (row.linkTo != nullptr) {
            fs::create_symlink(row.linkTo, name);
        }
        EXPECT_EQ(writeWhole(name, "after"), row.error) << row.what;
        std::string read;
        EXPECT_EQ(readWhole(file.c_str(), read), 0) << row.what;
        EXPECT_EQ(read, row.error == 0 ? "after" : "before") << row.what;
        EXPECT_EQ(static_cast<mode_t>(fs::status(file).permissions()), row.after) << row.what;
        EXPECT_EQ(fs::is_symlink(name), row.linkTo != nullptr) << row.what;
        // Nothing else is left in the folder, such as a half-written file.
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        const std::vector<std::string> expected = row.linkTo != nullptr
                                                      ? std::vector<std::string>{"file", "link"}
                                                      : std::vector<std::string>{"file"};
        EXPECT_EQ(names, expected) << row.what;
    }
    ::umask(umaskBefore);
}

} // namespace
} // namespace tamsel
