// SPDX-License-Identifier: GPL-3.0-or-later
// TileProcess: asks tamsel-tiles for tiles, one line per tile ("z x y dark"), the answer
// its length in a line and the PNG bytes.
#include "TileProcess.h"

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>

namespace tamsel {

TileProcess::TileProcess(QString program) : program_(std::move(program)) {}

TileProcess::~TileProcess() {
    if (process_) {
        process_->closeWriteChannel(); // the program ends at the end of its input
        if (!process_->waitForFinished(2000)) {
            process_->kill();
            process_->waitForFinished(1000);
        }
    }
}

QString TileProcess::programBeside(const QString& self) {
    // Built: src/ of the build tree (the demo lives in sim/); else where the package put it.
    const QDir dir = QFileInfo(self).absoluteDir();
    for (const QString& place : {dir.filePath(QStringLiteral("tamsel-tiles")),
                                 dir.filePath(QStringLiteral("../src/tamsel-tiles"))}) {
        const QFileInfo candidate(place);
        if (candidate.isExecutable() && candidate.isFile()) {
            return candidate.absoluteFilePath();
        }
    }
    return QString::fromLatin1(TAMSEL_TILES_INSTALLED); // a plain string: the package test finds it
}

QByteArray TileProcess::tile(int zoom, int x, int y, bool dark) {
    if (zoom < 0 || zoom > kMaxZoom || x < 0 || y < 0 || x >= (1 << zoom) || y >= (1 << zoom)) {
        return {};
    }
    const QByteArray line = QByteArray::number(zoom) + ' ' + QByteArray::number(x) + ' ' +
                            QByteArray::number(y) + ' ' + (dark ? '1' : '0') + '\n';
    if (const QByteArray* cached = cache_.object(line)) {
        return *cached;
    }
    QByteArray png = ask(line);
    if (png.isEmpty()) {
        png = ask(line); // once more, with the program started again
    }
    if (!png.isEmpty()) {
        cache_.insert(line, new QByteArray(png), static_cast<int>(png.size()));
    }
    return png;
}

QByteArray TileProcess::ask(const QByteArray& line) {
    if (!process_ || process_->state() != QProcess::Running) {
        process_ = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process_->setProcessEnvironment(env);
        process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_->start(program_, {});
        if (!process_->waitForStarted(kTimeoutMs)) {
            process_.reset();
            return {};
        }
    }
    process_->write(line);
    // The length line, then the bytes.
    while (!process_->canReadLine()) {
        if (!process_->waitForReadyRead(kTimeoutMs)) {
            process_->kill();
            process_->waitForFinished(1000);
            process_.reset();
            return {};
        }
    }
    bool ok = false;
    const qint64 size = process_->readLine().trimmed().toLongLong(&ok);
    if (!ok || size <= 0 || size > 4 * 1024 * 1024) {
        return {};
    }
    QByteArray png;
    while (png.size() < size) {
        if (process_->bytesAvailable() == 0 && !process_->waitForReadyRead(kTimeoutMs)) {
            process_->kill();
            process_->waitForFinished(1000);
            process_.reset();
            return {};
        }
        png += process_->read(size - png.size());
    }
    return png;
}

} // namespace tamsel
