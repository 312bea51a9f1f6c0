// SPDX-License-Identifier: GPL-3.0-or-later
// LogContact: the "Log Contact..." dialog, prefilled from a reception, appending to the ADIF log.
#include "log/LogContact.h"

#include "widgets/Foreground.h"

#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
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

QDateTimeEdit* utcEdit(UtcTime t) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch());
    auto* edit = new OneStopDateTimeEdit;
    // UTC first: set on an edit in local time, the instant is read as local and, in the
    // hour that comes twice in autumn, can come out an hour off.
    edit->setTimeSpec(Qt::UTC);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss 'UTC'"));
    edit->setDateTime(QDateTime::fromMSecsSinceEpoch(ms.count(), Qt::UTC));
    return edit;
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

std::optional<double> frequencyOf(const QString& text) {
    bool ok = false;
    const double mhz = text.trimmed().toDouble(&ok);
    return ok && mhz > 0 ? std::optional<double>(mhz) : std::nullopt;
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
        frequency_->setText(QString::number(*prefill.frequencyMHz, 'f', 6)
                                .remove(QRegularExpression(QStringLiteral("\\.?0+$"))));
    }
    frequency_->setPlaceholderText(tr("MHz, e.g. 145.375"));
    frequency_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,6}([.][0-9]{0,6})?")), frequency_));
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
    updateBand();
    setMinimumWidth(420);
}

void LogContactDialog::updateBand() {
    const auto mhz = frequencyOf(frequency_->text());
    const std::string band = mhz ? adifBand(*mhz) : std::string();
    band_->setText(band.empty() ? tr("(none)") : QString::fromStdString(band));
}

Contact LogContactDialog::contact() const {
    Contact c = prefill_; // keeps the routing and position the fields do not show
    c.call = utf8(call_);
    c.on = utcOf(on_);
    c.off = utcOf(off_);
    c.frequencyMHz = frequencyOf(frequency_->text());
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

QString LogContactDialog::check() const {
    if (call_->text().trimmed().isEmpty()) {
        return tr("Enter the callsign of the station worked.");
    }
    if (off_->dateTime() < on_->dateTime()) {
        return tr("The contact ends before it starts: check the times.");
    }
    // A logger takes a contact only with its band or frequency (ADIF's least record).
    if (frequency_->text().trimmed().isEmpty()) {
        return tr("Enter the frequency in MHz: a logging program takes no contact without it.");
    }
    if (!frequencyOf(frequency_->text())) {
        return tr("The frequency is not a number of MHz.");
    }
    if (!locator_->text().trimmed().isEmpty() && !adifGridsquare(utf8(locator_))) {
        return tr("Their locator needs 2, 4, 6 or 8 characters, such as JN58 or JN58td.");
    }
    if (!myLocator_->text().trimmed().isEmpty() && !adifGridsquare(utf8(myLocator_))) {
        return tr("My locator needs 2, 4, 6 or 8 characters, such as JN58 or JN58td.");
    }
    return {};
}

void LogContactDialog::accept() {
    if (logged_) {
        return;
    }
    if (const QString problem = check(); !problem.isEmpty()) {
        status_->setText(problem);
        return;
    }
    const ContactLogger::Outcome outcome = log_(contact());
    if (!outcome.error.isEmpty()) {
        status_->setText(tr("Not logged: %1").arg(outcome.error));
        return;
    }
    logged_ = true;
    status_->setText(outcome.status);
    emit logged(outcome.status); // told where the operator still looks: the form closes
    QDialog::accept();
}

LogContactDialog* openLogContact(QWidget* parent, const Contact& prefill, ContactLogger& logger) {
    auto* dialog = new LogContactDialog(
        prefill,
        [&logger](const Contact& c) { return logger.log(c, std::chrono::system_clock::now()); },
        parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (parent != nullptr) {
        placeBeside(dialog, parent->window());
    }
    dialog->show();
    return dialog;
}

} // namespace tamsel
