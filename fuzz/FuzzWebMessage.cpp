// SPDX-License-Identifier: GPL-3.0-or-later
// What the station's page sends: the JSON of a request to the station, a live connection's
// message, a form body. Never a crash; nothing taken that a header field could not hold.
#include "web/WebMessage.h"

#include <cmath>
#include <cstdlib>
#include <variant>

using namespace tamsel;

namespace {

void checkText(const QString& text) {
    if (text.size() > 64) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ParsedIntent parsed = parseIntent(bytes);
    if (parsed.intent.has_value() == !parsed.error.isEmpty()) {
        std::abort(); // either an intent or a reason, never both or neither
    }
    if (parsed.intent) {
        std::visit(
            [](const auto& i) {
                using T = std::decay_t<decltype(i)>;
                if constexpr (std::is_same_v<T, intent::SetField>) {
                    checkText(i.value);
                } else if constexpr (std::is_same_v<T, intent::Link>) {
                    checkText(i.reflector);
                } else if constexpr (std::is_same_v<T, intent::ReplyTo> ||
                                     std::is_same_v<T, intent::UseRepeater>) {
                    checkText(i.callsign);
                }
            },
            *parsed.intent);
    }
    const LiveMessage live = parseLiveMessage(bytes);
    if ((live.kind == LiveMessage::Kind::Ping && !std::isfinite(live.id)) ||
        (live.kind == LiveMessage::Kind::Hello && live.csrf.size() > 64) ||
        (size > static_cast<std::size_t>(kMaxLiveMessageBytes) &&
         live.kind != LiveMessage::Kind::Bad)) {
        std::abort();
    }
    (void)formValue(bytes, QStringLiteral("password"));
    return 0;
}
