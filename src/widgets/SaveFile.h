// SPDX-License-Identifier: GPL-3.0-or-later
// SaveFile: writing what a window keeps to a file the operator chose.
#pragma once

#include "widgets/Notifier.h"

#include <QByteArray>
#include <QString>

class QWidget;

namespace tamsel {

// Writes `bytes` to `path` whole or not at all (an existing file is replaced only once the
// new one is complete). False on failure, which the operator is told.
bool saveFile(const QString& path, const QByteArray& bytes, Notifier& notifier);

// The folder a save dialog starts in: the last one a file was chosen in during this run,
// else the documents folder (never the folder the console happened to start in).
QString saveFolder();
// Asks where to save, offering `name` in saveFolder(); remembers the folder chosen. An
// empty text when the operator cancelled.
QString chooseSaveFile(QWidget* parent, const QString& name, const QString& filter = {});

} // namespace tamsel
