// SPDX-License-Identifier: GPL-3.0-or-later
// LineListView: a list box over a LineStore that stays quick at a million lines.
#include "widgets/LineListView.h"

#include "widgets/LineListAccessible.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextOption>

namespace tamsel {

namespace {
// Lines are drawn and scrolled up to this many bytes; a longer line (a stray binary file)
// would only cost time to lay out and nobody reads that far.
constexpr std::size_t kShownBytes = 4096;
} // namespace

LineListView::LineListView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    decoder_ = [](std::string_view bytes) {
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    };
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!updatingRanges_) {
            wantedTop_ = value; // the operator scrolled
        }
        viewport()->update();
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(),
            qOverload<>(&QWidget::update));
    installLineListAccessibility();
}

QString LineListView::displayText(int row) const {
    return decoder_(line(row).substr(0, kShownBytes));
}

void LineListView::notifyRow(int row, QAccessible::Event type) {
    if (!QAccessible::isActive() || row < 0 || row >= count()) {
        return;
    }
    QAccessibleEvent event(this, type);
    event.setChild(row);
    QAccessible::updateAccessibility(&event);
}

void LineListView::setTabStop(int averageChars) {
    tabStop_ = averageChars;
    viewport()->update();
}

int LineListView::lineHeight() const {
    return std::max(1, fontMetrics().height());
}

int LineListView::visibleRows() const {
    return std::max(1, viewport()->height() / lineHeight());
}

int LineListView::topRow() const {
    return verticalScrollBar()->value();
}

void LineListView::updateRanges() {
    QScrollBar* v = verticalScrollBar();
    const int maxTop = std::max(0, count() - visibleRows());
    updatingRanges_ = true;
    v->setRange(0, maxTop);
    v->setPageStep(visibleRows());
    v->setValue(std::min(wantedTop_, maxTop));
    updatingRanges_ = false;
    const int width = static_cast<int>(std::min(lines_.longest(), kShownBytes)) *
                          fontMetrics().averageCharWidth() +
                      8;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void LineListView::append(std::string_view line) {
    lines_.append(line);
    updateRanges();
    if (rowRect(count() - 1).intersects(viewport()->rect())) {
        viewport()->update();
    }
    notifyRow(count() - 1, QAccessible::ObjectCreated);
}

void LineListView::replaceAll(ByteBuffer bytes, LineStarts starts, bool terminated) {
    lines_.assign(std::move(bytes), std::move(starts), terminated);
    current_ = -1;
    marked_ = -1;
    wantedTop_ = 0;
    updateRanges();
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void LineListView::clear() {
    replaceAll({}, {});
}

void LineListView::setTopRow(int row) {
    wantedTop_ = std::max(0, row);
    updateRanges();
}

QRect LineListView::rowRect(int row) const {
    return {0, (row - topRow()) * lineHeight(), viewport()->width(), lineHeight()};
}

int LineListView::rowAt(int y) const {
    const int row = topRow() + y / lineHeight();
    return y >= 0 && row < count() ? row : -1;
}

void LineListView::selectRow(int row) {
    if (row < 0 || row >= count() || row == current_) {
        return;
    }
    const int previous = current_;
    current_ = row;
    // Keep the selected row in view.
    if (row < topRow()) {
        setTopRow(row);
    } else if (row >= topRow() + visibleRows()) {
        setTopRow(row - visibleRows() + 1);
    }
    viewport()->update();
    if (hasFocus()) {
        notifyRow(row, QAccessible::Focus);
    }
    notifyRow(previous, QAccessible::SelectionRemove);
    notifyRow(row, QAccessible::Selection);
    emit selectionChanged(row);
}

QColor LineListView::markTint() const {
    // A quarter of the highlight over the background: plainly marked, plainly not selected.
    const QColor base = palette().color(QPalette::Base);
    const QColor high = palette().color(QPalette::Highlight);
    return QColor((3 * base.red() + high.red()) / 4, (3 * base.green() + high.green()) / 4,
                  (3 * base.blue() + high.blue()) / 4);
}

void LineListView::setMarkedRow(int row) {
    marked_ = row;
    viewport()->update();
}

void LineListView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const int h = lineHeight();
    const int first = topRow();
    const int last = std::min(count(), first + visibleRows() + 1);
    const int dx = -horizontalScrollBar()->value() + 2;
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    if (tabStop_ > 0) {
        option.setTabStopDistance(tabStop_ * fontMetrics().averageCharWidth());
    }
    const QPalette& pal = palette();
    for (int row = first; row < last; ++row) {
        const QRect r(0, (row - first) * h, viewport()->width(), h);
        if (row == current_) {
            p.fillRect(r, pal.brush(hasFocus() ? QPalette::Active : QPalette::Inactive,
                                    QPalette::Highlight));
            p.setPen(pal.color(QPalette::HighlightedText));
        } else if (row == marked_) {
            p.fillRect(r, markTint());
            p.setPen(pal.color(QPalette::Text));
        } else {
            p.setPen(pal.color(QPalette::Text));
        }
        const QRect textRect(dx, r.top(), r.width() + horizontalScrollBar()->value(), h);
        p.drawText(textRect, displayText(row), option);
    }
}

void LineListView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateRanges();
}

void LineListView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateRanges();
    }
}

void LineListView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    // The list itself was announced; the row the keys move from is what the operator wants.
    notifyRow(current_, QAccessible::Focus);
}

void LineListView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) {
        selectRow(rowAt(event->position().toPoint().y()));
    }
}

void LineListView::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = rowAt(event->position().toPoint().y());
    if (event->button() == Qt::LeftButton && row >= 0) {
        selectRow(row);
        emit rowDoubleClicked(row);
    }
}

void LineListView::keyPressEvent(QKeyEvent* event) {
    const int page = std::max(1, visibleRows() - 1);
    int row = 0;
    switch (event->key()) {
    case Qt::Key_Up:
        row = std::max(0, current_ - 1);
        break;
    case Qt::Key_Down:
        row = current_ + 1;
        break;
    case Qt::Key_PageUp:
        row = std::max(0, current_ - page);
        break;
    case Qt::Key_PageDown:
        row = std::min(count() - 1, current_ + page);
        break;
    case Qt::Key_Home:
        row = 0;
        break;
    case Qt::Key_End:
        row = count() - 1;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (current_ >= 0) {
            emit rowActivated(current_);
        }
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    selectRow(row);
}

} // namespace tamsel
