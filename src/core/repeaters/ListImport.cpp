// SPDX-License-Identifier: GPL-3.0-or-later
// ListImport: a repeater list read and parsed on a thread of its own, one list at a time.
#include "repeaters/ListImport.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <new>

namespace tamsel {

std::string_view ImportedList::bytes() const {
    return file.bytes ? std::string_view(file.bytes->data(), file.bytes->size())
                      : std::string_view();
}

ListImport::ListImport(QObject* parent) : QObject(parent) {
    connect(this, &ListImport::read, this, &ListImport::handOver, Qt::QueuedConnection);
}

void ListImport::handOver() {
    std::shared_ptr<ImportedList> list;
    {
        const std::lock_guard lock(mutex_);
        list = std::move(read_);
    }
    if (list) {
        emit finished(list);
        running_.clear(); // once every part has taken it
    }
}

ListImport::~ListImport() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool ListImport::start(const QString& path) {
    if (running()) {
        return false;
    }
    if (thread_.joinable()) {
        thread_.join(); // the last one, which has handed its list over
    }
    running_ = path;
    auto list = std::make_shared<ImportedList>();
    list->path = path;
    thread_ = std::thread([this, list, file = QFile::encodeName(path).toStdString()] {
        try {
            list->file = readWholeFile(file);
            if (list->file.bytes) {
                list->read = readRepeaterList(list->bytes());
            }
        } catch (const std::bad_alloc&) {
            list->file = {};
            list->file.error = std::strerror(ENOMEM);
            list->read = {};
        }
        {
            const std::lock_guard lock(mutex_);
            read_ = list;
        }
        emit read();
    });
    return true;
}

} // namespace tamsel
