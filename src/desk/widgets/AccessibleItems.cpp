// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/AccessibleItems.h"

namespace tamsel {

AccessibleItems::~AccessibleItems() {
    for (const auto& [index, kept] : items_) {
        QAccessible::deleteAccessibleInterface(kept.id);
    }
}

void AccessibleItems::letGo(std::unordered_map<int, Kept>::iterator it) {
    byAge_.erase(it->second.age);
    items_.erase(it);
}

QAccessibleInterface* AccessibleItems::item(int index,
                                            const std::function<QAccessibleInterface*()>& make,
                                            const std::function<bool(int index)>& keep) {
    if (const auto found = items_.find(index); found != items_.end()) {
        if (QAccessibleInterface* kept = QAccessible::accessibleInterface(found->second.id)) {
            byAge_.splice(byAge_.end(), byAge_, found->second.age);
            return kept;
        }
        letGo(found); // already deleted with the rest of Qt's cache
    }
    for (int looked = 0; items_.size() >= limit_ && !byAge_.empty(); ++looked) {
        const auto oldest = items_.find(byAge_.front());
        if (looked < kLookedAt && keep(oldest->first)) {
            byAge_.splice(byAge_.end(), byAge_, oldest->second.age);
            continue;
        }
        QAccessible::deleteAccessibleInterface(oldest->second.id);
        letGo(oldest);
    }
    QAccessibleInterface* made = make();
    byAge_.push_back(index);
    items_.emplace(index, Kept{QAccessible::registerAccessibleInterface(made), --byAge_.end()});
    return made;
}

} // namespace tamsel
