// SPDX-License-Identifier: GPL-3.0-or-later
// Preferences: the Preferences dialog, a page per subject with OK, Cancel and Apply.
#pragma once

#include "settings/PreferencesPage.h"
#include "settings/SettingsStore.h"
#include "widgets/Notifier.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QStackedWidget>
#include <vector>

namespace tamsel {

// The console's own settings, one page per subject listed on the left. OK saves and
// closes, Apply saves and stays, Cancel (or Escape) closes and forgets the edits. A page
// whose fields cannot be saved is shown with the problem under it and its field in focus,
// and nothing is saved. A file that cannot be written is reported; the new settings are
// in use all the same.
class Preferences : public QDialog {
    Q_OBJECT
public:
    Preferences(SettingsStore& store, Notifier& notifier, QWidget* parent = nullptr);

    // Adds a page after the others; the dialog owns it.
    void addPage(PreferencesPage* page);
    PreferencesPage* page(const QString& title) const;
    void showPage(PreferencesPage* page);

    // Loads every page from the store and shows the dialog, on the page shown last.
    void openPreferences();
    // Validates every page, then saves every page and commits. False when a page refused.
    bool apply();

    QListWidget* pageList() const { return list_; }
    QDialogButtonBox* buttons() const { return buttons_; }
    QLabel* problem() const { return problem_; }

public slots:
    void accept() override;

private:
    SettingsStore& store_;
    Notifier& notifier_;
    std::vector<PreferencesPage*> pages_;
    QListWidget* list_;
    QStackedWidget* stack_;
    QLabel* problem_;
    QDialogButtonBox* buttons_;
};

} // namespace tamsel
