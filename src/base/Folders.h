// SPDX-License-Identifier: GPL-3.0-or-later
// Folders: the name of the console's own folders for settings and logs.
#pragma once

#include <string>

namespace tamsel {

// The folder the console keeps its settings in (under the XDG config folder) and its logs in
// (under the XDG data folder): "tamsel", or another name for a program that must keep apart
// from the operator's own, such as the demo. Set once at start, before anything is read.
inline std::string& folderName() {
    static std::string name = "tamsel";
    return name;
}

} // namespace tamsel
