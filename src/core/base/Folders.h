// SPDX-License-Identifier: GPL-3.0-or-later
// Folders: the name of the console's own folders for settings and logs, and how they are made.
#pragma once

#include <cerrno>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <system_error>

namespace tamsel {

// The folder the console keeps its settings in (under the XDG config folder) and its logs in
// (under the XDG data folder): "tamsel", or another name for a program that must keep apart
// from the operator's own, such as the demo. Set once at start, before anything is read.
inline std::string& folderName() {
    static std::string name = "tamsel";
    return name;
}

// Makes `folder` and whichever of its parents are missing, each readable by its owner only
// (0700), as the XDG rules ask of folders made under the XDG folders. A folder that exists
// keeps its mode: it may be the operator's own.
inline std::error_code makeFolders(const std::filesystem::path& folder) {
    if (folder.empty()) {
        return {}; // the current folder
    }
    std::filesystem::path made;
    for (const std::filesystem::path& part : folder) {
        made /= part;
        if (::mkdir(made.c_str(), 0700) != 0 && errno != EEXIST) {
            return {errno, std::generic_category()};
        }
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        return ec ? ec : std::make_error_code(std::errc::not_a_directory);
    }
    return {};
}

} // namespace tamsel
