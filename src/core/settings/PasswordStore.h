// SPDX-License-Identifier: GPL-3.0-or-later
// PasswordStore: the password of the station's page, kept only as a salted slow hash.
#pragma once

#include <QByteArray>
#include <QString>

namespace tamsel {

// The operator's password as libsodium's crypto_pwhash string (Argon2id, salted), in a file
// of its own readable by its owner only. The file is read at each check, so a password set
// while the station runs counts at once.
class PasswordStore {
public:
    // How hard a hash is to compute: the interactive limits, or the least (tests only).
    enum class Strength { Interactive, Least };
    explicit PasswordStore(QString file, Strength strength = Strength::Interactive);

    // The file next to the settings file.
    static QString fileBeside(const QString& settingsPath);

    bool isSet() const;
    // Keeps the password's hash; the error text for the operator when refused or not saved.
    QString set(const QString& password);
    bool verify(const QString& password) const;
    // Changes whenever the password does: a session opened under another password is over.
    // Empty exactly when no password is set.
    QByteArray tag() const;
    const QString& file() const { return file_; }

    static constexpr int kMinLength = 8;

private:
    QByteArray hash() const;
    QString file_;
    Strength strength_;
};

// Writes a file readable by its owner only, whole or not at all.
bool writePrivately(const QString& path, const QByteArray& bytes);
// At most `limit` bytes of a file; nothing when it cannot be read.
QByteArray readSmallFile(const QString& path, qint64 limit);
// libsodium ready for use (initialised once).
bool sodiumReady();

} // namespace tamsel
