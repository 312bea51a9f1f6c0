// SPDX-License-Identifier: GPL-3.0-or-later
// SaveFile: writing what a window keeps to a file the operator chose.
#include "widgets/SaveFile.h"

#include "base/WholeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <vector>

namespace tamsel {

namespace {

QString& lastFolder() {
    static QString folder;
    return folder;
}

struct Guard {
    QObject* owner;
    SaveRefusal refusal;
};

std::vector<Guard>& guards() {
    static std::vector<Guard> all;
    return all;
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

void guardSaves(QObject* owner, SaveRefusal refusal) {
    guards().push_back({owner, std::move(refusal)});
    QObject::connect(owner, &QObject::destroyed, [owner] {
        std::erase_if(guards(), [owner](const Guard& g) { return g.owner == owner; });
    });
}

bool maySaveTo(const QString& path, Notifier& notifier) {
    for (const Guard& g : guards()) {
        if (const QString why = g.refusal(path); !why.isEmpty()) {
            notifier.failure(why);
            return false;
        }
    }
    return true;
}

bool saveFile(const QString& path, const QByteArray& bytes, Notifier& notifier) {
    if (!maySaveTo(path, notifier)) {
        return false;
    }
    const int error = writeWhole(QFile::encodeName(path).toStdString(),
                                 std::string_view(bytes.constData(), bytes.size()));
    if (error != 0) {
        notifier.failure(QCoreApplication::translate("SaveFile", "Cannot write %1:\n%2")
                             .arg(QDir::toNativeSeparators(path), qt_error_string(error)));
        return false;
    }
    return true;
}

} // namespace tamsel
