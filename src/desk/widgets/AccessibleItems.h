// SPDX-License-Identifier: GPL-3.0-or-later
// AccessibleItems: the accessible interfaces of a view's items, made when a screen reader
// asks and kept for the next question, up to a limit.
#pragma once

#include <QAccessible>

#include <cstddef>
#include <functional>
#include <list>
#include <unordered_map>

namespace tamsel {

class AccessibleItems {
public:
    // How many of the oldest a new item looks at for one to let go (the rest `keep` wants).
    static constexpr int kLookedAt = 4;

    explicit AccessibleItems(std::size_t limit) : limit_(limit) {}
    ~AccessibleItems();
    AccessibleItems(const AccessibleItems&) = delete;
    AccessibleItems& operator=(const AccessibleItems&) = delete;

    // The interface of item `index`: the one kept, else a new one from `make`, registered
    // with Qt. At most `limit` are kept: a new one lets the one asked for longest ago go,
    // unless `keep` still wants it (the selected item), which then counts as asked for now.
    // Each question costs the same however many items there are, so a screen reader's walk
    // over every item is linear.
    QAccessibleInterface* item(int index, const std::function<QAccessibleInterface*()>& make,
                               const std::function<bool(int index)>& keep);
    std::size_t kept() const { return items_.size(); }

private:
    struct Kept {
        QAccessible::Id id;
        std::list<int>::iterator age;
    };
    void letGo(std::unordered_map<int, Kept>::iterator it);

    std::size_t limit_;
    std::unordered_map<int, Kept> items_;
    std::list<int> byAge_; // the oldest question first
};

} // namespace tamsel
