// SPDX-License-Identifier: GPL-3.0-or-later
// ListImport: a repeater list read and parsed on a thread of its own, one list at a time.
#pragma once

#include "memory/MemoryFile.h"
#include "repeaters/Repeater.h"

#include <QObject>
#include <QString>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace tamsel {

// A list as its import read it: the file's bytes (which the directory keeps) and what they
// hold, read once for the memory window and the directory alike.
struct ImportedList {
    QString path;
    FileRead file; // no bytes, and why not, when it could not be read
    RepeaterListRead read;

    std::string_view bytes() const;
};

// Reads and parses on a thread of its own, so that a large list does not stop the windows;
// the result is handed over whole (finished) on the thread that started it, and the import
// counts as running until every receiver has taken it.
class ListImport : public QObject {
    Q_OBJECT
public:
    explicit ListImport(QObject* parent = nullptr);
    ~ListImport() override; // waits for a list being read
    ListImport(const ListImport&) = delete;
    ListImport& operator=(const ListImport&) = delete;

    // Starts reading `path`; false, with nothing started, while another is running.
    bool start(const QString& path);
    bool running() const { return !running_.isEmpty(); }
    // The list being read; empty when none is.
    const QString& runningPath() const { return running_; }

signals:
    void finished(std::shared_ptr<tamsel::ImportedList> list);
    // From the reading thread, queued to this object's: the list in read_ is whole.
    void read();

private:
    void handOver();

    std::thread thread_;
    QString running_;
    std::mutex mutex_;
    std::shared_ptr<ImportedList> read_; // under mutex_
};

} // namespace tamsel
