// SPDX-License-Identifier: GPL-3.0-or-later
// RemotePage: the "Remote" page of Preferences.
#include "settings/RemotePage.h"

#include "settings/PasswordStore.h"
#include "settings/WebSettings.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace tamsel {

namespace {

void addRow(QFormLayout* form, const QString& label, QLineEdit* edit) {
    auto* l = new QLabel(label, form->parentWidget());
    l->setBuddy(edit);
    form->addRow(l, edit);
}

} // namespace

RemotePage::RemotePage(QWidget* parent)
    : PreferencesPage(parent),
      enabled_(new QCheckBox(tr("&Serve the station's page to browsers"), this)),
      listen_(namedEdit(tr("Listen on"))), password_(namedEdit(tr("New password"))),
      again_(namedEdit(tr("New password again"))), certificate_(namedEdit(tr("Certificate"))),
      key_(namedEdit(tr("Private key"))), passwordState_(new QLabel(this)) {
    auto* form = new QFormLayout(this);
    form->addRow(enabled_);
    addRow(form, tr("&Listen on:"), listen_);
    listen_->setPlaceholderText(QStringLiteral("127.0.0.1:8073"));
    passwordState_->setWordWrap(true);
    form->addRow(passwordState_);
    password_->setEchoMode(QLineEdit::Password);
    again_->setEchoMode(QLineEdit::Password);
    addRow(form, tr("New &password:"), password_);
    addRow(form, tr("A&gain:"), again_);
    addRow(form, tr("Cer&tificate (PEM):"), certificate_);
    addRow(form, tr("Private &key (PEM):"), key_);
    auto* note = new QLabel(
        tr("Without a password the page is served on this computer only (127.0.0.1). With one, "
           "another address such as 0.0.0.0:8073 lets a phone or laptop on your network use it. "
           "With a certificate and its key the page is served over HTTPS."),
        this);
    note->setWordWrap(true);
    form->addRow(note);
}

bool RemotePage::passwordKept() const {
    return !passwordFile_.isEmpty() && PasswordStore(passwordFile_).isSet();
}

void RemotePage::load(const SettingsStore& store) {
    const WebSettings s = loadWebSettings(store);
    passwordFile_ = PasswordStore::fileBeside(store.path());
    enabled_->setChecked(s.enabled);
    listen_->setText(s.listen);
    certificate_->setText(s.tlsCertificate);
    key_->setText(s.tlsKey);
    password_->clear();
    again_->clear();
    passwordState_->setText(passwordKept() ? tr("A password is set; type a new one to change it.")
                                           : tr("No password is set."));
}

std::optional<PreferencesPage::Problem> RemotePage::validate() const {
    const auto where = listenAddress(listen_->text().trimmed());
    if (!where) {
        return Problem{tr("Listen on takes an address and a port, such as 127.0.0.1:8073 or "
                          "0.0.0.0:8073."),
                       listen_};
    }
    if (!password_->text().isEmpty() || !again_->text().isEmpty()) {
        if (password_->text().size() < PasswordStore::kMinLength) {
            return Problem{
                tr("The password needs at least %1 characters.").arg(PasswordStore::kMinLength),
                password_};
        }
        if (password_->text() != again_->text()) {
            return Problem{tr("The two passwords differ."), again_};
        }
    } else if (enabled_->isChecked() && !where->first.isLoopback() && !passwordKept()) {
        return Problem{tr("Set a password first: without one the page is served on this "
                          "computer only."),
                       password_};
    }
    const QString cert = certificate_->text().trimmed();
    const QString key = key_->text().trimmed();
    if (cert.isEmpty() != key.isEmpty()) {
        return Problem{tr("HTTPS needs both the certificate and its private key."),
                       cert.isEmpty() ? certificate_ : key_};
    }
    for (QLineEdit* file : {certificate_, key_}) {
        const QString path = file->text().trimmed();
        if (!path.isEmpty() && !QFileInfo(path).isReadable()) {
            return Problem{tr("%1 cannot be read.").arg(path), file};
        }
    }
    return std::nullopt;
}

void RemotePage::save(SettingsWriter& store) {
    saveWebSettings(store, {enabled_->isChecked(), listen_->text().trimmed(),
                            certificate_->text().trimmed(), key_->text().trimmed()});
    if (!password_->text().isEmpty() && !passwordFile_.isEmpty() &&
        PasswordStore(passwordFile_).set(password_->text()).isEmpty()) {
        password_->clear();
        again_->clear();
        passwordState_->setText(tr("A password is set; type a new one to change it."));
    }
}

} // namespace tamsel
