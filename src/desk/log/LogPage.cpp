// SPDX-License-Identifier: GPL-3.0-or-later
// LogPage: the "Log" page of Preferences: reception log, retention, ADIF file, logging program.
#include "log/LogPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHostAddress>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace tamsel {

std::optional<PreferencesPage::Problem> LogPage::validate() const {
    const QString text = problem();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const bool aboutTheFile =
        values().sender == LogSettings::Sender::Off || !QHostAddress(values().host).isNull();
    return Problem{text,
                   aboutTheFile ? static_cast<QWidget*>(adifFile_) : static_cast<QWidget*>(host_)};
}

LogPage::LogPage(QWidget* parent)
    : PreferencesPage(parent), receptionLog_(new QCheckBox(tr("Keep a log of every reception"))),
      retention_(new QSpinBox), adifFile_(new QLineEdit), sender_(new QComboBox),
      host_(new QLineEdit), port_(new QSpinBox) {
    retention_->setRange(1, 3650);
    retention_->setSuffix(tr(" days"));
    adifFile_->setPlaceholderText(LogSettings().adifPath());
    sender_->addItems({tr("Off"), tr("WSJT-X message (KLog, CQRLOG, Log4OM, GridTracker)"),
                       tr("ADIF text (QLog)")});
    // As wide as a short item, not the longest: the long one would widen the whole dialog
    // past a small screen at a large font. Its list still shows every item whole.
    sender_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    sender_->setMinimumContentsLength(20);
    port_->setRange(1, 65535);

    auto* browse = new QPushButton(tr("Browse..."));
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(
            this, tr("ADIF log file"), values().adifPath(), tr("ADIF files (*.adi);;All files (*)"),
            nullptr, QFileDialog::DontConfirmOverwrite);
        if (!path.isEmpty()) {
            adifFile_->setText(path);
        }
    });
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(adifFile_, 1);
    fileRow->addWidget(browse);

    auto* form = new QFormLayout(this);
    form->addRow(receptionLog_);
    form->addRow(tr("Keep receptions for:"), retention_);
    form->addRow(tr("ADIF log file:"), fileRow);
    form->addRow(tr("Send to a logging program:"), sender_);
    form->addRow(tr("Address:"), host_);
    form->addRow(tr("Port:"), port_);

    receptionLog_->setAccessibleName(receptionLog_->text());
    retention_->setAccessibleName(tr("Keep receptions for"));
    adifFile_->setAccessibleName(tr("ADIF log file"));
    browse->setAccessibleName(tr("Browse for the ADIF log file"));
    sender_->setAccessibleName(tr("Send to a logging program"));
    host_->setAccessibleName(tr("Logging program address"));
    port_->setAccessibleName(tr("Logging program port"));

    connect(receptionLog_, &QCheckBox::toggled, retention_, &QWidget::setEnabled);
    connect(sender_, &QComboBox::currentIndexChanged, this, &LogPage::senderChanged);
    setValues(LogSettings());
}

void LogPage::senderChanged(int index) {
    const auto sender = static_cast<LogSettings::Sender>(index);
    host_->setEnabled(sender != LogSettings::Sender::Off);
    port_->setEnabled(sender != LogSettings::Sender::Off);
    // Switching kinds moves a port left at one kind's default to the other's.
    if (sender != LogSettings::Sender::Off &&
        (port_->value() == LogSettings::kWsjtxPort || port_->value() == LogSettings::kAdifPort)) {
        port_->setValue(defaultPort(sender));
    }
}

void LogPage::setValues(const LogSettings& s) {
    receptionLog_->setChecked(s.receptionLog);
    retention_->setEnabled(s.receptionLog);
    retention_->setValue(s.retentionDays);
    adifFile_->setText(s.adifFile);
    host_->setText(s.host);
    port_->setValue(s.port);
    sender_->setCurrentIndex(static_cast<int>(s.sender));
    senderChanged(sender_->currentIndex());
    port_->setValue(s.port);
    lastFrequency_ = s.lastFrequencyMHz;
}

LogSettings LogPage::values() const {
    LogSettings s;
    s.receptionLog = receptionLog_->isChecked();
    s.retentionDays = retention_->value();
    s.adifFile = adifFile_->text().trimmed();
    s.sender = static_cast<LogSettings::Sender>(sender_->currentIndex());
    s.host = host_->text().trimmed();
    s.port = static_cast<quint16>(port_->value());
    s.lastFrequencyMHz = lastFrequency_;
    return s;
}

QString LogPage::problem() const {
    const LogSettings s = values();
    if (s.sender != LogSettings::Sender::Off && QHostAddress(s.host).isNull()) {
        return tr("The logging program's address must be an IP address, such as 127.0.0.1.");
    }
    if (s.adifFile.startsWith(QLatin1Char('~')) && !s.adifFile.startsWith(QLatin1String("~/"))) {
        return tr("Write the ADIF log file as a full path, as ~/log.adi, or as a name alone "
                  "(kept in the data folder).");
    }
    if (!s.adifFile.isEmpty() && QFileInfo(s.adifPath()).isDir()) {
        return tr("The ADIF log file is a folder: choose a file.");
    }
    return {};
}

} // namespace tamsel
