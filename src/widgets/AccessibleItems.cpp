// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/AccessibleItems.h"

namespace tamsel {

AccessibleItems::~AccessibleItems() {
    for (const auto& [index, id] : items_) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

QAccessibleInterface* AccessibleItems::item(int index,
                                            const std::function<QAccessibleInterface*()>& make,
                                            const std::function<bool(int index)>& keep) {
    if (const auto found = items_.find(index); found != items_.end()) {
        if (QAccessibleInterface* kept = QAccessible::accessibleInterface(found->second)) {
            return kept;
        }
        items_.erase(found); // already deleted with the rest of Qt's cache
    }
    if (items_.size() >= limit_) {
        for (auto it = items_.begin(); it != items_.end();) {
            if (keep(it->first)) {
                ++it;
            } else {
                QAccessible::deleteAccessibleInterface(it->second);
                it = items_.erase(it);
            }
        }
    }
    QAccessibleInterface* made = make();
    items_.emplace(index, QAccessible::registerAccessibleInterface(made));
    return made;
}

} // namespace tamsel
