// SPDX-License-Identifier: GPL-3.0-or-later
// CommandLine: --help, -h and --version, answered before any USB access or display.
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace tamsel {

struct ProgramInfo {
    std::string name;    // as the operator types it: "tamsel", "tamsel-demo"
    std::string purpose; // one sentence for --help
};

// The version of this build, from the build system.
const char* programVersion();

// The usage text --help prints.
std::string usage(const ProgramInfo& program);

// Looks at the arguments. Returns the exit status when the program should end now (after
// --help or --version on `out`, or a wrong argument on `err`), nothing when it should run.
// The options Qt's application object reads (-platform, -style, -session, ...) are left to
// it, with their values.
std::optional<int> handleCommandLine(int argc, const char* const* argv, const ProgramInfo& program,
                                     std::ostream& out, std::ostream& err);

} // namespace tamsel
