// SPDX-License-Identifier: GPL-3.0-or-later
// RecordingNotifier: message boxes recorded instead of shown.
#pragma once

#include "widgets/Notifier.h"

#include <QStringList>
#include <functional>

namespace tamsel::test {

// Records every box instead of showing it; a box is answered at once.
class RecordingNotifier : public Notifier {
public:
    struct Box {
        QString kind;
        QString text;
        QString title;
    };
    void error(const QString& text) override { record("error", text); }
    void information(const QString& text) override { record("information", text); }
    void plain(const QString& text, const QString& title) override { record("plain", text, title); }
    void failure(const QString& text) override { record("failure", text); }
    void exception(const QString& text) override { record("exception", text); }

    QStringList texts() const {
        QStringList out;
        for (const Box& b : boxes) {
            out << b.text;
        }
        return out;
    }

    std::vector<Box> boxes;
    std::function<void(const Box&)> onBox; // runs while the box would be open

private:
    void record(const char* kind, const QString& text, const QString& title = {}) {
        boxes.push_back({QString::fromLatin1(kind), text, title});
        if (onBox) {
            onBox(boxes.back());
        }
    }
};

} // namespace tamsel::test
