// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the line list as screen readers see it.
#include "widgets/AccessibleItems.h"
#include "widgets/LineListView.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QTest>
#include <gtest/gtest.h>

namespace tamsel {
namespace {

// An item as the cache holds it; it counts the items alive.
class CountedItem : public QAccessibleObject {
public:
    explicit CountedItem(QObject* owner, int& alive) : QAccessibleObject(owner), alive_(alive) {
        ++alive_;
    }
    ~CountedItem() override { --alive_; }
    QAccessibleInterface* parent() const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override { return {}; }

private:
    int& alive_;
};

TEST(AccessibleItems, AWalkOverEveryItemIsLinearAndBounded) {
    QObject owner;
    int alive = 0;
    for (const int items : {5'000, 20'000}) {
        AccessibleItems cache(512);
        long asked = 0; // the work: how often the cache looks at an item it holds
        auto make = [&] { return new CountedItem(&owner, alive); };
        auto keep = [&asked](int index) {
            ++asked;
            return index % 2 == 0; // on screen (0: the selected item)
        };
        QAccessibleInterface* selected = cache.item(0, make, keep);
        for (int i = 1; i < items; ++i) {
            QAccessibleInterface* one = cache.item(i, make, keep);
            ASSERT_EQ(cache.item(i, make, keep), one); // the same while it is looked at
        }
        EXPECT_LE(asked, static_cast<long>(items) * AccessibleItems::kLookedAt) << items;
        EXPECT_LE(cache.kept(), 512u);
        EXPECT_LE(alive, 512);
        EXPECT_EQ(cache.item(0, make, keep), selected) << items;
    }
    EXPECT_EQ(alive, 0);
}

class ListAccessibility : public ::testing::Test {
protected:
    void SetUp() override {
        view.setAccessibleName("Received History");
        view.resize(300, 10 * view.fontMetrics().height() + 2 * view.frameWidth());
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    void fill(int rows) {
        for (int i = 0; i < rows; ++i) {
            view.append("row " + std::to_string(i));
        }
    }
    QAccessibleInterface* list() { return QAccessible::queryAccessibleInterface(&view); }

    LineListView view;
};

TEST_F(ListAccessibility, RowsAreItemsNamedByTheirText) {
    view.append("JA1ABC");
    view.append("");
    view.append(std::string(5000, 'x'));
    QAccessibleInterface* l = list();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->role(), QAccessible::List);
    EXPECT_EQ(l->text(QAccessible::Name), "Received History");
    ASSERT_EQ(l->childCount(), 3);
    const QString expected[] = {"JA1ABC", "", QString(4096, 'x')}; // cut where drawing stops
    for (int i = 0; i < 3; ++i) {
        QAccessibleInterface* item = l->child(i);
        ASSERT_NE(item, nullptr) << i;
        EXPECT_EQ(item->role(), QAccessible::ListItem) << i;
        EXPECT_EQ(item->text(QAccessible::Name), expected[i]) << i;
        EXPECT_EQ(item->parent(), l) << i;
        EXPECT_EQ(l->indexOfChild(item), i) << i;
        EXPECT_EQ(l->child(i), item) << "a row keeps its identity " << i;
    }
    EXPECT_EQ(l->child(-1), nullptr);
    EXPECT_EQ(l->child(3), nullptr);
}

TEST_F(ListAccessibility, SelectedAndFocusedRowFollowTheKeys) {
    fill(5);
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    view.setFocus();
    QAccessibleInterface* l = list();
    EXPECT_EQ(l->focusChild(), nullptr) << "nothing selected yet";

    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_Down);
    ASSERT_EQ(view.currentRow(), 1);
    for (int i = 0; i < 5; ++i) {
        const QAccessible::State s = l->child(i)->state();
        EXPECT_TRUE(s.selectable) << i;
        EXPECT_EQ(bool(s.selected), i == 1) << i;
        EXPECT_EQ(bool(s.focused), i == 1) << i;
    }
    EXPECT_EQ(l->focusChild(), l->child(1));

    view.clearFocus();
    EXPECT_TRUE(l->child(1)->state().selected) << "the selection stays";
    EXPECT_FALSE(l->child(1)->state().focused);
    EXPECT_EQ(l->focusChild(), nullptr);
}

TEST_F(ListAccessibility, RowsInViewHaveTheirPlaceOnScreen) {
    fill(100);
    QAccessibleInterface* l = list();
    const QRect port(view.viewport()->mapToGlobal(QPoint(0, 0)), view.viewport()->size());

    QAccessibleInterface* third = l->child(2);
    EXPECT_TRUE(port.contains(third->rect())) << "row 2 lies inside the list";
    EXPECT_FALSE(third->state().offscreen);
    EXPECT_EQ(l->childAt(third->rect().center().x(), third->rect().center().y()), third);
    EXPECT_EQ(l->childAt(port.left() - 5, port.top() + 1), nullptr) << "outside the rows";
    EXPECT_TRUE(l->child(99)->state().offscreen);
    EXPECT_TRUE(l->child(99)->state().invisible);

    view.setTopRow(99);
    EXPECT_FALSE(l->child(99)->state().offscreen);
    EXPECT_TRUE(l->child(2)->state().offscreen);
    EXPECT_EQ(l->childAt(port.left() + 5, port.top() + 1)->text(QAccessible::Name),
              QString::fromStdString("row " + std::to_string(view.topRow())));
}

TEST_F(ListAccessibility, ItemsOfRemovedRowsTurnInvalid) {
    fill(10);
    QAccessibleInterface* l = list();
    QAccessibleInterface* ninth = l->child(8);
    ASSERT_TRUE(ninth->isValid());
    view.clear();
    EXPECT_EQ(l->childCount(), 0);
    EXPECT_FALSE(ninth->isValid());
    EXPECT_TRUE(ninth->state().invalid);
    EXPECT_EQ(ninth->text(QAccessible::Name), "");
    EXPECT_EQ(l->indexOfChild(ninth), -1);
    fill(9);
    EXPECT_TRUE(ninth->isValid()) << "row 8 exists again";
    EXPECT_EQ(ninth->text(QAccessible::Name), "row 8");
}

TEST_F(ListAccessibility, WalkingAMillionRowsKeepsOnlyAFewItems) {
    ByteBuffer bytes;
    LineStarts starts;
    for (int i = 0; i < 1'000'000; ++i) {
        starts.push_back(bytes.size());
        bytes.push_back('a');
    }
    view.replaceAll(std::move(bytes), std::move(starts));
    view.selectRow(500'000);
    view.setTopRow(0);
    QAccessibleInterface* l = list();
    const QAccessible::Id top = QAccessible::uniqueId(l->child(0));
    const QAccessible::Id selected = QAccessible::uniqueId(l->child(500'000));
    const QAccessible::Id far = QAccessible::uniqueId(l->child(900'000));
    for (int i = 100; i < 100'000; ++i) {
        ASSERT_NE(l->child(i), nullptr);
    }
    EXPECT_NE(QAccessible::accessibleInterface(top), nullptr) << "rows in view are kept";
    EXPECT_NE(QAccessible::accessibleInterface(selected), nullptr) << "the selected row is kept";
    EXPECT_EQ(QAccessible::accessibleInterface(far), nullptr) << "rows out of view were let go";
    EXPECT_EQ(l->child(0), QAccessible::accessibleInterface(top));
}

} // namespace
} // namespace tamsel
