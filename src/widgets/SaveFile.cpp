// SPDX-License-Identifier: GPL-3.0-or-later
// SaveFile: writing what a window keeps to a file the operator chose.
#include "widgets/SaveFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace tamsel {

namespace {

QString& lastFolder() {
    static QString folder;
    return folder;
}

} // namespace

QString saveFolder() {
    if (!lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir()) {
        return lastFolder();
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString chooseSaveFile(QWidget* parent, const QString& name, const QString& filter) {
    QString path =
        QFileDialog::getSaveFileName(parent, QString(), QDir(saveFolder()).filePath(name), filter);
    if (!path.isEmpty()) {
        lastFolder() = QFileInfo(path).absolutePath();
    }
    return path;
}

bool saveFile(const QString& path, const QByteArray& bytes, Notifier& notifier) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0 || !file.commit()) {
        notifier.failure(QCoreApplication::translate("SaveFile", "Cannot write %1:\n%2")
                             .arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    return true;
}

} // namespace tamsel
