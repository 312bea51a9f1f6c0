// SPDX-License-Identifier: GPL-3.0-or-later
// AprsPage: the "APRS-IS" page of Preferences: the D-PRS positions heard gated to APRS-IS,
// off by default; the server, the login with its SSID, the passcode, and how the connection
// stands.
#pragma once

#include "settings/PreferencesPage.h"

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace tamsel {

class AprsGate;

class AprsPage : public PreferencesPage {
    Q_OBJECT
public:
    // `myCall`: the adapter's callsign as it is now, the login when the settings name none.
    AprsPage(AprsGate& gate, std::function<QString()> myCall, QWidget* parent = nullptr);

    QString title() const override { return tr("APRS-IS"); }
    void load(const SettingsStore& store) override;
    std::optional<Problem> validate() const override;
    void save(SettingsWriter& store) override;

    QCheckBox* gate() const { return gate_; }
    QLineEdit* server() const { return server_; }
    QLineEdit* callsign() const { return callsign_; }
    QLineEdit* ssid() const { return ssid_; }
    QLineEdit* passcode() const { return passcode_; }
    QLabel* connection() const { return connection_; }

private:
    void showConnection();
    QString login() const;

    AprsGate& aprs_;
    std::function<QString()> currentCall_;
    QString myCall_; // as it was when the page was last loaded
    QCheckBox* gate_;
    QLineEdit* server_;
    QLineEdit* callsign_;
    QLineEdit* ssid_;
    QLineEdit* passcode_;
    QLabel* receiveOnly_;
    QLabel* connection_;
};

} // namespace tamsel
