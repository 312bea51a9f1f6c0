// SPDX-License-Identifier: GPL-3.0-or-later
// CallsignFont: the font callsign fields are shown in, where every blank takes a column.
#pragma once

#include <QFont>

namespace tamsel {

// True when A-Z, 0-9, '/' and the blank all advance by the same width in `font`: what a
// callsign field needs, whatever the font says of its own pitch (Noto Sans Mono reports
// itself as proportional, yet these characters line up in it).
bool evenCallsignAdvance(const QFont& font);

// The desktop's fixed-pitch font when its callsign characters line up, else the first
// family installed whose do; at `pointSize`.
QFont callsignFont(qreal pointSize);

} // namespace tamsel
