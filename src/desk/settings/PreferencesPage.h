// SPDX-License-Identifier: GPL-3.0-or-later
// PreferencesPage: what a page of the Preferences dialog does, whichever subject it is on.
#pragma once

#include "settings/SettingsStore.h"

#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>

namespace tamsel {

// One subject's page ("Station", "Log", ...). The dialog loads every page when it opens,
// and on OK or Apply validates every page before it saves any, so that nothing is saved
// half. A page reads and writes only its own keys, and only through the store.
class PreferencesPage : public QWidget {
public:
    using QWidget::QWidget;

    // Why the page's fields cannot be saved, and the field to put right.
    struct Problem {
        QString text;
        QPointer<QWidget> field;
    };

    // The page's name in the dialog's list.
    virtual QString title() const = 0;
    // Shows what the store holds (the default where it holds nothing usable).
    virtual void load(const SettingsStore& store) = 0;
    // Nothing when the fields can be saved.
    virtual std::optional<Problem> validate() const = 0;
    // Writes every key of the page as its fields stand. The dialog has it written to a record
    // as well as to the store, to tell which keys the operator changed; called for the store
    // only after every page validated.
    virtual void save(SettingsWriter& store) = 0;

protected:
    // A line edit of the page, named for screen readers (its label names it on screen).
    QLineEdit* namedEdit(const QString& name) {
        auto* edit = new QLineEdit(this);
        edit->setAccessibleName(name);
        return edit;
    }
};

} // namespace tamsel
