// SPDX-License-Identifier: GPL-3.0-or-later
// RecentNames: the names used last, newest first, each once, at most a fixed number.
#pragma once

#include <QStringList>

namespace tamsel {

class RecentNames {
public:
    static constexpr int kLimit = 10;

    const QStringList& names() const { return names_; }
    // Takes a kept list: blanks and repeats dropped, the first kLimit kept.
    void setNames(const QStringList& names);
    // Puts `name` first; true when that changed the list.
    bool use(const QString& name);

private:
    QStringList names_;
};

} // namespace tamsel
