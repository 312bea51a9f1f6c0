// SPDX-License-Identifier: GPL-3.0-or-later
// Text: bytes from the adapter and from files turned into text for display, and back.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tamsel {

// Callsigns and messages as the adapter and the windows exchange them: one character per
// byte (Latin-1).
inline QString fromBytes(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
inline std::string toBytes(const QString& text) {
    return text.toLatin1().toStdString();
}

// A memory file line as shown: UTF-8 for a line that is valid UTF-8 with non-ASCII
// characters, otherwise Shift_JIS, or Latin-1 for a line that is not valid Shift_JIS.
QString decodeMemoryLine(std::string_view bytes);

} // namespace tamsel
