// SPDX-License-Identifier: GPL-3.0-or-later
// AccessibleItems: the accessible interfaces of a view's items, made when a screen reader
// asks and kept for the next question, up to a limit.
#pragma once

#include <QAccessible>

#include <cstddef>
#include <functional>
#include <unordered_map>

namespace tamsel {

class AccessibleItems {
public:
    explicit AccessibleItems(std::size_t limit) : limit_(limit) {}
    ~AccessibleItems();
    AccessibleItems(const AccessibleItems&) = delete;
    AccessibleItems& operator=(const AccessibleItems&) = delete;

    // The interface of item `index`: the one kept, else a new one from `make`, registered
    // with Qt. When `limit` are kept, those `keep` no longer wants (out of view) go first.
    QAccessibleInterface* item(int index, const std::function<QAccessibleInterface*()>& make,
                               const std::function<bool(int index)>& keep);

private:
    std::size_t limit_;
    std::unordered_map<int, QAccessible::Id> items_;
};

} // namespace tamsel
