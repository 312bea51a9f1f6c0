// SPDX-License-Identifier: GPL-3.0-or-later
// PasswordStore: the page's password as libsodium's crypto_pwhash string.
#include "settings/PasswordStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <sodium.h>

namespace tamsel {

bool sodiumReady() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

QByteArray readSmallFile(const QString& path, qint64 limit) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return f.read(limit);
}

bool writePrivately(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        return false;
    }
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    f.write(bytes);
    return f.commit();
}

PasswordStore::PasswordStore(QString file, Strength strength)
    : file_(std::move(file)), strength_(strength) {}

QString PasswordStore::fileBeside(const QString& settingsPath) {
    return QFileInfo(settingsPath).absoluteDir().filePath(QStringLiteral("web-password"));
}

QByteArray PasswordStore::hash() const {
    QByteArray h = readSmallFile(file_, crypto_pwhash_STRBYTES).trimmed();
    return h.startsWith("$argon2") ? h : QByteArray();
}

bool PasswordStore::isSet() const {
    return !hash().isEmpty();
}

QString PasswordStore::set(const QString& password) {
    if (password.size() < kMinLength) {
        return QCoreApplication::translate("Web", "The password needs at least %1 characters.")
            .arg(kMinLength);
    }
    if (!sodiumReady()) {
        return QCoreApplication::translate("Web", "The password could not be kept: %1")
            .arg(QStringLiteral("libsodium"));
    }
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    const bool least = strength_ == Strength::Least;
    if (crypto_pwhash_str(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                          least ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          least ? crypto_pwhash_MEMLIMIT_MIN
                                : crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0) {
        return QCoreApplication::translate("Web", "The password could not be kept: %1")
            .arg(QStringLiteral("out of memory"));
    }
    if (!writePrivately(file_, QByteArray(out) + '\n')) {
        return QCoreApplication::translate("Web", "The password could not be kept: %1")
            .arg(QDir::toNativeSeparators(file_));
    }
    return {};
}

bool PasswordStore::verify(const QString& password) const {
    const QByteArray h = hash();
    if (h.isEmpty() || !sodiumReady()) {
        return false;
    }
    const QByteArray utf8 = password.toUtf8();
    return crypto_pwhash_str_verify(h.constData(), utf8.constData(),
                                    static_cast<unsigned long long>(utf8.size())) == 0;
}

QByteArray PasswordStore::tag() const {
    QByteArray h = hash();
    if (h.isEmpty()) {
        return {};
    }
    if (!sodiumReady()) {
        return h; // still a password's own tag: never empty while one is set
    }
    unsigned char out[16];
    crypto_generichash(out, sizeof out, reinterpret_cast<const unsigned char*>(h.constData()),
                       static_cast<unsigned long long>(h.size()), nullptr, 0);
    return QByteArray(reinterpret_cast<const char*>(out), sizeof out).toHex();
}

} // namespace tamsel
