// SPDX-License-Identifier: GPL-3.0-or-later
// Foreground: showing windows and bringing the program to the front.
#include "widgets/Foreground.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
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
    // The window named is the one the operator wants next: the pointer crossing another of
    // ours before the activation lands must bring this one forward, not take the keyboard
    // back.
    lastActive = window;
    window->show();
    window->raise();
    window->activateWindow();
}

bool programHasFocus() {
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

bool (*applicationHasFocus)() = programHasFocus;

void bringProgramToFront() {
    QWidget* window = lastActive ? lastActive.data() : QApplication::activeWindow();
    if (window == nullptr || !window->isVisible()) {
        return;
    }
    window->raise();
    // The keyboard is taken only from another window of ours, never from another program:
    // keys typed for that program must not land in a header field.
    if (applicationHasFocus()) {
        window->activateWindow();
    }
}

void closeOnEscape(QWidget* window) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

void placeBeside(QWidget* window, const QWidget* anchor) {
    if (window->property("tamselPlaced").toBool()) {
        return; // once; after that it stays where the operator put it
    }
    window->setProperty("tamselPlaced", true);
    const QScreen* screen = anchor->screen();
    const QRect room = screen != nullptr ? screen->availableGeometry() : QRect();
    const QRect a = anchor->frameGeometry();
    const QSize size = window->frameGeometry().size();
    constexpr int kGap = 8;
    // Beside the main window on its right, or below it, or centred over it.
    QPoint at(a.right() + kGap, a.top());
    if (room.isValid() && at.x() + size.width() > room.right()) {
        at = QPoint(a.left(), a.bottom() + kGap);
        if (at.y() + size.height() > room.bottom()) {
            at = a.center() - QPoint(size.width() / 2, size.height() / 2);
        }
    }
    window->move(at);
}

} // namespace tamsel
