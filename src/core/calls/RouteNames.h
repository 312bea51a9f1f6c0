// SPDX-License-Identifier: GPL-3.0-or-later
// RouteNames: what a received header asked for, named for a list of heard stations.
#pragma once

#include "calls/Routes.h"

#include <QString>

namespace tamsel {

// "link REF030 C", "unlink", "echo", "info", "routed to JR1YB B", "call to DL1ABC",
// "via gateway JR1YB", "gateway CQ JR1YB", "local JR1YB B" or "simplex": the command or
// destination in Station Call first, then how the header travelled. In the operator's
// language, or in English for the files other programs read.
enum class RouteText { Shown, English };
QString routeName(const ReceivedRoute& heard, RouteText text = RouteText::Shown);

// The usual names of routes as shown, for sizing a column in any language.
QStringList widestRouteNames();

} // namespace tamsel
