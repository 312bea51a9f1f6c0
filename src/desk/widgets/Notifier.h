// SPDX-License-Identifier: GPL-3.0-or-later
// Notifier: the program's message boxes, behind an interface tests can answer.
#pragma once

#include <QString>

namespace tamsel {

// The modal message boxes the program shows. Windows report through this so that tests
// can read and answer the boxes without a real one ever blocking them.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void error(const QString& text) = 0;       // error icon, Abort button
    virtual void information(const QString& text) = 0; // information icon, OK button
    // No icon, OK button; the title names what the text is about, when there is one.
    virtual void plain(const QString& text, const QString& title = {}) = 0;
    virtual void failure(const QString& text) = 0;   // error icon, OK button
    virtual void exception(const QString& text) = 0; // an exception that escaped
};

// The boxes as the operator sees them.
class QtNotifier : public Notifier {
public:
    void error(const QString& text) override;
    void information(const QString& text) override;
    void plain(const QString& text, const QString& title = {}) override;
    void failure(const QString& text) override;
    void exception(const QString& text) override;
};

} // namespace tamsel
