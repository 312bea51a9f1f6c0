// SPDX-License-Identifier: GPL-3.0-or-later
// LogContact: the "Log Contact..." dialog, prefilled from a reception, appending to the ADIF log.
#pragma once

#include "log/ContactLogger.h"

#include <QDialog>
#include <functional>
#include <optional>

class QDateTimeEdit;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace tamsel {

class LogContactDialog : public QDialog {
    Q_OBJECT
public:
    // `log` appends the contact (and sends it); `now` gives the time of logging.
    using LogFunction = std::function<ContactLogger::Outcome(const Contact&)>;
    // A station's last reception as a contact (its times, route, suffix, position and
    // message), by its callsign; nothing for a station not heard.
    using StationLookup = std::function<std::optional<Contact>(const std::string& call)>;

    LogContactDialog(const Contact& prefill, LogFunction log, QWidget* parent = nullptr);

    // The contact as the fields now hold it.
    Contact contact() const;
    QString status() const;
    // Where a Call typed by hand finds that station's own reception.
    void setStationLookup(StationLookup lookup) { lookup_ = std::move(lookup); }

    // OK: checks the fields and logs the contact. On success logged() says where it went
    // and the form closes; on failure the dialog stays as it is, with the reason.
    void accept() override;

signals:
    void logged(const QString& status);

private:
    struct Problem {
        QString text;
        QWidget* field = nullptr; // where it is mended
    };
    void updateBand();
    // The Call changed by hand: the station's own reception replaces the one before, in the
    // fields the operator has not changed.
    void takeStation();
    std::optional<Problem> check() const;
    void refuse(const Problem& problem);

    Contact prefill_;
    LogFunction log_;
    StationLookup lookup_;
    QLineEdit* call_;
    QDateTimeEdit* on_;
    QDateTimeEdit* off_;
    QLineEdit* frequency_;
    QLabel* band_;
    QLineEdit* rstSent_;
    QLineEdit* rstReceived_;
    QLineEdit* locator_;
    QLineEdit* name_;
    QLineEdit* comment_;
    QLineEdit* myCall_;
    QLineEdit* myLocator_;
    QLabel* status_;
    QDialogButtonBox* buttons_;
    bool logged_ = false;
};

// Opens the dialog for `prefill` (not modal, deleted when closed), logging through `logger`.
LogContactDialog* openLogContact(QWidget* parent, const Contact& prefill, ContactLogger& logger,
                                 LogContactDialog::StationLookup lookup = {});

} // namespace tamsel
