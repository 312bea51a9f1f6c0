// SPDX-License-Identifier: GPL-3.0-or-later
// RecentNames: the names used last, newest first, each once, at most a fixed number.
#include "calls/RecentNames.h"

namespace tamsel {

void RecentNames::setNames(const QStringList& names) {
    names_.clear();
    for (const QString& name : names) {
        if (!name.trimmed().isEmpty() && !names_.contains(name) && names_.size() < kLimit) {
            names_ << name;
        }
    }
}

bool RecentNames::use(const QString& name) {
    if (name.trimmed().isEmpty() || (!names_.isEmpty() && names_.first() == name)) {
        return false;
    }
    names_.removeAll(name);
    names_.prepend(name);
    while (names_.size() > kLimit) {
        names_.removeLast();
    }
    return true;
}

} // namespace tamsel
