// SPDX-License-Identifier: GPL-3.0-or-later
// CommandLine: --help, -h and --version, answered before any USB access or display.
#include "console/CommandLine.h"

#include <string_view>

namespace tamsel {

const char* programVersion() {
    return TAMSEL_VERSION;
}

std::string usage(const ProgramInfo& program) {
    const bool demo = program.name != "tamsel";
    return "Usage: " + program.name + " [--help | --version]\n" + program.purpose +
           "\n"
           "It takes no other options. The adapter holds its own settings; the console's\n"
           "(your position, units) are in $XDG_CONFIG_HOME/tamsel/tamsel.conf\n"
           "(~/.config/tamsel/tamsel.conf), set in Config, Preferences.\n"
           "\n"
           "  -h, --help     show this help and exit\n"
           "      --version  show the version and exit\n"
           "\n" +
           (demo ? std::string("tamsel is the same console for a real adapter.\n")
                 : std::string("The adapter (USB 04d8:0310) must be accessible to you. The udev "
                               "rule that grants\n"
                               "it to the user at the seat is "
                               "/usr/lib/udev/rules.d/60-tamsel.rules when the\n"
                               "package is installed, or packaging/60-tamsel.rules in the source "
                               "tree.\n"
                               "tamsel-demo runs the same console on a built-in simulated "
                               "adapter.\n")) +
           "See " + program.name + "(1).\n";
}

std::optional<int> handleCommandLine(int argc, const char* const* argv, const ProgramInfo& program,
                                     std::ostream& out, std::ostream& err) {
    if (argc <= 1) {
        return std::nullopt;
    }
    // The first argument decides; nothing else is taken.
    const std::string_view arg = argv[1];
    if (argc == 2 && (arg == "--help" || arg == "-h")) {
        out << usage(program);
        return 0;
    }
    if (argc == 2 && arg == "--version") {
        out << program.name << ' ' << programVersion() << '\n';
        return 0;
    }
    const std::string_view wrong =
        arg == "--help" || arg == "-h" || arg == "--version" ? std::string_view(argv[2]) : arg;
    err << program.name << ": unrecognised argument '" << wrong << "'\n"
        << "Try '" << program.name << " --help' for more information.\n";
    return 2;
}

} // namespace tamsel
