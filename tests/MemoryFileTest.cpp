// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the memory file reader, columns and search.
#include "memory/MemoryFile.h"
#include "base/Columns.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace tamsel {
namespace {

std::vector<std::string> linesOf(const std::string& content) {
    MemoryLines m = splitLines(ByteBuffer(content.begin(), content.end()));
    LineStore store;
    store.assign(std::move(m.bytes), std::move(m.starts), true);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < store.size(); ++i) {
        out.emplace_back(store.line(i));
    }
    return out;
}

using Lines = std::vector<std::string>;

TEST(MemoryFile, SplitsOnEveryKindOfLineEnd) {
    const std::vector<std::pair<std::string, Lines>> cases{
        {"", {}},
        {"\n", {""}},
        {"a\nb\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\nb\n\n", {"a", "", "b", ""}},
        {"a\r\rb", {"a", "", "b"}},
        {"mixed\r\nends\nhere\rlast", {"mixed", "ends", "here", "last"}},
        {std::string("nul\0inside\nx", 12), {std::string("nul\0inside", 10), "x"}},
        {"\tJR1YB\t\n", {"\tJR1YB\t"}},
        // Line ends on both sides of a sixteen-byte boundary, and a long last line.
        {"0123456789abcde\n0123456789abcdef\nx\n" + std::string(40, 'y'),
         {"0123456789abcde", "0123456789abcdef", "x", std::string(40, 'y')}},
    };
    for (const auto& [content, expected] : cases) {
        EXPECT_EQ(linesOf(content), expected) << '"' << content << '"';
    }
}

TEST(MemoryFile, ColumnsCountBytesFromOne) {
    const std::string full = "Tokyo    JA1ABC   JR1YB  B JR1YB  G comment";
    EXPECT_EQ(column(full, 10), "JA1ABC  ");
    EXPECT_EQ(column(full, 19), "JR1YB  B");
    EXPECT_EQ(column(full, 28), "JR1YB  G");
    const std::string twenty = "Name     JA1ABC   JR";
    EXPECT_EQ(column(twenty, 10), "JA1ABC  ");
    EXPECT_EQ(column(twenty, 19), "JR");
    EXPECT_EQ(column(twenty, 28), "");
    EXPECT_EQ(column("", 10), "");
    EXPECT_EQ(column("123456789", 10), "");
    EXPECT_EQ(column("1234567890", 10), "0");
    EXPECT_EQ(column("Name\t\t\t\t\tJA1ABC\tx", 10), "JA1ABC\tx") << "tabs are bytes too";
}

TEST(MemoryFile, ReadsWholeFilesAndReportsWhyNot) {
    const std::string path = ::testing::TempDir() + "memory-read.txt";
    std::ofstream(path, std::ios::binary) << "one\r\ntwo\r\n";
    const MemoryFileRead ok = readMemoryFile(path);
    ASSERT_TRUE(ok.lines);
    EXPECT_EQ(ok.lines->starts.size(), 2u);

    const MemoryFileRead missing = readMemoryFile(path + ".missing");
    EXPECT_FALSE(missing.lines);
    EXPECT_EQ(missing.error, "No such file or directory");
    const MemoryFileRead directory = readMemoryFile(::testing::TempDir());
    EXPECT_FALSE(directory.lines);
    EXPECT_EQ(directory.error, "Is a directory");
}

// A running program can be opened for reading only: opening it for writing fails with
// ETXTBSY even for root. So this read shows that memory files are opened read-only.
TEST(MemoryFile, IsOpenedReadOnly) {
    const MemoryFileRead self = readMemoryFile("/proc/self/exe");
    EXPECT_TRUE(self.lines) << self.error;
    const std::string path = ::testing::TempDir() + "memory-unchanged.txt";
    std::ofstream(path, std::ios::binary) << "Tokyo    JA1ABC\n";
    struct stat before {};
    ::stat(path.c_str(), &before);
    ASSERT_TRUE(readMemoryFile(path).lines);
    struct stat after {};
    ::stat(path.c_str(), &after);
    EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);
    EXPECT_EQ(before.st_size, after.st_size);
}

TEST(MemorySearch, ContainsIsAnExactByteTest) {
    EXPECT_TRUE(containsKey("JA1ABC", "1AB"));
    EXPECT_FALSE(containsKey("ABC", "abc"));
    EXPECT_FALSE(containsKey("ABC", ""));
    EXPECT_FALSE(containsKey("", "A"));
    EXPECT_TRUE(containsKey("A B", " "));
    // 0x83 0x41 is one Shift_JIS character; its second byte is no "A".
    EXPECT_FALSE(containsKey("\x83\x41", "A"));
    EXPECT_TRUE(containsKey("\x83\x41 A", "A"));
    EXPECT_TRUE(containsKey("\x83\x41", "\x83\x41"));
}

LineStore store(const Lines& lines) {
    LineStore s;
    for (const auto& l : lines) {
        s.append(l);
    }
    return s;
}

struct Press {
    std::string key;
    std::optional<std::size_t> found;
    bool notFound;
};

void run(const LineStore& lines, std::size_t position, const std::vector<Press>& presses) {
    for (std::size_t i = 0; i < presses.size(); ++i) {
        const SearchOutcome o = searchLines(lines, presses[i].key, position);
        EXPECT_EQ(o.found, presses[i].found) << "press " << i;
        EXPECT_EQ(o.notFound, presses[i].notFound) << "press " << i;
        position = o.position;
    }
}

TEST(MemorySearch, TenLinesWithTwoHits) {
    Lines lines(10, "nothing here");
    lines[2] = "JA1ABC hit";
    lines[7] = "7M4XYZ hit";
    run(store(lines), 0,
        {{"hit", 2, false}, {"hit", 7, false}, {"hit", {}, true}, {"hit", 2, false}});
}

TEST(MemorySearch, HitOnTheLastLineStartsOverWithoutNotFound) {
    run(store({"abc", "xyz", "abc"}), 0, {{"abc", 0, false}, {"abc", 2, false}, {"abc", 0, false}});
}

TEST(MemorySearch, CaseSpacesAndChangingText) {
    const LineStore lines = store({"ABC", "has space", "abc", "xyz"});
    run(lines, 0, {{"abc", 2, false}, {"xyz", 3, false}});
    run(lines, 0, {{" ", 1, false}});
    run(lines, 2, {{"ABC", {}, true}, {"ABC", 0, false}});
}

TEST(MemorySearch, EmptyListAndStalePosition) {
    const SearchOutcome empty = searchLines(LineStore{}, " ", 0);
    EXPECT_TRUE(empty.notFound);
    EXPECT_EQ(empty.position, 0u);
    // The position of a longer file: the search starts again at the first line.
    const SearchOutcome stale = searchLines(store({"abc", "abc"}), "abc", 500);
    EXPECT_EQ(stale.found, 0u);
    EXPECT_EQ(stale.position, 1u);
}

} // namespace
} // namespace tamsel
