// SPDX-License-Identifier: GPL-3.0-or-later
// Foreground: showing windows and bringing the program to the front.
#include "widgets/Foreground.h"

#include "widgets/Placement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWidget>

namespace tamsel {

namespace {

QPointer<QWidget> lastActive;
QPointer<const QWidget> uncovered;
// The pointer rule waiting for the activation the pointer may have come with.
QPointer<QTimer> pointerRule;

class ActivationWatcher : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow()) {
                lastActive = widget;
                // Activated just now: the window chosen, which the pointer does not overrule.
                if (pointerRule != nullptr) {
                    pointerRule->stop();
                }
            }
        }
        return false;
    }
};

void bringLastActiveToFront() {
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
    if (pointerRule == nullptr) {
        pointerRule = new QTimer(qApp);
        pointerRule->setObjectName(QStringLiteral("PointerRule"));
        pointerRule->setSingleShot(true);
        pointerRule->setInterval(kPointerSettleMs);
        QObject::connect(pointerRule, &QTimer::timeout, qApp, bringLastActiveToFront);
    }
    pointerRule->start();
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
    if (!window->testAttribute(Qt::WA_Resized)) {
        // As showing it would, so that its size is known now; but as large as it asks to be
        // (the screen bounds it below), not two thirds of the screen at most.
        window->adjustSize();
        if (const QSize hint = window->sizeHint(); hint.isValid()) {
            window->resize(window->size().expandedTo(hint));
        }
    }
    // A window not shown yet has no frame; the window manager gives it the anchor's.
    const QWidget* framed = window->frameGeometry() != window->geometry() ? window : anchor;
    const QMargins frame(framed->geometry().left() - framed->frameGeometry().left(),
                         framed->geometry().top() - framed->frameGeometry().top(),
                         framed->frameGeometry().right() - framed->geometry().right(),
                         framed->frameGeometry().bottom() - framed->geometry().bottom());
    const QScreen* screen = anchor->screen();
    const QRect room = screen != nullptr ? screen->availableGeometry() : QRect();
    const QSize want = window->size().grownBy(frame);
    const QRect clear = uncovered != nullptr && uncovered != window && uncovered->isVisible()
                            ? uncovered->frameGeometry()
                            : QRect();
    const QRect at = tamsel::placeBeside(anchor->frameGeometry(), want, room, clear);
    if (at.size() != want) {
        window->resize(at.size().shrunkBy(frame)); // no larger than the screen
    }
    window->move(at.topLeft()); // a window's position is its frame's
}

void keepUncovered(const QWidget* window) {
    uncovered = window;
}

} // namespace tamsel
