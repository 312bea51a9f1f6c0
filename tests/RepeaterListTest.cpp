// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of importing repeater lists into memory-file lines.
#include "memory/RepeaterList.h"
#include "base/Columns.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

const std::string kIcomHeader = "Group No,Group Name,Name,Sub Name,Repeater Call Sign,Gateway "
                                "Call Sign,Frequency,Dup,Offset,Mode,TONE,Repeater Tone,RPT1USE,"
                                "Position,Latitude,Longitude,UTC Offset\r\n";
const std::string kChirpHeader = "Location,Name,Frequency,Duplex,Offset,Mode,Comment,URCALL,"
                                 "RPT1CALL,RPT2CALL\r\n";

struct ImportCase {
    const char* what;
    std::string file;
    RepeaterListFormat format;
    std::vector<std::string> lines;
    std::vector<std::size_t> skipped;
};

class Import : public ::testing::TestWithParam<ImportCase> {};

TEST_P(Import, BecomesMemoryLines) {
    const ImportCase& c = GetParam();
    const RepeaterImport got = importRepeaterList(c.file);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < got.size(); ++i) {
        lines.emplace_back(got.line(i));
    }
    EXPECT_EQ(got.format, c.format);
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(got.skipped, c.skipped);
    for (const std::string& line : lines) {
        // The window cuts the callsigns from the usual columns.
        EXPECT_EQ(line.substr(17, 1), " ");
        EXPECT_EQ(line.substr(26, 1), " ");
    }
}

INSTANTIATE_TEST_SUITE_P(
    RepeaterList, Import,
    ::testing::Values(
        ImportCase{"Icom list, module letter after one space",
                   kIcomHeader + "1,Kanto,Tokyo,,JR1YB B,JR1YB G,439.010000,DUP-,5.000000,DV,OFF,"
                                 "88.5Hz,YES,None,0,0,+9:00\r\n",
                   RepeaterListFormat::Icom,
                   {"Tokyo    CQCQCQ   JR1YB  B JR1YB  G 439.010000 MHz DUP- 5.000000 Kanto"},
                   {}},
        ImportCase{"Icom columns reordered and one added, FM and empty rows left out",
                   "Mode,Offset,Dup,Frequency,Extra,Gateway Call Sign,Repeater Call Sign,Name\n"
                   "DV,20.0,DUP-,1293.01,x,jr1wh g,jr1wh a,Yokohama Naka\n"
                   "FM,0,OFF,433.0,x,,,Simplex\n"
                   "DV,0,OFF,438.0,x,,,No repeater\n",
                   RepeaterListFormat::Icom,
                   {"Yokohama CQCQCQ   JR1WH  A JR1WH  G 1293.01 MHz DUP- 20.0"},
                   {}},
        ImportCase{"Shift_JIS name cut at a character, not in it",
                   kIcomHeader + "1,\x8A\xD6\x93\x8C,\x93\x8C\x8B\x9E\x92\x86\x89\x9B\x89\x77,,"
                                 "JR1YB B,JR1YB G,439.01,DUP-,5.0,DV\r\n",
                   RepeaterListFormat::Icom,
                   {"\x93\x8C\x8B\x9E\x92\x86\x89\x9B CQCQCQ   JR1YB  B JR1YB  G 439.01 MHz DUP- "
                    "5.0 \x8A\xD6\x93\x8C"},
                   {}},
        ImportCase{"CHIRP with a BOM; UTF-8 name goes to Shift_JIS; echo keeps its blanks",
                   "\xEF\xBB\xBF" + kChirpHeader +
                       "0,\xE5\x90\x8D\xE5\x8F\xA4\xE5\xB1\x8B,439.15,-,5.0,DV,Nagoya,CQCQCQ,"
                       "JP2YGG B,JP2YGG G\r\n"
                       "1,Echo,439.15,-,5.0,DV,,       E,JP2YGG B,JP2YGG G\r\n",
                   RepeaterListFormat::Chirp,
                   {"\x96\xBC\x8C\xC3\x89\xAE   CQCQCQ   JP2YGG B JP2YGG G 439.15 MHz - 5.0 Nagoya",
                    "Echo            E JP2YGG B JP2YGG G 439.15 MHz - 5.0"},
                   {}},
        ImportCase{"callsigns longer than 8 skip their rows, quoted fields count lines",
                   kChirpHeader + "0,\"Far, away\",439.0,,,DV,\"two\nlines\",CQCQCQ,JA1ABCDEF,"
                                  "JA1ABC G\r\n"
                                  "1,Near,439.0,,,DV,,CQCQCQ,JA1ABC B,JA1ABC G\r\n"
                                  "2,\"Say \"\"hi\"\"\",439.0,,,DV,,CQCQCQ,JA1ABC B,JA1ABC  GX\r\n",
                   RepeaterListFormat::Chirp,
                   {"Near     CQCQCQ   JA1ABC B JA1ABC G 439.0 MHz"},
                   {2, 5}},
        ImportCase{"several quoted fields with quotes; a lead byte alone at a name's end",
                   kChirpHeader +
                       "0,\"A\x81\",1,\"\"\"-\"\"\",2,DV,\"\"\"c\"\"\",\"CQ\"\"\",\"JA1A B\","
                       "\"JA1A G\"\n",
                   RepeaterListFormat::Chirp,
                   {"A\x81       CQ\"      JA1A   B JA1A   G 1 MHz \"-\" 2 \"c\""},
                   {}},
        ImportCase{"a memory file is neither format",
                   "CQ Tokyo CQCQCQ   JR1YB  B JR1YB  G\n",
                   RepeaterListFormat::None,
                   {},
                   {}},
        ImportCase{"an empty file", "", RepeaterListFormat::None, {}, {}}),
    test::ByWhat());

TEST(RepeaterList, CallsignLayout) {
    const std::pair<const char*, const char*> fits[] = {
        {"JR1YB B", "JR1YB  B"},  {"jr1yb  b", "JR1YB  B"}, {"CQCQCQ", "CQCQCQ  "},
        {"       E", "       E"}, {"REF001CL", "REF001CL"}, {"", "        "}};
    for (const auto& [written, field] : fits) {
        std::string out;
        EXPECT_TRUE(layOutCallsign(written, out)) << written;
        EXPECT_EQ(out, field) << written;
    }
    std::string out;
    EXPECT_FALSE(layOutCallsign("JA1ABCDEF", out));
}

} // namespace
} // namespace tamsel
