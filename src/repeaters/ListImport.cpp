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

ListImport::ListImport(QObject* parent) : QObject(parent) {}

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
        QMetaObject::invokeMethod(
            this,
            [this, list] {
                emit finished(list);
                running_.clear(); // once every part has taken it
            },
            Qt::QueuedConnection);
    });
    return true;
}

} // namespace tamsel
