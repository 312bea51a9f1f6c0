// SPDX-License-Identifier: GPL-3.0-or-later
// SaveFile: writing what a window keeps to a file the operator chose.
#pragma once

#include "widgets/Notifier.h"

#include <QByteArray>
#include <QString>
#include <functional>

class QObject;
class QWidget;

namespace tamsel {

// Writes `bytes` to `path` whole or not at all (an existing file is replaced only once the
// new one is complete). False on failure or refusal (see guardSaves), which the operator is
// told.
bool saveFile(const QString& path, const QByteArray& bytes, Notifier& notifier);

// For a path chosen to save to: why it must not be replaced (a file the console only ever
// adds to, such as a log), or an empty text.
using SaveRefusal = std::function<QString(const QString& path)>;
// Every save asks `refusal` first, for as long as `owner` lives.
void guardSaves(QObject* owner, SaveRefusal refusal);
// Whether a save may replace `path`; when not, the operator is told why.
bool maySaveTo(const QString& path, Notifier& notifier);

// The folder a save dialog starts in: the last one a file was chosen in during this run,
// else the documents folder (never the folder the console happened to start in).
QString saveFolder();
// Asks where to save, offering `name` in saveFolder(); remembers the folder chosen. An
// empty text when the operator cancelled.
QString chooseSaveFile(QWidget* parent, const QString& name, const QString& filter = {});

} // namespace tamsel
