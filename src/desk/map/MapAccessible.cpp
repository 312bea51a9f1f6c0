// SPDX-License-Identifier: GPL-3.0-or-later
// MapAccessible: the map as screen readers see it, one item per station and repeater.
#include "map/MapAccessible.h"

#include "map/MapView.h"
#include "widgets/AccessibleItems.h"

#include <QAccessibleWidget>
#include <QPointer>

namespace tamsel {

namespace {

// Item interfaces are made when asked for and kept while the map lives, so an item keeps its
// identity while a tool looks at it; past this many, those asked for longest ago are let go.
constexpr std::size_t kKeptItems = 512;

class MapItemAccessible : public QAccessibleInterface {
public:
    MapItemAccessible(MapView* view, int item) : view_(view), item_(item) {}

    int item() const { return item_; }
    const MapView* view() const { return view_; }

    bool isValid() const override { return view_ && item_ < view_->itemCount(); }
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
        if (!isValid()) {
            return {};
        }
        if (t == QAccessible::Name) {
            return view_->itemName(item_);
        }
        if (t == QAccessible::Description) {
            return view_->itemTooltip(item_);
        }
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect r = view_->itemRect(item_);
        return {view_->mapToGlobal(r.topLeft()), r.size()};
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.selectable = true;
        s.focusable = true;
        const bool selected = item_ == view_->selectedItem();
        s.selected = selected;
        s.focused = selected && view_->hasFocus();
        const bool onScreen = view_->rect().intersects(view_->itemRect(item_));
        s.offscreen = !onScreen;
        s.invisible = !onScreen || !view_->isVisible();
        return s;
    }

private:
    QPointer<MapView> view_;
    int item_;
};

class MapViewAccessible : public QAccessibleWidget {
public:
    explicit MapViewAccessible(MapView* view) : QAccessibleWidget(view, QAccessible::List) {}

    MapView* view() const { return static_cast<MapView*>(widget()); }

    int childCount() const override { return view()->itemCount(); }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= view()->itemCount()) {
            return nullptr;
        }
        return items_.item(
            index, [this, index] { return new MapItemAccessible(view(), index); },
            [this](int i) {
                return i == view()->selectedItem() ||
                       view()->rect().intersects(view()->itemRect(i));
            });
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* item = dynamic_cast<const MapItemAccessible*>(child);
        return item && item->view() == view() && item->isValid() ? item->item() : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const int item = view()->itemAt(view()->mapFromGlobal(QPoint(x, y)));
        return item >= 0 ? child(item) : nullptr;
    }

    QAccessibleInterface* focusChild() const override {
        return view()->hasFocus() && view()->selectedItem() >= 0 ? child(view()->selectedItem())
                                                                 : nullptr;
    }

private:
    mutable AccessibleItems items_{kKeptItems};
};

QAccessibleInterface* create(const QString& key, QObject* object) {
    if (key != QLatin1String(MapView::staticMetaObject.className())) {
        return nullptr;
    }
    auto* view = qobject_cast<MapView*>(object);
    return view ? new MapViewAccessible(view) : nullptr;
}

} // namespace

void installMapAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&create);
        return true;
    }();
    (void)installed;
}

} // namespace tamsel
