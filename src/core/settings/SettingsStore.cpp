// SPDX-License-Identifier: GPL-3.0-or-later
// SettingsStore: the console's own settings, one INI file under the XDG config folder.
#include "settings/SettingsStore.h"

#include "base/Folders.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QtDebug>

namespace tamsel {
namespace {

// What the file holds for `key` as text; nothing when the key is absent. A value with a
// comma reads back as a list (INI's way), which is joined again.
std::optional<QString> stored(const QSettings& settings, const QString& key) {
    const QVariant v = settings.value(key);
    if (!v.isValid()) {
        return std::nullopt;
    }
    if (v.typeId() == QMetaType::QStringList) {
        return v.toStringList().join(QStringLiteral(", "));
    }
    return v.toString().trimmed();
}

} // namespace

QString SettingsStore::defaultPath() {
    // Honours XDG_CONFIG_HOME, falling back to ~/.config as the XDG rules say.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + QString::fromStdString(folderName()) + QStringLiteral("/tamsel.conf");
}

SettingsStore::SettingsStore(const QString& path, QObject* parent) : QObject(parent), path_(path) {
    open();
}

SettingsStore::~SettingsStore() = default;

void SettingsStore::open() {
    // QSettings takes a file it cannot read for an empty one, and skips the lines it cannot
    // parse; either way its next write would lose what the file held. So the file is
    // checked here first.
    if (QFileInfo::exists(path_)) {
        QFile file(path_);
        if (!file.open(QIODevice::ReadOnly)) {
            if (!moveAside(Fault::Unreadable)) {
                return;
            }
        } else if (!parsesAsIni(file.readAll()) && !moveAside(Fault::Unparsable)) {
            return;
        } else {
            ownersOnly(); // one made readable to others by hand holds a passcode all the same
        }
    }
    settings_ = std::make_unique<QSettings>(path_, QSettings::IniFormat);
    if (settings_->status() != QSettings::NoError) {
        settings_.reset();
        moveAside(Fault::Unparsable);
        if (!settings_) {
            settings_ = std::make_unique<QSettings>(path_, QSettings::IniFormat);
        }
    }
}

void SettingsStore::ownersOnly() const {
    // The file may hold a passcode (APRS-IS): yours to read, nobody else's.
    QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

bool SettingsStore::parsesAsIni(const QByteArray& content) {
    if (content.contains('\0')) {
        return false;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(content);
    if (utf8.hasError()) {
        return false;
    }
    // Every line is blank, a comment (;), a [group] or a key=value.
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) {
            continue;
        }
        const bool group = line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'));
        if (!group && !line.contains(QLatin1Char('='))) {
            return false;
        }
    }
    return true;
}

bool SettingsStore::moveAside(Fault fault) {
    QString aside = path_ + QStringLiteral(".bad");
    // An earlier broken file already kept aside is kept too.
    for (int n = 1; QFileInfo::exists(aside); ++n) {
        aside = path_ + QStringLiteral(".bad.%1").arg(n);
    }
    if (QFile::rename(path_, aside)) {
        startWarning_ = (fault == Fault::Unreadable
                             ? tr("The settings file %1 could not be read; it was moved aside to "
                                  "%2 and the defaults are in use.")
                             : tr("The settings file %1 could not be parsed; it was moved aside "
                                  "to %2 and the defaults are in use."))
                            .arg(path_, aside);
        qWarning().noquote() << startWarning_;
        return true;
    }
    startWarning_ = (fault == Fault::Unreadable
                         ? tr("The settings file %1 could not be read and could not be moved "
                              "aside; the defaults are in use and no settings will be saved.")
                         : tr("The settings file %1 could not be parsed and could not be moved "
                              "aside; the defaults are in use and no settings will be saved."))
                        .arg(path_);
    qWarning().noquote() << startWarning_;
    scratch_ = std::make_unique<QTemporaryDir>();
    settings_ = std::make_unique<QSettings>(scratch_->filePath(QStringLiteral("tamsel.conf")),
                                            QSettings::IniFormat);
    return false;
}

SettingsStore::Value<QString>
SettingsStore::text(const QString& key, const QString& fallback,
                    const std::function<bool(const QString&)>& valid) const {
    const auto s = stored(*settings_, key);
    if (!s) {
        return {fallback, Origin::Missing};
    }
    if (valid && !valid(*s)) {
        return {fallback, Origin::Invalid};
    }
    return {*s, Origin::Stored};
}

SettingsStore::Value<QString> SettingsStore::choice(const QString& key, const QStringList& choices,
                                                    const QString& fallback) const {
    return text(key, fallback, [&choices](const QString& s) { return choices.contains(s); });
}

SettingsStore::Value<double> SettingsStore::number(const QString& key, double fallback, double min,
                                                   double max) const {
    const auto s = stored(*settings_, key);
    if (!s) {
        return {fallback, Origin::Missing};
    }
    bool ok = false;
    const double v = QLocale::c().toDouble(*s, &ok);
    if (!ok || !(v >= min && v <= max)) {
        return {fallback, Origin::Invalid};
    }
    return {v, Origin::Stored};
}

SettingsStore::Value<int> SettingsStore::integer(const QString& key, int fallback, int min,
                                                 int max) const {
    const auto s = stored(*settings_, key);
    if (!s) {
        return {fallback, Origin::Missing};
    }
    bool ok = false;
    const int v = QLocale::c().toInt(*s, &ok);
    if (!ok || v < min || v > max) {
        return {fallback, Origin::Invalid};
    }
    return {v, Origin::Stored};
}

SettingsStore::Value<bool> SettingsStore::flag(const QString& key, bool fallback) const {
    const Value<QString> s = choice(key, {QStringLiteral("true"), QStringLiteral("false")},
                                    fallback ? QStringLiteral("true") : QStringLiteral("false"));
    return {s.value == QStringLiteral("true"), s.origin};
}

void SettingsWriter::set(const QString& key, double value) {
    // Up to a millimetre in degrees, without trailing zeros: plain enough to edit.
    set(key, QLocale::c().toString(value, 'g', 12));
}

void SettingsWriter::set(const QString& key, int value) {
    set(key, QString::number(value));
}

void SettingsWriter::set(const QString& key, bool value) {
    set(key, value ? QStringLiteral("true") : QStringLiteral("false"));
}

std::optional<QString> SettingsStore::raw(const QString& key) const {
    return stored(*settings_, key);
}

void SettingsStore::set(const QString& key, const QString& value) {
    settings_->setValue(key, value);
}

void SettingsStore::remove(const QString& key) {
    settings_->remove(key);
}

void SettingsStore::reload() {
    if (!scratch_) {
        settings_->sync(); // nothing is pending between commits: this reads the file
    }
    emit changed();
}

bool SettingsStore::commit() {
    writeError_.clear();
    if (scratch_) {
        writeError_ = tr("The settings cannot be saved: %1 could not be used or "
                         "moved aside. The new settings are in use until the "
                         "console closes.")
                          .arg(path_);
    } else {
        // The folder is made here rather than at start so that only a console whose
        // settings changed leaves a file behind.
        makeFolders(QFile::encodeName(QFileInfo(path_).absolutePath()).toStdString());
        if (failed_) {
            // A QSettings keeps reporting its first error; a fresh one on the same file
            // shares the values not yet written and tries them again as it opens.
            auto fresh = std::make_unique<QSettings>(path_, QSettings::IniFormat);
            settings_.swap(fresh);
        }
        if (!QFileInfo::exists(path_)) {
            // Made as the owner's alone before anything is in it; a rewrite keeps its mode.
            QFile made(path_);
            if (made.open(QIODevice::WriteOnly)) {
                made.close();
                ownersOnly();
            }
        }
        settings_->sync();
        failed_ = settings_->status() != QSettings::NoError;
        if (!failed_) {
            ownersOnly();
        }
        if (failed_) {
            writeError_ = tr("The settings could not be saved to %1 (the folder "
                             "cannot be written to, or the disk is full). The new "
                             "settings are in use until the console closes.")
                              .arg(path_);
        }
    }
    if (!writeError_.isEmpty()) {
        qWarning().noquote() << writeError_;
    }
    emit changed();
    return writeError_.isEmpty();
}

} // namespace tamsel
