// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of importing repeater lists into memory-file lines.
#include "memory/RepeaterList.h"
#include "base/Columns.h"
#include "memory/MemoryFile.h"
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
        // A line shown as UTF-8 has a name whose bytes are as wide as its characters.
        if (isUtf8Text(line)) {
            EXPECT_TRUE(std::all_of(line.begin(), line.begin() + 9, [](char c) {
                return static_cast<unsigned char>(c) < 0x80;
            })) << line;
        }
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
                   {4}},
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
        ImportCase{"semicolons and decimal commas, as written under a comma-decimal locale",
                   "Group No;Group Name;Name;Sub Name;Repeater Call Sign;Gateway Call Sign;"
                   "Frequency;Dup;Offset;Mode;TONE;Repeater Tone\r\n"
                   "13;Minas Gerais;Belo Horizonte;;PY4RPF B;PY4RPF G;439,900000;DUP-;5,000000;"
                   "DV;OFF;88,5Hz\r\n"
                   "13;\"Sul; Norte\";Ipatinga;;PY4RIP C;PY4RIP G;145,3;DUP+;0,6;DV;OFF;88,5\r\n",
                   RepeaterListFormat::Icom,
                   {"Belo Hor CQCQCQ   PY4RPF B PY4RPF G 439.900000 MHz DUP- 5.000000 Minas Gerais",
                    "Ipatinga CQCQCQ   PY4RIP C PY4RIP G 145.3 MHz DUP+ 0.6 Sul; Norte"},
                   {}},
        ImportCase{"CHIRP saved tab-separated",
                   "Location\tName\tFrequency\tDuplex\tOffset\tMode\tComment\tURCALL\t"
                   "RPT1CALL\tRPT2CALL\n"
                   "0\tNagoya\t439.150000\t-\t5.000000\tDV\ta, b\tCQCQCQ\tJP2YGG B\tJP2YGG G\n",
                   RepeaterListFormat::Chirp,
                   {"Nagoya   CQCQCQ   JP2YGG B JP2YGG G 439.150000 MHz - 5.000000 a, b"},
                   {}},
        // Names Shift_JIS cannot hold, or whose Shift_JIS bytes would read as UTF-8 (and so be
        // shown as such), go to Latin letters; the line keeps the name as written.
        ImportCase{"UTF-8 names in Latin letters where Shift_JIS will not do",
                   kIcomHeader + "5,Bourgogne,Chen\xC3\xB4ves,,F1ZDJ B,F1ZDJ G,430.975,DUP-,"
                                 "9.4,DV\r\n"
                                 "1,,\xEF\xBE\x8B\xEF\xBD\xB6\xEF\xBE\x9E\xEF\xBD\xBC,,"
                                 "JR1YB B,JR1YB G,439.01,DUP-,5.0,DV\r\n"
                                 "7,Caf\xC3\xA9,\xE5\x90\x8D,,JP2YGG B,JP2YGG G,439.15,-,5.0,DV\r\n"
                                 "8,,\xC5\x81\xC3\xB3"
                                 "d\xC5\xBA,,SR7L B,SR7L G,145.6,-,0.6,DV\r\n",
                   RepeaterListFormat::Icom,
                   {"Chenoves CQCQCQ   F1ZDJ  B F1ZDJ  G 430.975 MHz DUP- 9.4 Bourgogne "
                    "Chen\xC3\xB4ves",
                    "higashi  CQCQCQ   JR1YB  B JR1YB  G 439.01 MHz DUP- 5.0 "
                    "\xEF\xBE\x8B\xEF\xBD\xB6\xEF\xBE\x9E\xEF\xBD\xBC",
                    "\x96\xBC       CQCQCQ   JP2YGG B JP2YGG G 439.15 MHz - 5.0 Cafe",
                    "Lodz     CQCQCQ   SR7L   B SR7L   G 145.6 MHz - 0.6 \xC5\x81\xC3\xB3"
                    "d\xC5\xBA"},
                   {}},
        ImportCase{"a Shift_JIS name whose bytes would read as UTF-8",
                   kIcomHeader + "1,,\xCB\xB6\xDE\xBC,,JR1YB B,JR1YB G,439.01,DUP-,5.0,DV\r\n"
                                 "1,,\x93\x8C\x8B\x9E,,JR1YB A,JR1YB G,1290.0,DUP-,20.0,DV\r\n",
                   RepeaterListFormat::Icom,
                   {"higashi  CQCQCQ   JR1YB  B JR1YB  G 439.01 MHz DUP- 5.0 "
                    "\xEF\xBE\x8B\xEF\xBD\xB6\xEF\xBE\x9E\xEF\xBD\xBC",
                    "\x93\x8C\x8B\x9E     CQCQCQ   JR1YB  A JR1YB  G 1290.0 MHz DUP- 20.0"},
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

// The one pass an import makes gives the memory lines as the lines alone would be, and each
// row's fields in UTF-8 whatever the list's encoding.
TEST(RepeaterList, OnePassGivesTheLinesAndRowsInUtf8) {
    const std::string head =
        "Name,Repeater Call Sign,Gateway Call Sign,Frequency,Dup,Offset,Mode\r\n";
    const struct {
        const char* what;
        std::string name;
        std::string utf8;
    } cases[] = {
        {"UTF-8", "Caf\xC3\xA9", "Caf\xC3\xA9"},
        {"Shift_JIS", "\x93\x8C\x8B\x9E", "\xE6\x9D\xB1\xE4\xBA\xAC"}, // Tokyo
        {"Latin-1 (no Shift_JIS)", "Caf\xE9", "Caf\xC3\xA9"},
    };
    for (const auto& c : cases) {
        const std::string file = head + c.name + ",DB0K B,DB0K G,439.1,DUP-,7.6,DV\r\n";
        std::vector<std::string> names;
        const RepeaterImport both =
            importRepeaterList(file, {"Name"}, [&](RepeaterListFormat, std::size_t, const auto& f) {
                names.emplace_back(f[0]);
            });
        const RepeaterImport lines = importRepeaterList(file);
        EXPECT_EQ(names, std::vector<std::string>{c.utf8}) << c.what;
        ASSERT_EQ(both.size(), 1u) << c.what;
        ASSERT_EQ(lines.size(), 1u) << c.what;
        EXPECT_EQ(both.line(0), lines.line(0)) << c.what;
    }
}

} // namespace
} // namespace tamsel
