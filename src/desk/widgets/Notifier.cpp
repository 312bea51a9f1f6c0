// SPDX-License-Identifier: GPL-3.0-or-later
// Notifier: the program's message boxes, behind an interface tests can answer.
#include "Notifier.h"

#include <QApplication>
#include <QMessageBox>

namespace tamsel {

namespace {

void show(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButton button,
          const QString& title = QStringLiteral("Tamsel")) {
    QMessageBox box(icon, title, text, button, QApplication::activeWindow());
    box.exec();
}

} // namespace

void QtNotifier::error(const QString& text) {
    show(QMessageBox::Critical, text, QMessageBox::Abort);
}

void QtNotifier::information(const QString& text) {
    show(QMessageBox::Information, text, QMessageBox::Ok);
}

void QtNotifier::plain(const QString& text, const QString& title) {
    show(QMessageBox::NoIcon, text, QMessageBox::Ok,
         title.isEmpty() ? QStringLiteral("Tamsel") : title);
}

void QtNotifier::failure(const QString& text) {
    show(QMessageBox::Critical, text, QMessageBox::Ok);
}

void QtNotifier::exception(const QString& text) {
    show(QMessageBox::Critical, text, QMessageBox::Ok);
}

} // namespace tamsel
