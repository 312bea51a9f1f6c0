// SPDX-License-Identifier: GPL-3.0-or-later
// AprsPage: the "APRS-IS" page of Preferences.
#include "settings/AprsPage.h"

#include "aprs/AprsGate.h"
#include "aprs/AprsPacket.h"
#include "aprs/AprsSettings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace tamsel {

namespace {

QLabel* labelFor(QWidget* parent, const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

} // namespace

AprsPage::AprsPage(AprsGate& gate, std::function<QString()> myCall, QWidget* parent)
    : PreferencesPage(parent), aprs_(gate), currentCall_(std::move(myCall)),
      gate_(new QCheckBox(tr("&Gate D-PRS positions heard to APRS-IS"), this)),
      server_(namedEdit(tr("Server"))), callsign_(namedEdit(tr("Login callsign"))),
      ssid_(namedEdit(tr("SSID"))), passcode_(namedEdit(tr("Passcode"))),
      receiveOnly_(new QLabel(this)), connection_(new QLabel(this)) {
    auto* form = new QFormLayout(this);
    form->addRow(gate_);
    form->addRow(labelFor(this, tr("&Server:"), server_), server_);
    server_->setPlaceholderText(AprsSettings::kDefaultServer);

    auto* login = new QHBoxLayout;
    login->addWidget(callsign_, 1);
    login->addWidget(new QLabel(QStringLiteral("-"), this));
    login->addWidget(ssid_);

    callsign_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z0-9]{0,9}")), callsign_));
    ssid_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z0-9]{0,2}")), ssid_));
    ssid_->setPlaceholderText(QStringLiteral("10"));
    ssid_->setMaximumWidth(ssid_->fontMetrics().horizontalAdvance(QStringLiteral("MMMM")));
    form->addRow(labelFor(this, tr("&Login callsign:"), callsign_), login);

    passcode_->setEchoMode(QLineEdit::Password);
    passcode_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("-1|[0-9]{0,5}")), passcode_));
    form->addRow(labelFor(this, tr("&Passcode:"), passcode_), passcode_);
    receiveOnly_->setWordWrap(true);
    form->addRow(receiveOnly_);
    connection_->setWordWrap(true);
    connection_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    connection_->setAccessibleName(tr("Connection"));
    form->addRow(labelFor(this, tr("Connection:"), connection_), connection_);
    // Short paragraphs: a wrapped label asks for a width that grows with its text.
    for (const QString& text :
         {tr("Positions go out as the radio sent them, once per reception, with this station "
             "as the gate."),
          tr("Nothing is gated whose path says TCPIP, TCPXX, NOGATE or RFONLY, nothing that "
             "fails its check, and nothing this station sent itself."),
          tr("The passcode is kept in the settings file, which only you can read.")}) {
        auto* note = new QLabel(text, this);
        note->setWordWrap(true);
        form->addRow(note);
    }

    const auto explain = [this] {
        receiveOnly_->setText(passcode_->text().isEmpty() ||
                                      passcode_->text() == QLatin1String("-1")
                                  ? tr("Without a passcode the console connects receive-only: "
                                       "nothing is gated.")
                                  : QString());
        receiveOnly_->setVisible(!receiveOnly_->text().isEmpty());
    };
    connect(passcode_, &QLineEdit::textChanged, this, explain);
    connect(&aprs_, &AprsGate::changed, this, &AprsPage::showConnection);
    explain();
    showConnection();
}

void AprsPage::showConnection() {
    connection_->setText(aprs_.connectionText());
}

QString AprsPage::login() const {
    const QString call = callsign_->text().trimmed().toUpper();
    const QString ssid = ssid_->text().trimmed().toUpper();
    if (call.isEmpty() && ssid.isEmpty()) {
        return {};
    }
    const QString base = call.isEmpty() ? myCall_ : call;
    return ssid.isEmpty() ? base : base + QLatin1Char('-') + ssid;
}

void AprsPage::load(const SettingsStore& store) {
    // My Call may have changed (or the adapter come) since the dialog was made.
    myCall_ = currentCall_().section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty).toUpper();
    callsign_->setPlaceholderText(myCall_);
    const AprsSettings s = loadAprsSettings(store);
    gate_->setChecked(s.gate);
    server_->setText(s.server);
    callsign_->setText(s.login.section(QLatin1Char('-'), 0, 0));
    ssid_->setText(s.login.contains(QLatin1Char('-')) ? s.login.section(QLatin1Char('-'), 1)
                                                      : QString());
    passcode_->setText(s.passcode);
    showConnection();
}

std::optional<PreferencesPage::Problem> AprsPage::validate() const {
    if (!aprsServer(server_->text().trimmed())) {
        return Problem{tr("The server takes a name and a port, such as rotate.aprs2.net:14580."),
                       server_};
    }
    const QString call = login();
    if (gate_->isChecked() && call.isEmpty() && myCall_.isEmpty()) {
        return Problem{tr("Type the callsign to log in with."), callsign_};
    }
    if (!call.isEmpty() && !aprsIsCallsign(call.toLatin1().toStdString())) {
        return Problem{tr("%1 is not a callsign APRS-IS takes: letters and digits, then an SSID "
                          "of one or two letters or digits, nine characters in all.")
                           .arg(call),
                       ssid_->text().isEmpty() ? callsign_ : ssid_};
    }
    if (!aprsPasscode(passcode_->text().trimmed())) {
        return Problem{tr("The passcode is a number from 0 to 32767, or -1 for none."), passcode_};
    }
    return std::nullopt;
}

void AprsPage::save(SettingsWriter& store) {
    saveAprsSettings(store, {gate_->isChecked(), server_->text().trimmed(), login(),
                             passcode_->text().trimmed()});
}

} // namespace tamsel
