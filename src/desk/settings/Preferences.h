// SPDX-License-Identifier: GPL-3.0-or-later
// Preferences: the Preferences dialog, a page per subject with OK, Cancel and Apply.
#pragma once

#include "settings/PreferencesPage.h"
#include "settings/SettingsStore.h"
#include "widgets/Notifier.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHash>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QStackedWidget>
#include <optional>
#include <vector>

namespace tamsel {

// The console's own settings, one page per subject listed on the left. OK saves and
// closes, Apply saves and stays, Cancel (or Escape) closes and forgets the edits. Enter is
// OK from every field; Tab goes from the page list through the page's fields to the buttons. A page
// whose fields cannot be saved is shown with the problem under it and its field in focus,
// and nothing is saved. Only the keys whose values the operator changed are saved, so what
// another console or another window saved while the dialog was open stays. A file that
// cannot be written is reported; the new settings are in use all the same.
class Preferences : public QDialog {
    Q_OBJECT
public:
    Preferences(SettingsStore& store, Notifier& notifier, QWidget* parent = nullptr);

    // Adds a page after the others; the dialog owns it.
    void addPage(PreferencesPage* page);
    PreferencesPage* page(const QString& title) const;
    void showPage(PreferencesPage* page);

    // Loads every page from the store and shows the dialog, on the page shown last; the
    // first time beside `beside`, when given, sized to what the pages now show.
    void openPreferences(const QWidget* beside = nullptr);
    // Validates every page, then saves what was changed on them and commits. False when a
    // page refused.
    bool apply();

    QListWidget* pageList() const { return list_; }
    QDialogButtonBox* buttons() const { return buttons_; }
    QLabel* problem() const { return problem_; }

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keepButtonsLast();
    // A key as its page showed it when loaded, and what the file held for it then.
    struct Loaded {
        QString shown;
        std::optional<QString> held;
    };
    void loadPages();
    void saveChanges(PreferencesPage* page);

    SettingsStore& store_;
    Notifier& notifier_;
    std::vector<PreferencesPage*> pages_;
    QHash<const PreferencesPage*, QMap<QString, Loaded>> loaded_;
    QListWidget* list_;
    QStackedWidget* stack_;
    QLabel* problem_;
    QDialogButtonBox* buttons_;
};

} // namespace tamsel
