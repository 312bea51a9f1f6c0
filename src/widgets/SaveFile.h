// SPDX-License-Identifier: GPL-3.0-or-later
// SaveFile: writing what a window keeps to a file the operator chose.
#pragma once

#include "widgets/Notifier.h"

#include <QByteArray>
#include <QString>

namespace tamsel {

// Writes `bytes` to `path` whole or not at all (an existing file is replaced only once the
// new one is complete). False on failure, which the operator is told.
bool saveFile(const QString& path, const QByteArray& bytes, Notifier& notifier);

} // namespace tamsel
