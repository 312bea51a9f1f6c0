// SPDX-License-Identifier: GPL-3.0-or-later
// LogContact: the "Log Contact..." dialog, prefilled from a reception, appending to the ADIF log.
#include "log/LogContact.h"

#include "language/Numbers.h"
#include "widgets/Alert.h"
#include "widgets/Foreground.h"

#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimeZone>

namespace tamsel {

namespace {

// One Tab stop for the whole date and time: Tab leaves the field instead of walking its
// six sections (the arrow keys and the mouse still choose a section).
class OneStopDateTimeEdit : public QDateTimeEdit {
public:
    using QDateTimeEdit::QDateTimeEdit;

protected:
    // QDateTimeEdit's own answer is what walks the sections: skipped on purpose.
    bool focusNextPrevChild(bool next) override {
        return QWidget::focusNextPrevChild(next); // NOLINT(bugprone-parent-virtual-call)
    }
};

QDateTime utcDateTime(UtcTime t) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch());
    return QDateTime::fromMSecsSinceEpoch(ms.count(), Qt::UTC);
}

QDateTimeEdit* utcEdit(UtcTime t) {
    auto* edit = new OneStopDateTimeEdit;
    // UTC first: set on an edit in local time, the instant is read as local and, in the
    // hour that comes twice in autumn, can come out an hour off.
    edit->setTimeSpec(Qt::UTC);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss 'UTC'"));
    edit->setDateTime(utcDateTime(t));
    return edit;
}

// Whether the edit still shows `t`, to the second it shows.
bool shows(const QDateTimeEdit* edit, UtcTime t) {
    return edit->dateTime().toSecsSinceEpoch() == utcDateTime(t).toSecsSinceEpoch();
}

UtcTime utcOf(const QDateTimeEdit* edit) {
    return UtcTime(std::chrono::milliseconds(edit->dateTime().toMSecsSinceEpoch()));
}

QLineEdit* textEdit(const std::string& utf8) {
    return new QLineEdit(QString::fromStdString(utf8));
}

std::string utf8(const QLineEdit* edit) {
    return edit->text().trimmed().toStdString();
}

// MHz as the field shows them, to the Hz ("439,15" in German).
QString megahertz(double mhz) {
    return shownNumber(mhz, 0, 6);
}

} // namespace

LogContactDialog::LogContactDialog(const Contact& prefill, LogFunction log, QWidget* parent)
    : QDialog(parent), prefill_(prefill), log_(std::move(log)), call_(textEdit(prefill.call)),
      on_(utcEdit(prefill.on)), off_(utcEdit(prefill.off)), frequency_(new QLineEdit),
      band_(new QLabel), rstSent_(textEdit(prefill.rstSent)),
      rstReceived_(textEdit(prefill.rstReceived)), locator_(textEdit(prefill.gridsquare)),
      name_(textEdit(prefill.name)), comment_(textEdit(prefill.comment)),
      myCall_(textEdit(prefill.stationCallsign)), myLocator_(textEdit(prefill.myGridsquare)),
      status_(new QLabel),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)) {
    setWindowTitle(tr("Log Contact"));
    if (prefill.frequencyMHz) {
        frequency_->setText(megahertz(*prefill.frequencyMHz));
    }
    //: %1 is a frequency as this language writes it: 145.375
    frequency_->setPlaceholderText(tr("MHz, e.g. %1").arg(megahertz(145.375)));
    // Anything may be typed: what is not a frequency is refused with the reason, not dropped.
    frequency_->setMaxLength(24);
    const auto upper = [](QLineEdit* e) {
        QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString& t) {
            const int at = e->cursorPosition();
            e->setText(t.toUpper());
            e->setCursorPosition(at);
        });
    };
    for (QLineEdit* e : {call_, myCall_}) {
        upper(e);
    }
    auto* mode = new QLabel(tr("D-STAR (DIGITALVOICE / DSTAR)"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* form = new QFormLayout;
    // Each field with an access key (Alt+letter), one letter each.
    const std::pair<QString, QWidget*> rows[] = {
        {tr("&Call:"), call_},
        {tr("O&n (UTC):"), on_},
        {tr("&Off (UTC):"), off_},
        {tr("&Frequency (MHz):"), frequency_},
        {tr("Band:"), band_},
        {tr("Mode:"), mode},
        {tr("RST &sent:"), rstSent_},
        {tr("RST &received:"), rstReceived_},
        {tr("&Their locator:"), locator_},
        {tr("N&ame:"), name_},
        {tr("Co&mment:"), comment_},
        {tr("M&y Call:"), myCall_},
        {tr("My &locator:"), myLocator_},
    };
    for (const auto& [label, widget] : rows) {
        form->addRow(label, widget); // a label with an access key gets its field as buddy
        QString name = label;
        widget->setAccessibleName(name.remove(QLatin1Char(':')).remove(QLatin1Char('&')));
    }
    status_->setAccessibleName(tr("Log status"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(status_);
    layout->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &LogContactDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &LogContactDialog::reject);
    connect(frequency_, &QLineEdit::textChanged, this, &LogContactDialog::updateBand);
    connect(call_, &QLineEdit::textEdited, this, &LogContactDialog::takeStation);
    updateBand();
    setMinimumWidth(420);
}

void LogContactDialog::updateBand() {
    const auto mhz = typedNumber(frequency_->text());
    const std::string band = mhz ? adifBand(*mhz) : std::string();
    band_->setText(band.empty() ? tr("(none)") : QString::fromStdString(band));
}

void LogContactDialog::takeStation() {
    const std::string call = utf8(call_);
    std::optional<Contact> heard = lookup_ && !call.empty() ? lookup_(call) : std::nullopt;
    Contact next = heard.value_or(Contact{});
    if (!heard) {
        // Nobody heard by that call: an empty form's times, none of another station's.
        next.on = next.off = std::chrono::system_clock::now();
    }
    next.call = call;
    // What the operator gives, not the station's.
    next.frequencyMHz = prefill_.frequencyMHz;
    next.rstSent = prefill_.rstSent;
    next.rstReceived = prefill_.rstReceived;
    next.name = prefill_.name;
    next.stationCallsign = prefill_.stationCallsign;
    next.myGridsquare = prefill_.myGridsquare;
    next.swl = prefill_.swl;
    // A field changed by hand keeps what was typed.
    if (shows(on_, prefill_.on)) {
        on_->setDateTime(utcDateTime(next.on));
    }
    if (shows(off_, prefill_.off)) {
        off_->setDateTime(utcDateTime(next.off));
    }
    if (utf8(locator_) == prefill_.gridsquare) {
        locator_->setText(QString::fromStdString(next.gridsquare));
    }
    if (utf8(comment_) == prefill_.comment) {
        comment_->setText(QString::fromStdString(next.comment));
    }
    prefill_ = std::move(next);
}

Contact LogContactDialog::contact() const {
    Contact c = prefill_; // keeps the routing and position the fields do not show
    c.call = utf8(call_);
    c.on = utcOf(on_);
    c.off = utcOf(off_);
    c.frequencyMHz = typedNumber(frequency_->text());
    c.rstSent = utf8(rstSent_);
    c.rstReceived = utf8(rstReceived_);
    if (utf8(locator_) != prefill_.gridsquare) {
        c.latitude.reset(); // the position was for the locator the operator replaced
        c.longitude.reset();
    }
    c.gridsquare = utf8(locator_);
    c.name = utf8(name_);
    c.comment = utf8(comment_);
    c.stationCallsign = utf8(myCall_);
    c.myGridsquare = utf8(myLocator_);
    return c;
}

QString LogContactDialog::status() const {
    return status_->text();
}

std::optional<LogContactDialog::Problem> LogContactDialog::check() const {
    if (call_->text().trimmed().isEmpty()) {
        return Problem{tr("Enter the callsign of the station worked."), call_};
    }
    if (off_->dateTime() < on_->dateTime()) {
        return Problem{tr("The contact ends before it starts: check the times."), off_};
    }
    // A logger takes a contact only with its band or frequency (ADIF's least record).
    if (frequency_->text().trimmed().isEmpty()) {
        return Problem{
            tr("Enter the frequency in MHz: a logging program takes no contact without it."),
            frequency_};
    }
    const auto mhz = typedNumber(frequency_->text());
    if (!mhz) {
        //: %1 is a frequency as this language writes it: 145.375
        return Problem{
            tr("The frequency is not a number of MHz such as %1.").arg(megahertz(145.375)),
            frequency_};
    }
    if (adifBand(*mhz).empty()) {
        //: %1 is the frequency typed, %2 and %3 frequencies as this language writes them
        return Problem{tr("%1 MHz is in no amateur band: a logging program would not know its "
                          "band. Check the frequency, such as %2 on 2 m or %3 on 70 cm.")
                           .arg(megahertz(*mhz), megahertz(145.375), megahertz(439.15)),
                       frequency_};
    }
    if (!locator_->text().trimmed().isEmpty() && !adifGridsquare(utf8(locator_))) {
        return Problem{tr("Their locator needs 2, 4, 6 or 8 characters, such as JN58 or JN58td."),
                       locator_};
    }
    if (!myLocator_->text().trimmed().isEmpty() && !adifGridsquare(utf8(myLocator_))) {
        return Problem{tr("My locator needs 2, 4, 6 or 8 characters, such as JN58 or JN58td."),
                       myLocator_};
    }
    return std::nullopt;
}

void LogContactDialog::refuse(const Problem& problem) {
    status_->setText(problem.text);
    status_->setAccessibleDescription(problem.text); // read with its name, "Log status"
    if (problem.field != nullptr) {
        // The keyboard goes where the mend is, and the field says why when it is read.
        problem.field->setAccessibleDescription(problem.text);
        problem.field->setFocus();
    }
    raiseAlert(status_);
}

void LogContactDialog::accept() {
    if (logged_) {
        return;
    }
    for (QWidget* field : {static_cast<QWidget*>(call_), static_cast<QWidget*>(off_),
                           static_cast<QWidget*>(frequency_), static_cast<QWidget*>(locator_),
                           static_cast<QWidget*>(myLocator_)}) {
        field->setAccessibleDescription(QString()); // the last refusal's reason is gone
    }
    status_->setAccessibleDescription(QString());
    if (const auto problem = check()) {
        refuse(*problem);
        return;
    }
    const ContactLogger::Outcome outcome = log_(contact());
    if (!outcome.error.isEmpty()) {
        refuse({tr("Not logged: %1").arg(outcome.error), nullptr});
        return;
    }
    logged_ = true;
    status_->setText(outcome.status);
    emit logged(outcome.status); // told where the operator still looks: the form closes
    QDialog::accept();
}

LogContactDialog* openLogContact(QWidget* parent, const Contact& prefill, ContactLogger& logger,
                                 LogContactDialog::StationLookup lookup) {
    auto* dialog = new LogContactDialog(
        prefill,
        [&logger](const Contact& c) { return logger.log(c, std::chrono::system_clock::now()); },
        parent);
    dialog->setStationLookup(std::move(lookup));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (parent != nullptr) {
        placeBeside(dialog, parent->window());
    }
    dialog->show();
    return dialog;
}

} // namespace tamsel
