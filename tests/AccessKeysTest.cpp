// SPDX-License-Identifier: GPL-3.0-or-later
// Access keys as the operator meets them, in each language: in each window as it is shown (its
// buttons, labels, group boxes, tabs and menu bar) and in each menu as it opens (the menu bar's,
// their submenus and the context menus), no two share one.
#include "calls/CallDialog.h"
#include "console/RepeaterFeature.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit6.h"
#include "heard/HeardStations.h"
#include "history/Unit5.h"
#include "language/Translations.h"
#include "log/LogContact.h"
#include "map/MapView.h"
#include "memory/Unit12.h"
#include "memory/Unit4.h"
#include "repeaters/RepeatersWindow.h"
#include "settings/Preferences.h"
#include "settings/SettingsStore.h"
#include "station/StationSettings.h"
#include "support/ConsoleFixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTabBar>

namespace tamsel::test {
namespace {

// The access key of `text` ("&&" is an ampersand), upper-cased; null where it has none.
QChar accessKey(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (text[i + 1] != QLatin1Char('&')) {
                return text[i + 1].toUpper();
            }
            ++i;
        }
    }
    return {};
}

// Each pair of `texts` that share an access key, as "where: 'a' and 'b' share K".
QStringList clashes(const QString& where, const QStringList& texts) {
    QStringList found;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        for (qsizetype j = i + 1; j < texts.size(); ++j) {
            const QChar key = accessKey(texts[i]);
            if (!key.isNull() && key == accessKey(texts[j])) {
                found << QStringLiteral("%1: '%2' and '%3' share %4")
                             .arg(where, texts[i], texts[j], QString(key));
            }
        }
    }
    return found;
}

// What Alt and a letter reaches in `window` as it stands: its visible buttons, labels with a
// buddy, group boxes, tabs and menu bar titles.
QStringList windowTexts(QWidget* window) {
    QStringList texts;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || !w->isVisibleTo(window)) {
            continue;
        }
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            texts << button->text();
        } else if (auto* label = qobject_cast<QLabel*>(w); label && label->buddy()) {
            texts << label->text();
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            texts << box->title();
        } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                texts << (tabs->isTabVisible(i) ? tabs->tabText(i) : QString());
            }
        } else if (auto* bar = qobject_cast<QMenuBar*>(w)) {
            for (QAction* a : bar->actions()) {
                texts << (a->isVisible() ? a->text() : QString());
            }
        }
    }
    return texts;
}

// Reads every menu as it is shown (after its aboutToShow has filled it) and closes it, also
// the context menus a window runs with exec().
class MenuWatch : public QObject {
public:
    MenuWatch() { qApp->installEventFilter(this); }
    ~MenuWatch() override { qApp->removeEventFilter(this); }

    QString where;
    QStringList found;
    QStringList opened; // where each menu was, for the test to see that it opened

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* menu = qobject_cast<QMenu*>(watched);
        if (menu != nullptr && event->type() == QEvent::Show) {
            QStringList texts;
            for (QAction* a : menu->actions()) {
                if (a->isVisible() && !a->isSeparator()) {
                    texts << a->text();
                }
            }
            const QString title =
                menu->title().isEmpty() ? QStringLiteral("context menu") : menu->title();
            opened << where + QStringLiteral(" > ") + title;
            found << clashes(opened.last(), texts);
            QMetaObject::invokeMethod(menu, &QMenu::close, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
};

// Opens `menu` and each of its submenus.
void openMenu(QMenu* menu) {
    menu->popup(QPoint(0, 0));
    QCoreApplication::processEvents();
    menu->hide();
    for (QAction* a : menu->actions()) {
        if (a->menu() != nullptr && a->isVisible()) {
            openMenu(a->menu());
        }
    }
}

// Opens the context menu of each list or table of `window` that has one, on its first row.
void openContextMenus(QWidget* window) {
    for (auto* view : window->findChildren<QAbstractItemView*>()) {
        if (!view->isVisibleTo(window) || view->model() == nullptr ||
            view->model()->rowCount() == 0 || view->contextMenuPolicy() != Qt::CustomContextMenu) {
            continue;
        }
        const QModelIndex first = view->model()->index(0, 0);
        view->setCurrentIndex(first);
        emit view->customContextMenuRequested(view->visualRect(first).center());
        QCoreApplication::processEvents();
    }
    // The map's, on its first item, as Shift+F10 opens it.
    for (auto* map : window->findChildren<MapView*>()) {
        if (map->isVisibleTo(window) && map->itemCount() > 0) {
            map->selectItem(0, true);
            const QPoint at = map->itemRect(0).center();
            QContextMenuEvent event(QContextMenuEvent::Keyboard, at, map->mapToGlobal(at));
            QCoreApplication::sendEvent(map, &event);
        }
    }
}

class AccessKeys : public ConsoleFixture, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override { translations_ = std::make_unique<Translations>(GetParam()); }
    void TearDown() override {
        ConsoleFixture::TearDown();
        translations_.reset();
    }

    // The clashes of `window` as it is shown, of its menus and of its context menus.
    QStringList check(QWidget* window, const QString& name = {}) {
        MenuWatch watch;
        window->show();
        QCoreApplication::processEvents();
        const QString where = QStringLiteral("%1: %2").arg(
            QLatin1String(GetParam()), name.isEmpty() ? window->windowTitle() : name);
        watch.where = where;
        QStringList found = clashes(where, windowTexts(window));
        if (auto* bar = window->findChild<QMenuBar*>()) {
            for (QAction* a : bar->actions()) {
                if (a->menu() != nullptr) {
                    openMenu(a->menu());
                }
            }
        }
        openContextMenus(window);
        opened << watch.opened;
        return found << watch.found;
    }

    QStringList opened;

private:
    std::unique_ptr<Translations> translations_;
};

TEST_P(AccessKeys, NoTwoInOneWindowOrMenu) {
    start();
    // Something in each list, so that the context menus open: a station heard, repeaters
    // around your position.
    StationSettings station;
    station.source = PositionSource::LatLon;
    station.latitude = 35.6984;
    station.longitude = 139.7731;
    station.save(*console->settings());
    console->settings()->commit();
    ASSERT_TRUE(test::importList(
        QStringLiteral(TAMSEL_SOURCE_DIR "/tests/data/repeaters/icom-japan-sjis.csv")));
    receive({header("DIRECT  ", "DIRECT  ", "CQCQCQ  ", "JA1ABC  ")});

    QStringList found;
    // Each window of the Window menu as it opens, with the main window and the others.
    for (QAction* open : Form1->menuWindow->actions()) {
        open->trigger();
    }
    QList<QWidget*> windows;
    windows << Form1 << Form2 << Form3 << Form4 << Form11 << Form12 << console->heardStations()
            << console->repeaters()->window();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && qobject_cast<QMenu*>(w) == nullptr && !windows.contains(w)) {
            windows << w;
        }
    }
    for (QWidget* window : windows) {
        found << check(window);
    }
    // Preferences, page by page.
    Preferences* preferences = console->preferences();
    preferences->openPreferences();
    for (int page = 0; page < preferences->pageList()->count(); ++page) {
        preferences->pageList()->setCurrentRow(page);
        found << check(preferences,
                       QStringLiteral("%1 > %2").arg(preferences->windowTitle(),
                                                     preferences->pageList()->item(page)->text()));
    }
    preferences->hide();
    for (const auto kind :
         {CallDialog::Kind::Reflector, CallDialog::Kind::Station, CallDialog::Kind::Repeater}) {
        CallDialog dialog(kind);
        found << check(&dialog);
    }
    LogContactDialog log(Contact{}, [](const Contact&) { return ContactLogger::Outcome{}; });
    found << check(&log);
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
    // The menus were opened at all: the context menus of both lists among them.
    EXPECT_GE(opened.filter(QStringLiteral("> context menu")).size(), 3)
        << opened.join(QLatin1Char('\n')).toStdString();
    EXPECT_GE(opened.size(), 20);
}

INSTANTIATE_TEST_SUITE_P(Languages, AccessKeys, ::testing::Values("en", "de", "ja"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace
} // namespace tamsel::test
