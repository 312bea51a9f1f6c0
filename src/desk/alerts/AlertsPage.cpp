// SPDX-License-Identifier: GPL-3.0-or-later
// AlertsPage: the Preferences page "Alerts": calls to me, the watch list, how often, sound.
#include "alerts/AlertsPage.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tamsel {

namespace {

std::vector<std::string> lines(const QString& text) {
    std::vector<std::string> out;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        out.push_back(line.toStdString());
    }
    return out;
}

} // namespace

std::optional<PreferencesPage::Problem> AlertsPage::validate() const {
    const QString text = problem();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return Problem{text, watch_};
}

AlertsPage::AlertsPage(QWidget* parent)
    : PreferencesPage(parent), callsToMe_(new QCheckBox(tr("Alert when a station calls &me"))),
      watch_(new QPlainTextEdit), refused_(new QLabel),
      every_(new QRadioButton(tr("On &every reception"))),
      once_(new QRadioButton(tr("Once &per station within"))), quiet_(new QSpinBox),
      sound_(new QCheckBox(tr("&Sound"))) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(callsToMe_);

    auto* watchLabel =
        new QLabel(tr("&Watch list (callsigns, or prefixes such as JA1*, one a line):"));
    watchLabel->setBuddy(watch_);
    watchLabel->setWordWrap(true);
    watch_->setAccessibleName(tr("Watch list"));
    watch_->setTabChangesFocus(true);
    watch_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(watchLabel);
    layout->addWidget(watch_, 1);
    refused_->setWordWrap(true);
    refused_->hide();
    layout->addWidget(refused_);

    quiet_->setRange(1, 24 * 60);
    quiet_->setSuffix(tr(" min"));
    quiet_->setAccessibleName(tr("Quiet time"));
    auto* how = new QHBoxLayout;
    how->addWidget(every_);
    how->addWidget(once_);
    how->addWidget(quiet_);
    how->addStretch();
    layout->addLayout(how);
    layout->addWidget(sound_);

    connect(once_, &QRadioButton::toggled, quiet_, &QSpinBox::setEnabled);
    connect(watch_, &QPlainTextEdit::textChanged, this, &AlertsPage::showRefused);
    setValues({});
}

void AlertsPage::setValues(const AlertSettings& settings) {
    callsToMe_->setChecked(settings.callsToMe);
    QStringList watch;
    for (const std::string& entry : settings.watch) {
        watch << QString::fromStdString(entry);
    }
    watch_->setPlainText(watch.join(QLatin1Char('\n')));
    every_->setChecked(settings.everyReception);
    once_->setChecked(!settings.everyReception);
    quiet_->setEnabled(!settings.everyReception);
    quiet_->setValue(static_cast<int>(settings.quietTime.count()));
    sound_->setChecked(settings.sound);
}

AlertSettings AlertsPage::values() const {
    AlertSettings s;
    s.callsToMe = callsToMe_->isChecked();
    for (std::string& line : lines(watch_->toPlainText())) {
        if (line.find_first_not_of(" \t") != std::string::npos) {
            s.watch.push_back(std::move(line));
        }
    }
    s.everyReception = every_->isChecked();
    s.quietTime = std::chrono::minutes(quiet_->value());
    s.sound = sound_->isChecked();
    return s;
}

QString AlertsPage::problem() const {
    const WatchList list(lines(watch_->toPlainText()));
    if (list.refused().empty()) {
        return {};
    }
    QStringList bad;
    for (const std::string& line : list.refused()) {
        bad << QString::fromStdString(line).trimmed();
    }
    return tr("Not a callsign or prefix in the watch list: %1").arg(bad.join(QStringLiteral(", ")));
}

void AlertsPage::showRefused() {
    const QString text = problem();
    refused_->setText(text);
    refused_->setVisible(!text.isEmpty());
}

} // namespace tamsel
