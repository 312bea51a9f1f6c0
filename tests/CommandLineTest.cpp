// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the command line and of the permission advice.
#include "CommandLine.h"
#include "adapter/Discovery.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace tamsel {
namespace {

struct ArgvCase {
    const char* what;
    std::vector<const char*> argv;
    std::optional<int> status;
    std::string out; // the start of standard output
    std::string err; // the start of standard error
};

class Arguments : public ::testing::TestWithParam<ArgvCase> {};

TEST_P(Arguments, AnsweredBeforeAnythingElse) {
    const ArgvCase& c = GetParam();
    std::ostringstream out, err;
    const ProgramInfo program{"tamsel", "What it does."};
    EXPECT_EQ(handleCommandLine(static_cast<int>(c.argv.size()), c.argv.data(), program, out, err),
              c.status);
    EXPECT_EQ(out.str().substr(0, c.out.size()), c.out);
    EXPECT_EQ(err.str().substr(0, c.err.size()), c.err);
    EXPECT_EQ(out.str().empty(), c.out.empty());
    EXPECT_EQ(err.str().empty(), c.err.empty());
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, Arguments,
    ::testing::Values(
        ArgvCase{"no arguments runs the program", {"tamsel"}, {}, "", ""},
        ArgvCase{"help", {"tamsel", "--help"}, 0, "Usage: tamsel [--help | --version]\nWhat", ""},
        ArgvCase{"short help", {"tamsel", "-h"}, 0, "Usage: tamsel", ""},
        ArgvCase{"version", {"tamsel", "--version"}, 0, "tamsel 3.5.0\n", ""},
        ArgvCase{"an unknown option",
                 {"tamsel", "--verbose"},
                 2,
                 "",
                 "tamsel: unrecognised argument '--verbose'\nTry 'tamsel --help'"},
        ArgvCase{"a stray word",
                 {"tamsel", "memory.txt"},
                 2,
                 "",
                 "tamsel: unrecognised argument 'memory.txt'"},
        ArgvCase{"help with more after it",
                 {"tamsel", "--help", "x"},
                 2,
                 "",
                 "tamsel: unrecognised argument 'x'"},
        // Qt's own options are Qt's: the session manager restarts the program so.
        ArgvCase{"a session to restore", {"tamsel", "-session", "10d2a7f_1"}, {}, "", ""},
        ArgvCase{"platform, style and the rest of Qt's",
                 {"tamsel", "-platform", "xcb", "-display", ":1", "-style=fusion", "-reverse",
                  "-stylesheet", "dark.qss", "-qwindowgeometry", "640x480+0+0", "-widgetcount"},
                 {},
                 "",
                 ""},
        ArgvCase{
            "a value that looks like an option", {"tamsel", "-title", "--version"}, {}, "", ""},
        ArgvCase{"help among Qt's options",
                 {"tamsel", "-style", "fusion", "--help"},
                 0,
                 "Usage: tamsel",
                 ""},
        ArgvCase{
            "version after a session", {"tamsel", "-session", "x", "--version"}, 0, "tamsel ", ""},
        ArgvCase{"a Qt option without its value",
                 {"tamsel", "-session"},
                 2,
                 "",
                 "tamsel: option '-session' needs a value\nTry 'tamsel --help'"},
        ArgvCase{"an unknown option among Qt's",
                 {"tamsel", "-platform", "xcb", "--bogus"},
                 2,
                 "",
                 "tamsel: unrecognised argument '--bogus'"}),
    test::ByWhat());

TEST(CommandLine, HelpNamesTheRuleWhereEachInstallHasIt) {
    const std::string help = usage({"tamsel", "What it does."});
    EXPECT_NE(help.find("/usr/lib/udev/rules.d/60-tamsel.rules"), std::string::npos);
    EXPECT_NE(help.find("packaging/60-tamsel.rules"), std::string::npos);
    EXPECT_NE(help.find("tamsel-demo"), std::string::npos);
}

TEST(CommandLine, HelpSaysWhereTheConsoleKeepsItsSettings) {
    const std::string help = usage({"tamsel", "What it does."});
    EXPECT_NE(help.find("$XDG_CONFIG_HOME/tamsel/tamsel.conf"), std::string::npos);
    EXPECT_NE(help.find("~/.config/tamsel/tamsel.conf"), std::string::npos);
    EXPECT_EQ(help.find("no settings"), std::string::npos);
    const std::string demo = usage({"tamsel-demo", "What it does."});
    EXPECT_NE(demo.find("$XDG_CONFIG_HOME/tamsel-demo/tamsel.conf"), std::string::npos) << demo;
}

TEST(PermissionAdvice, NamesTheRuleWhereItIsAndTheReloadCommands) {
    Discovery cannotOpen;
    cannotOpen.outcome = Discovery::Outcome::CannotOpen;
    cannotOpen.error = "LIBUSB_ERROR_ACCESS";
    const std::string package =
        notFoundMessage(cannotOpen, {true, "/usr/lib/udev/rules.d/60-tamsel.rules"});
    EXPECT_NE(package.find("(/usr/lib/udev/rules.d/60-tamsel.rules)"), std::string::npos);
    EXPECT_EQ(package.find("sudo cp"), std::string::npos) << "nothing to copy";
    const std::string source =
        notFoundMessage(cannotOpen, {false, "/src/packaging/60-tamsel.rules"});
    EXPECT_NE(source.find("sudo cp /src/packaging/60-tamsel.rules /etc/udev/rules.d/"),
              std::string::npos);
    for (const std::string& text : {package, source}) {
        EXPECT_NE(text.find("sudo udevadm control --reload\n  sudo udevadm trigger\n"),
                  std::string::npos);
        EXPECT_NE(text.find("unplug the adapter and plug it in again"), std::string::npos);
    }
}

} // namespace
} // namespace tamsel
