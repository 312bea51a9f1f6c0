// SPDX-License-Identifier: GPL-3.0-or-later
// RepeaterDirectory: the repeater lists the operator imported, kept whole in a folder of
// their own, with an index that makes reading them back at start quick.
#include "repeaters/RepeaterDirectory.h"

#include "base/Folders.h"
#include "base/WholeFile.h"
#include "repeaters/RepeaterIndex.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <exception>

namespace tamsel {

namespace {

std::string readFile(const std::filesystem::path& path, bool* ok) {
    std::string data;
    *ok = readWhole(path.c_str(), data) == 0;
    return data;
}

QString errnoText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Writes `data` to `path` whole or not at all; an empty text when done, else why not.
QString writeOrWhy(const std::filesystem::path& path, std::string_view data) {
    const int error = writeWhole(path, data);
    return error == 0 ? QString() : errnoText(error);
}

bool sameLists(const std::vector<RepeaterDirectory::List>& a,
               const std::vector<RepeaterDirectory::List>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.name == y.name && x.size == y.size && x.modified == y.modified;
    });
}

} // namespace

RepeaterDirectory::RepeaterDirectory(std::filesystem::path folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)) {}

std::vector<RepeaterDirectory::List> RepeaterDirectory::listsOnDisk() const {
    std::vector<List> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(listsFolder(), ec)) {
        const std::string name = entry.path().filename().string();
        std::error_code e;
        if (name.empty() || name.front() == '.' || !entry.is_regular_file(e)) {
            continue; // a file on its way in, or not a list
        }
        List l;
        l.name = name;
        l.size = entry.file_size(e);
        l.modified = std::chrono::duration_cast<std::chrono::nanoseconds>(
                         entry.last_write_time(e).time_since_epoch())
                         .count();
        found.push_back(std::move(l));
    }
    std::sort(found.begin(), found.end(),
              [](const List& a, const List& b) { return a.name < b.name; });
    return found;
}

void RepeaterDirectory::load() {
    const std::vector<List> onDisk = listsOnDisk();
    rebuilt_ = false;
    // Start-up goes on whatever the folder holds: at worst with no repeaters.
    try {
        if (!readIndex(onDisk)) {
            rebuilt_ = true;
            rebuild(onDisk);
        }
    } catch (const std::exception&) {
        lists_.clear();
        notLists_.clear();
        repeaters_.clear();
    }
    reindex();
    emit changed();
}

bool RepeaterDirectory::readIndex(const std::vector<List>& onDisk) {
    bool ok = true;
    const std::string data = readFile(folder_ / kIndexName, &ok);
    if (!ok) {
        return onDisk.empty(); // no lists, no index: nothing to read
    }
    auto index = readRepeaterIndex(data);
    if (!index) {
        return false;
    }
    // The index serves while the folder holds the files it was made from, as they were.
    std::vector<List> seen = index->lists;
    seen.insert(seen.end(), index->notLists.begin(), index->notLists.end());
    std::sort(seen.begin(), seen.end(),
              [](const List& a, const List& b) { return a.name < b.name; });
    if (!sameLists(seen, onDisk)) {
        return false;
    }
    lists_ = std::move(index->lists);
    notLists_ = std::move(index->notLists);
    repeaters_ = std::move(index->repeaters);
    return true;
}

void RepeaterDirectory::rebuild(std::vector<List> onDisk) {
    lists_.clear();
    notLists_.clear();
    repeaters_.clear();
    for (List& l : onDisk) {
        bool ok = true;
        const std::string data = readFile(listsFolder() / l.name, &ok);
        if (!ok) {
            continue; // unreadable for now: read again at the next start
        }
        auto read = readRepeaters(data, static_cast<std::uint32_t>(lists_.size()));
        if (!read) {
            notLists_.push_back(std::move(l)); // no list: left where it is, and not read again
            continue;
        }
        l.repeaters = static_cast<std::uint32_t>(read->size());
        repeaters_.insert(repeaters_.end(), std::make_move_iterator(read->begin()),
                          std::make_move_iterator(read->end()));
        lists_.push_back(std::move(l));
    }
    writeIndex(nullptr); // when it cannot be written, the next start rebuilds it again
}

bool RepeaterDirectory::writeIndex(QString* error) const {
    const QString failed =
        writeOrWhy(folder_ / kIndexName, writeRepeaterIndex(lists_, notLists_, repeaters_));
    if (error != nullptr) {
        *error = failed;
    }
    return failed.isEmpty();
}

QString RepeaterDirectory::keep(const std::string& name, std::string_view bytes) {
    auto read = readRepeaters(bytes);
    if (!read) {
        const std::string shown = std::filesystem::path(name).filename().string();
        return tr("%1 is not a repeater list.").arg(QString::fromStdString(shown));
    }
    return keep(name, bytes, std::move(*read));
}

QString RepeaterDirectory::keep(const std::string& given, std::string_view bytes,
                                std::vector<Repeater> read) {
    const std::string name = std::filesystem::path(given).filename().string();
    const QString shown = QString::fromStdString(name);
    if (name.empty() || name == "." || name == ".." || name.front() == '.') {
        return tr("%1 is no name for a repeater list.").arg(shown);
    }
    // Lists are in the order of their names, as they are read back at start.
    const auto at =
        std::lower_bound(lists_.begin(), lists_.end(), name,
                         [](const List& l, const std::string& n) { return l.name < n; });
    const bool replaces = at != lists_.end() && at->name == name;
    const auto index = static_cast<std::uint32_t>(at - lists_.begin());
    for (Repeater& r : read) {
        r.list = index;
    }
    const std::filesystem::path path = listsFolder() / name;
    const auto cannot = [&](const QString& why) {
        //: %1: the list's file name, %2: the folder, %3: the system's reason.
        return tr("The repeater list %1 cannot be kept in %2: %3. The lists kept before are "
                  "as they were.")
            .arg(shown, QString::fromStdString(listsFolder().string()), why);
    };
    if (const std::error_code ec = makeFolders(listsFolder())) {
        return cannot(QString::fromStdString(ec.message()));
    }
    if (const QString why = writeOrWhy(path, bytes); !why.isEmpty()) {
        return cannot(why);
    }
    List kept;
    kept.name = name;
    std::error_code ec;
    kept.size = std::filesystem::file_size(path, ec);
    kept.modified = std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::filesystem::last_write_time(path, ec).time_since_epoch())
                        .count();
    kept.repeaters = static_cast<std::uint32_t>(read.size());

    // The list's repeaters where its old ones were, or where its name puts them.
    auto first = std::find_if(repeaters_.begin(), repeaters_.end(),
                              [&](const Repeater& r) { return r.list >= index; });
    auto last = replaces ? std::find_if(first, repeaters_.end(),
                                        [&](const Repeater& r) { return r.list > index; })
                         : first;
    first = repeaters_.erase(first, last);
    if (!replaces) {
        for (auto r = first; r != repeaters_.end(); ++r) {
            ++r->list;
        }
    }
    repeaters_.insert(first, std::make_move_iterator(read.begin()),
                      std::make_move_iterator(read.end()));
    if (replaces) {
        *at = std::move(kept);
    } else {
        lists_.insert(at, std::move(kept));
    }
    std::erase_if(notLists_, [&](const List& l) { return l.name == name; });
    writeIndex(nullptr); // when it cannot be written, the next start rebuilds it
    reindex();
    emit changed();
    return {};
}

QString RepeaterDirectory::remove(const std::string& name) {
    const auto at =
        std::find_if(lists_.begin(), lists_.end(), [&](const List& l) { return l.name == name; });
    if (at == lists_.end()) {
        return tr("There is no repeater list %1.").arg(QString::fromStdString(name));
    }
    std::error_code ec;
    if (!std::filesystem::remove(listsFolder() / name, ec) && ec) {
        return tr("The repeater list %1 cannot be removed: %2.")
            .arg(QString::fromStdString(name), QString::fromStdString(ec.message()));
    }
    const auto index = static_cast<std::uint32_t>(at - lists_.begin());
    lists_.erase(at);
    std::erase_if(repeaters_, [&](const Repeater& r) { return r.list == index; });
    for (Repeater& r : repeaters_) {
        r.list -= r.list > index ? 1 : 0;
    }
    writeIndex(nullptr);
    reindex();
    emit changed();
    return {};
}

RepeaterDirectory::~RepeaterDirectory() {
    if (building_.valid()) {
        building_.wait();
    }
}

void RepeaterDirectory::reindex() {
    callsignsBuilt_ = false; // made when first asked for
    nearest_.reset();
    std::vector<LatLon> points;
    std::vector<std::size_t> items;
    for (std::size_t i = 0; i < repeaters_.size(); ++i) {
        if (repeaters_[i].routable() && repeaters_[i].position) {
            points.push_back(*repeaters_[i].position);
            items.push_back(i);
        }
    }
    if (points.empty()) {
        building_ = {};
        nearest_ = std::make_shared<const NearestIndex>();
        return;
    }
    building_ = std::async(std::launch::async, [points = std::move(points),
                                                items = std::move(items)]() mutable {
                    auto index = std::make_shared<NearestIndex>();
                    index->build(points, items);
                    // The task's state outlives it (the future keeps it): its copies of
                    // the positions go now, not with the directory.
                    std::vector<LatLon>().swap(points);
                    std::vector<std::size_t>().swap(items);
                    return std::shared_ptr<const NearestIndex>(std::move(index));
                }).share();
}

namespace {
std::uint64_t packed(const std::string& field) {
    std::uint64_t k = 0;
    std::memcpy(&k, field.data(), std::min<std::size_t>(field.size(), sizeof k));
    return k;
}
} // namespace

const Repeater* RepeaterDirectory::find(const std::string& callsign) const {
    if (callsign.size() != 8) {
        return nullptr;
    }
    if (!callsignsBuilt_) {
        byCallsign_.clear();
        for (std::size_t i = 0; i < repeaters_.size(); ++i) {
            if (repeaters_[i].routable()) {
                byCallsign_.emplace_back(packed(repeaters_[i].callsign),
                                         static_cast<std::uint32_t>(i));
            }
        }
        std::sort(byCallsign_.begin(), byCallsign_.end()); // the first of a callsign first
        callsignsBuilt_ = true;
    }
    const std::uint64_t k = packed(callsign);
    const auto it = std::lower_bound(byCallsign_.begin(), byCallsign_.end(),
                                     std::pair<std::uint64_t, std::uint32_t>(k, 0));
    return it == byCallsign_.end() || it->first != k ? nullptr : &repeaters_[it->second];
}

bool RepeaterDirectory::anyPositioned() const {
    return std::any_of(repeaters_.begin(), repeaters_.end(),
                       [](const Repeater& r) { return r.routable() && r.position; });
}

std::optional<RepeaterDirectory::Nearest> RepeaterDirectory::nearest(const LatLon& from) const {
    if (nearest_ == nullptr) {
        if (!building_.valid()) {
            return std::nullopt; // never read
        }
        nearest_ = building_.get();
    }
    const auto found = nearest_->nearest(from);
    if (!found) {
        return std::nullopt;
    }
    return Nearest{&repeaters_[found->index], found->course};
}

} // namespace tamsel
