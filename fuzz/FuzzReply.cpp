// SPDX-License-Identifier: GPL-3.0-or-later
// Reply-as-text and the fixed fields on arbitrary adapter bytes.
#include "adapter/Payload.h"

#include <cstdlib>

using namespace tamsel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t requested = data[0] % 24;
    const std::span<const unsigned char> reply(data + 1, size - 1);
    const std::string text = replyAsText(reply, requested);
    if (text.size() > requested || text.size() > reply.size() ||
        text.find('\0') != std::string::npos ||
        std::string_view(reinterpret_cast<const char*>(reply.data()), text.size()) != text) {
        std::abort();
    }
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    if (callsignField(raw).size() != 8 || suffixField(raw).size() != 4 ||
        messageField(raw).size() != 20) {
        std::abort();
    }
    return 0;
}
