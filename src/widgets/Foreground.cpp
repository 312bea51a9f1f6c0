// SPDX-License-Identifier: GPL-3.0-or-later
// Foreground: showing windows and bringing the program to the front.
#include "widgets/Foreground.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace tamsel {

namespace {

QPointer<QWidget> lastActive;

class ActivationWatcher : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow()) {
                lastActive = widget;
            }
        }
        return false;
    }
};

} // namespace

void trackActiveWindows() {
    static ActivationWatcher* watcher = nullptr;
    if (watcher == nullptr) {
        watcher = new ActivationWatcher(qApp);
        qApp->installEventFilter(watcher);
    }
}

void showWindow(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

void bringProgramToFront() {
    QWidget* window = lastActive ? lastActive.data() : QApplication::activeWindow();
    if (window != nullptr && window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
}

} // namespace tamsel
