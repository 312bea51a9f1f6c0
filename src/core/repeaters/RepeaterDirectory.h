// SPDX-License-Identifier: GPL-3.0-or-later
// RepeaterDirectory: the repeater lists the operator imported, kept whole in a folder of
// their own, with an index that makes reading them back at start quick.
#pragma once

#include "repeaters/NearestIndex.h"
#include "repeaters/Repeater.h"
#include "repeaters/RepeaterIndex.h"

#include <QObject>
#include <QString>
#include <filesystem>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tamsel {

// The folder holds lists/ (each list as it was imported, under its file name) and an index
// of their repeaters. At start the index is read; when it is missing, damaged or does not
// match the lists (a list put there or removed by hand), it is rebuilt from the lists. A file
// there that is no list is noted in the index, so that it is not read again at every start.
// Importing a list of the same name replaces it. A list is written to a temporary file and
// renamed into place, so a list that cannot be kept leaves the ones kept as they were.
class RepeaterDirectory : public QObject {
    Q_OBJECT
public:
    using List = KeptList;
    struct Nearest {
        const Repeater* repeater = nullptr;
        Course course;
    };

    explicit RepeaterDirectory(std::filesystem::path folder, QObject* parent = nullptr);

    const std::filesystem::path& folder() const { return folder_; }
    // Reads the index, or the lists when it does not serve. Says changed().
    void load();
    ~RepeaterDirectory() override;
    // Whether load() had to rebuild the index from the lists.
    bool rebuilt() const { return rebuilt_; }

    // Keeps `bytes` as the list `name` (a file name; a path is cut to its last part),
    // replacing a list of that name. An empty text when kept, else why not (the lists
    // kept stay as they were). A file that is no repeater list is not kept.
    QString keep(const std::string& name, std::string_view bytes);
    // The same for a list already read (readRepeaterList()): `repeaters` are its repeaters.
    QString keep(const std::string& name, std::string_view bytes, std::vector<Repeater> repeaters);
    // Removes the list `name`; an empty text when done, else why not.
    QString remove(const std::string& name);

    const std::vector<List>& lists() const { return lists_; }
    const std::vector<Repeater>& repeaters() const { return repeaters_; }
    bool empty() const { return repeaters_.empty(); }

    // The routable repeater with this D-STAR field ("JR1YB  B"); nothing when none is known.
    const Repeater* find(const std::string& callsign) const;
    // The nearest routable repeater with a known position.
    std::optional<Nearest> nearest(const LatLon& from) const;
    // Whether any routable repeater has a position.
    bool anyPositioned() const;

    static inline const char* const kIndexName = "index";
    static inline const char* const kListsName = "lists";

signals:
    // The repeaters changed (read, a list kept or removed).
    void changed();

private:
    std::filesystem::path listsFolder() const { return folder_ / kListsName; }
    std::vector<List> listsOnDisk() const;
    bool readIndex(const std::vector<List>& onDisk);
    void rebuild(std::vector<List> onDisk);
    bool writeIndex(QString* error) const;
    void reindex();

    std::filesystem::path folder_;
    std::vector<List> lists_;
    std::vector<List> notLists_; // files beside the lists that are none
    std::vector<Repeater> repeaters_;
    // The routable repeaters by their 8 callsign bytes taken as one number, made when first
    // asked for.
    mutable std::vector<std::pair<std::uint64_t, std::uint32_t>> byCallsign_;
    mutable bool callsignsBuilt_ = false;
    // The grid for nearest(), made on a thread of its own from a copy of the positions as
    // soon as the repeaters change, so that the first "Use Nearest Repeater" does not wait.
    mutable std::shared_future<std::shared_ptr<const NearestIndex>> building_;
    mutable std::shared_ptr<const NearestIndex> nearest_;
    bool rebuilt_ = false;
};

} // namespace tamsel
