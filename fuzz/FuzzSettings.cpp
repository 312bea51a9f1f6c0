// SPDX-License-Identifier: GPL-3.0-or-later
// The settings dialog's conversions on arbitrary field texts.
#include "dialogs/Settings.h"

#include <cctype>
#include <cstdlib>

using namespace tamsel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const SettingField* field : {&kDelayField, &kKeepAliveField, &kErrorBitsField}) {
        const SettingValue v = convertSetting(text, *field);
        if ((v.message == nullptr) != v.wValue.has_value()) {
            std::abort();
        }
        // Whatever is sent fits the adapter's one-byte setting.
        if (v.wValue && *v.wValue > 255) {
            std::abort();
        }
    }
    (void)parsePattern(text);
    if (size > 0) {
        // Every byte shown converts back to itself.
        std::string shown = formatPattern(data[0]);
        for (char& c : shown) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        if (parsePattern(shown) != data[0] ||
            convertSetting(formatTimesTen(data[0]), kDelayField).wValue != data[0]) {
            std::abort();
        }
    }
    return 0;
}
