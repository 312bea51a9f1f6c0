// SPDX-License-Identifier: GPL-3.0-or-later
// LineListAccessible: the line list as screen readers see it, one item per row.
#include "widgets/LineListAccessible.h"

#include "widgets/AccessibleItems.h"
#include "widgets/LineListView.h"

#include <QAccessibleWidget>
#include <QPointer>

namespace tamsel {

namespace {

// Item interfaces are made on demand, one per row asked for, and kept so that a row keeps
// its identity while an assistive tool looks at it. Past this many, those asked for longest
// ago are let go, so walking a million-line list costs no more than this.
constexpr std::size_t kKeptItems = 256;

class LineItemAccessible : public QAccessibleInterface {
public:
    LineItemAccessible(LineListView* view, int row) : view_(view), row_(row) {}

    int row() const { return row_; }
    const LineListView* view() const { return view_; }

    bool isValid() const override { return view_ && row_ < view_->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && isValid() ? view_->displayText(row_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect r = view_->rowRect(row_);
        return {view_->viewport()->mapToGlobal(r.topLeft()), r.size()};
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.selectable = true;
        s.focusable = true;
        const bool current = row_ == view_->currentRow();
        s.selected = current;
        s.focused = current && view_->hasFocus();
        const bool inView =
            row_ >= view_->topRow() && row_ < view_->topRow() + view_->visibleRows();
        s.offscreen = !inView;
        s.invisible = !inView || !view_->isVisible();
        return s;
    }

private:
    QPointer<LineListView> view_;
    int row_;
};

class LineListAccessible : public QAccessibleWidget {
public:
    explicit LineListAccessible(LineListView* view) : QAccessibleWidget(view, QAccessible::List) {}

    LineListView* view() const { return static_cast<LineListView*>(widget()); }

    int childCount() const override { return view()->count(); }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= view()->count()) {
            return nullptr;
        }
        return items_.item(
            index, [this, index] { return new LineItemAccessible(view(), index); },
            [this](int i) {
                return (i >= view()->topRow() && i <= view()->topRow() + view()->visibleRows()) ||
                       i == view()->currentRow();
            });
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* item = dynamic_cast<const LineItemAccessible*>(child);
        return item && item->view() == view() && item->isValid() ? item->row() : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const QWidget* port = view()->viewport();
        const QPoint local = port->mapFromGlobal(QPoint(x, y));
        if (!port->rect().contains(local)) {
            return nullptr;
        }
        return child(view()->rowAt(local.y()));
    }

    QAccessibleInterface* focusChild() const override {
        return view()->hasFocus() ? child(view()->currentRow()) : nullptr;
    }

private:
    mutable AccessibleItems items_{kKeptItems};
};

QAccessibleInterface* create(const QString& key, QObject* object) {
    if (key != QLatin1String(LineListView::staticMetaObject.className())) {
        return nullptr;
    }
    auto* view = qobject_cast<LineListView*>(object);
    return view ? new LineListAccessible(view) : nullptr;
}

} // namespace

void installLineListAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&create);
        return true;
    }();
    (void)installed;
}

} // namespace tamsel
