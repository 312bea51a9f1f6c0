// SPDX-License-Identifier: GPL-3.0-or-later
// SaveFile: writing what a window keeps to a file the operator chose.
#include "widgets/SaveFile.h"

#include <QDir>
#include <QSaveFile>

namespace tamsel {

bool saveFile(const QString& path, const QByteArray& bytes, Notifier& notifier) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0 || !file.commit()) {
        notifier.failure(QStringLiteral("Cannot write %1:\n%2")
                             .arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    return true;
}

} // namespace tamsel
