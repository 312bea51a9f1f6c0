// SPDX-License-Identifier: GPL-3.0-or-later
// MapView's interaction: keys, the mouse, the wheel, tooltips and the context menu.
#include "map/MapView.h"

#include "map/MapViewParts.h"
#include "monitor/Position.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>

namespace tamsel {

using mapview::kPick;
using mapview::kSprite;

bool MapView::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            moveSelection(1);
            return true;
        }
        if (key->key() == Qt::Key_Backtab) {
            moveSelection(-1);
            return true;
        }
    }
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int item = itemAt(help->pos());
        if (item >= 0) {
            QToolTip::showText(help->globalPos(), itemTooltip(item), this, itemRect(item));
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void MapView::keyPressEvent(QKeyEvent* event) {
    const double step = std::max(32, std::min(width(), height()) / 4);
    switch (event->key()) {
    case Qt::Key_Left:
        panBy(-step, 0);
        break;
    case Qt::Key_Right:
        panBy(step, 0);
        break;
    case Qt::Key_Up:
        panBy(0, -step);
        break;
    case Qt::Key_Down:
        panBy(0, step);
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomBy(1);
        break;
    case Qt::Key_Minus:
        zoomBy(-1);
        break;
    case Qt::Key_Home:
        showEverything();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (const auto call = selectedStation()) {
            emit stationActivated(QString::fromLatin1(call->c_str()));
        }
        break;
    case Qt::Key_F10:
        if (event->modifiers() != Qt::ShiftModifier) {
            QWidget::keyPressEvent(event);
            return;
        }
        [[fallthrough]]; // Shift+F10 is the menu key where the keyboard has none
    case Qt::Key_Menu:
        if (selected_ >= 0) {
            openMenu(selected_, mapToGlobal(itemRect(selected_).bottomRight()));
        }
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void MapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressAt_ = event->position().toPoint();
        dragging_ = false;
    }
    QWidget::mousePressEvent(event);
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
    if (!pressAt_ || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    const QPoint at = event->position().toPoint();
    const QPoint moved = at - *pressAt_;
    if (!dragging_ && moved.manhattanLength() < QApplication::startDragDistance()) {
        return;
    }
    dragging_ = true;
    setCursor(Qt::ClosedHandCursor);
    panBy(-moved.x(), -moved.y());
    pressAt_ = at;
}

void MapView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressAt_) {
        if (!dragging_) {
            selectItem(itemAt(event->position().toPoint()), true);
        }
        unsetCursor();
        pressAt_.reset();
        dragging_ = false;
    }
}

void MapView::mouseDoubleClickEvent(QMouseEvent* event) {
    const int item = itemAt(event->position().toPoint());
    if (isStation(item)) {
        selectItem(item, true);
        emit replyRequested(itemCallsign(item));
    }
}

void MapView::wheelEvent(QWheelEvent* event) {
    wheel_ += event->angleDelta().y();
    const int steps = wheel_ / 120;
    if (steps != 0) {
        wheel_ -= steps * 120;
        zoomBy(steps, event->position());
    }
    event->accept();
}

void MapView::contextMenuEvent(QContextMenuEvent* event) {
    const int item =
        event->reason() == QContextMenuEvent::Keyboard ? selected_ : itemAt(event->pos());
    if (item < 0) {
        return;
    }
    selectItem(item, true);
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard
                          ? mapToGlobal(itemRect(item).bottomRight())
                          : event->globalPos();
    openMenu(item, at);
}

void MapView::openMenu(int item, const QPoint& globalAt) {
    QMenu menu(this);
    const QString call = itemCallsign(item);
    if (isStation(item)) {
        menu.addAction(tr("&Reply"), this, [this, call] { emit replyRequested(call); });
        menu.addAction(tr("&Log Contact..."), this,
                       [this, call] { emit logContactRequested(call); });
    }
    menu.addAction(tr("&Copy Position"), this, [this, item] { copyPosition(item); });
    menu.exec(globalAt);
}

void MapView::copyPosition(int item) {
    const auto p = itemPosition(item);
    if (!p) {
        return;
    }
    QApplication::clipboard()->setText(
        QString::fromStdString(copiedPosition(p->latitude, p->longitude)));
}

} // namespace tamsel
