// SPDX-License-Identifier: GPL-3.0-or-later
// settings_writer: one of two consoles writing the settings file at once, for the store's tests.
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QString>

// settings_writer FILE GROUP COUNT: commits GROUP/k0 ... GROUP/k(COUNT-1) one by one, and
// the shared key "both/last" each time. Exits 1 when a commit failed.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        return 2;
    }
    tamsel::SettingsStore store(QString::fromLocal8Bit(argv[1]));
    const QString group = QString::fromLocal8Bit(argv[2]);
    const int count = QString::fromLocal8Bit(argv[3]).toInt();
    for (int i = 0; i < count; ++i) {
        store.set(QStringLiteral("%1/k%2").arg(group).arg(i), i);
        store.set(QStringLiteral("both/last"), group);
        if (!store.commit()) {
            return 1;
        }
    }
    return 0;
}
