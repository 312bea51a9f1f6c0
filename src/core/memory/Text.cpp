// SPDX-License-Identifier: GPL-3.0-or-later
// Text: bytes from the adapter and from files turned into text for display, and back.
#include "memory/Text.h"

#include "memory/MemoryFile.h"

#include <QStringDecoder>

namespace tamsel {

QString decodeMemoryLine(std::string_view bytes) {
    const QByteArrayView utf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (isUtf8Text(bytes)) {
        return QString::fromUtf8(utf8);
    }
    QStringDecoder decoder("Shift_JIS", QStringDecoder::Flag::Stateless);
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text = decoder.decode(view);
    if (decoder.hasError()) {
        return QString::fromLatin1(view);
    }
    return text;
}

} // namespace tamsel
