// SPDX-License-Identifier: GPL-3.0-or-later
// Toast: a short note over the bottom of a window that has no status bar, gone after a while.
#include "widgets/Toast.h"

#include <QEvent>
#include <QTimer>

namespace tamsel {

Toast::Toast(QWidget* window) : QLabel(window), timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("Toast"));
    setAutoFillBackground(true);
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setFrameShape(QFrame::Box);
    setMargin(4);
    setWordWrap(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &QWidget::hide);
    window->installEventFilter(this); // follows the window's size
}

Toast* Toast::show(QWidget* window, const QString& text, int shownMs) {
    auto* toast = window->findChild<Toast*>(QStringLiteral("Toast"), Qt::FindDirectChildrenOnly);
    if (toast == nullptr) {
        toast = new Toast(window);
    }
    toast->setText(text);
    toast->setAccessibleName(text);
    toast->place();
    toast->QWidget::show();
    toast->raise();
    toast->timer_->start(shownMs);
    return toast;
}

void Toast::place() {
    const QWidget* window = parentWidget();
    const int margin = fontMetrics().height() / 2;
    const int width = window->width() - 2 * margin;
    setFixedWidth(width);
    const int height = heightForWidth(width);
    setGeometry(margin, window->height() - height - margin, width, height);
}

void Toast::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    hide();
}

bool Toast::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible()) {
        place();
    }
    return QLabel::eventFilter(watched, event);
}

} // namespace tamsel
