// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the Map window: where things are drawn, the base map, labels, looks, the keyboard,
// the mouse, screen readers, and the selection kept in step with Heard Stations.
#include "map/MapWindow.h"
#include "console/RepeaterFeature.h"
#include "console/Unit1.h"
#include "heard/HeardStations.h"
#include "memory/Unit4.h"
#include "repeaters/RepeatersWindow.h"
#include "support/ConsoleFixture.h"
#include "support/RecordingNotifier.h"
#include "widgets/Contrast.h"

#include <QAccessible>
#include <QClipboard>
#include <QImageReader>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <fstream>

namespace tamsel {
namespace {

using test::waitFor;

// A world pixel as the OpenStreetMap wiki's formulas give it, for comparison.
QPointF wikiPixel(double lat, double lon, int z) {
    const double n = 256 * std::ldexp(1.0, z);
    const double r = lat * M_PI / 180;
    return {(lon + 180) / 360 * n, (1 - std::asinh(std::tan(r)) / M_PI) / 2 * n};
}

HeardStation station(const std::string& call, double lat, double lon,
                     const std::string& symbol = "") {
    HeardStation s;
    s.callsign = call;
    s.lastHeard = "2026/12/08 10:00:00";
    s.message = "Hello from the map  ";
    s.position = Position{lat, lon, {}, {}, {}, symbol, {}};
    s.utcStart = std::chrono::system_clock::now();
    s.count = 1;
    return s;
}

bool near(const QColor& a, const QColor& b, int tolerance = 6) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

class MapWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MapWindow>(notifier, QByteArray("tamsel/test"));
        window->resize(900, 640);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        view = window->view();
        view->setUnits(Units::Metric);
    }
    test::RecordingNotifier notifier;
    std::unique_ptr<MapWindow> window;
    MapView* view = nullptr;
};

TEST_F(MapWindowTest, AStationLandsOnItsPixelAtThreeZooms) {
    ASSERT_TRUE(window->baseMap().error().isEmpty());
    const LatLon centre{48.0, 11.0};
    view->noteStation(station("DL1ABC", 48.2, 11.6));
    for (const int z : {3, 7, 10}) {
        view->centreOn(centre, z);
        const QPointF expected = QPointF(view->width() / 2.0, view->height() / 2.0) +
                                 wikiPixel(48.2, 11.6, z) -
                                 wikiPixel(centre.latitude, centre.longitude, z);
        const QPointF drawn = QRectF(view->itemRect(0)).center();
        EXPECT_NEAR(drawn.x(), expected.x(), 2) << "zoom " << z;
        EXPECT_NEAR(drawn.y(), expected.y(), 2) << "zoom " << z;
        // And the image has the marker there, not only the geometry.
        const QImage image = view->renderImage();
        EXPECT_TRUE(near(image.pixelColor(expected.toPoint()), view->colours().station))
            << "zoom " << z << ": " << image.pixelColor(expected.toPoint()).name().toStdString();
    }
}

TEST_F(MapWindowTest, TokyoIsLandAndThePacificIsSea) {
    view->centreOn({33, 142}, 6);
    const QImage image = view->renderImage(false);
    const QPoint tokyo = view->toScreen({35.70, 139.45}).toPoint(); // Tachikawa, inland
    const QPoint pacific = view->toScreen({31.0, 146.0}).toPoint();
    ASSERT_TRUE(image.rect().contains(tokyo) && image.rect().contains(pacific));
    EXPECT_TRUE(near(image.pixelColor(tokyo), view->colours().land))
        << image.pixelColor(tokyo).name().toStdString();
    EXPECT_TRUE(near(image.pixelColor(pacific), view->colours().sea))
        << image.pixelColor(pacific).name().toStdString();
}

TEST_F(MapWindowTest, LabelsNeverOverlapAndTheSelectedOneIsShown) {
    for (int i = 0; i < 300; ++i) {
        view->noteStation(station("DL" + std::to_string(1000 + i), 47.5 + (i % 20) * 0.05,
                                  10.5 + (i / 20) * 0.08));
    }
    view->selectStation("DL1000"); // heard first: it would lose to every newer one
    view->centreOn({48.0, 11.0}, 7);
    (void)view->renderImage();
    const auto& labels = view->drawnLabels();
    ASSERT_GT(labels.size(), 5u);
    EXPECT_LT(labels.size(), 300u);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        for (std::size_t j = i + 1; j < labels.size(); ++j) {
            ASSERT_FALSE(labels[i].intersects(labels[j])) << i << " " << j;
        }
    }
    const QRect selected = view->itemRect(view->selectedItem());
    EXPECT_NEAR(labels.front().left(), selected.right() + 1, 2);
    EXPECT_NEAR(labels.front().center().y(), selected.center().y(), 2);
}

TEST_F(MapWindowTest, WhereTwoLabelsWouldMeetTheStationHeardLastHasIt) {
    HeardStation first = station("DL1A", 48.0, 11.0);
    view->noteStation(first);
    view->noteStation(station("DL1ABC", 48.0, 11.0));
    view->centreOn({48.0, 11.0}, 8);
    const double shortLabel = QFontMetrics(view->font()).horizontalAdvance(QStringLiteral("DL1A"));
    auto shownWidth = [&] {
        (void)view->renderImage();
        return view->drawnLabels().size() == 1 ? view->drawnLabels().front().width() : -1.0;
    };
    EXPECT_GT(shownWidth(), shortLabel + 10); // DL1ABC, the newer
    first.count = 2;                          // DL1A heard again
    view->noteStation(first);
    EXPECT_LT(shownWidth(), shortLabel + 10);
}

// The process's peak resident memory in kB since the last reset.
long peakKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

TEST_F(MapWindowTest, AFrameFarFromHomeTakesNoMoreMemoryThanItsSize) {
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer holds freed memory back (its quarantine): the peak says nothing here.
    GTEST_SKIP() << "resident memory is not the program's own under AddressSanitizer";
#endif
    // Home in Munich, a Tokyo repeater selected: at each zoom in on Tokyo, your own marker
    // and the great-circle line lie further off the frame, by millions of pixels at the end.
    view->setOwnPosition(LatLon{48.14, 11.58});
    view->setRepeaters({{QStringLiteral("JP1YIU A"), {}, LatLon{35.68, 139.77}}});
    view->selectRepeater(QStringLiteral("JP1YIU A"));
    view->centreOn({35.68, 139.77}, 4);
    (void)view->renderImage();
    std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from here
    const long before = peakKb();
    ASSERT_GT(before, 0);
    for (int z = 5; z <= MapView::kMaxZoom; ++z) {
        view->centreOn({35.68, 139.77}, z);
        const QImage frame = view->renderImage();
        ASSERT_FALSE(frame.isNull());
        ASSERT_FALSE(view->drawnLabels().empty()) << "zoom " << z; // the repeater's label
    }
    EXPECT_LT(peakKb() - before, 50 * 1024);
}

TEST_F(MapWindowTest, FollowsTheLightAndTheDarkTheme) {
    view->centreOn({33, 142}, 6);
    const QPoint pacific = view->toScreen({31.0, 146.0}).toPoint();
    const QPoint tokyo = view->toScreen({35.70, 139.45}).toPoint();
    window->setPalette(QApplication::style()->standardPalette());
    const QImage light = view->renderImage(false);
    EXPECT_FALSE(view->dark());
    window->setPalette(darkPalette());
    EXPECT_TRUE(view->dark());
    const QImage dark = view->renderImage(false);
    EXPECT_TRUE(near(light.pixelColor(pacific), MapColours::light().sea));
    EXPECT_TRUE(near(dark.pixelColor(pacific), MapColours::dark().sea));
    EXPECT_TRUE(near(dark.pixelColor(tokyo), MapColours::dark().land));
    // Land stands apart from the sea in both, and the dark land is darker than the light.
    EXPECT_LT(dark.pixelColor(tokyo).lightness(), light.pixelColor(tokyo).lightness());
    EXPECT_GT(std::abs(dark.pixelColor(tokyo).lightness() - dark.pixelColor(pacific).lightness()),
              10);
}

TEST_F(MapWindowTest, ScreenReadersFindEachStationAndRepeaterAtItsPlace) {
    view->setOwnPosition(LatLon{35.6812, 139.7671}); // Tokyo station
    view->noteStation(station("JH3ABC", 34.7025, 135.4959));
    view->noteStation(station("JA0NOP", 36.6485, 138.1948));
    view->setRepeaters(
        {{QStringLiteral("JP1YIU A"), QStringLiteral("Yokohama"), LatLon{35.4437, 139.6380}},
         {QStringLiteral("JP1YKR"), QStringLiteral("Unplaced"), std::nullopt}});
    view->centreOn({35.5, 137.5}, 7);
    QAccessibleInterface* map = QAccessible::queryAccessibleInterface(view);
    ASSERT_NE(map, nullptr);
    ASSERT_EQ(map->childCount(), 3); // the repeater without a position is not on the map
    const QStringList names{map->child(0)->text(QAccessible::Name),
                            map->child(1)->text(QAccessible::Name),
                            map->child(2)->text(QAccessible::Name)};
    EXPECT_EQ(names, QStringList({"JH3ABC, 404 km, 256 degrees", "JA0NOP, 178 km, 308 degrees",
                                  "JP1YIU A, 28.8 km, 204 degrees"}));
    for (int i = 0; i < 3; ++i) {
        const QRect r = map->child(i)->rect();
        EXPECT_EQ(r,
                  QRect(view->mapToGlobal(view->itemRect(i).topLeft()), view->itemRect(i).size()));
        EXPECT_EQ(map->childAt(r.center().x(), r.center().y()), map->child(i));
        EXPECT_EQ(map->indexOfChild(map->child(i)), i);
    }
    const QPointF osaka = view->toScreen({34.7025, 135.4959});
    EXPECT_LE((QRectF(map->child(0)->rect()).center() - QPointF(view->mapToGlobal(osaka.toPoint())))
                  .manhattanLength(),
              2);
    view->setFocus();
    view->selectItem(1, true);
    EXPECT_TRUE(map->child(1)->state().selected);
    EXPECT_FALSE(map->child(0)->state().selected);
    // Far from the view, an item is off screen.
    view->centreOn({-33, 151}, 9);
    EXPECT_TRUE(map->child(0)->state().offscreen);
}

TEST_F(MapWindowTest, TheKeyboardPansZoomsAndMovesFromStationToStation) {
    view->noteStation(station("JA1XYZ", 35.68, 139.77));
    view->noteStation(station("JH3ABC", 34.70, 135.50));
    view->noteStation(station("JR6KLM", 26.21, 127.68));
    view->setFocus();
    view->centreOn({35, 137}, 6);
    QSignalSpy chosen(view, &MapView::stationSelected);
    QSignalSpy activated(view, &MapView::stationActivated);

    const QPointF before = view->toScreen({35, 137});
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_LT(view->toScreen({35, 137}).x(), before.x() - 30);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_LT(view->toScreen({35, 137}).y(), before.y() - 30);
    QTest::keyClick(view, Qt::Key_Left);
    QTest::keyClick(view, Qt::Key_Up);
    EXPECT_NEAR(view->toScreen({35, 137}).x(), before.x(), 0.5);
    QTest::keyClick(view, Qt::Key_Plus);
    EXPECT_EQ(view->zoom(), 7);
    QTest::keyClick(view, Qt::Key_Minus);
    QTest::keyClick(view, Qt::Key_Minus);
    EXPECT_EQ(view->zoom(), 5);
    view->centreOn({-33, 151}, 10);
    QTest::keyClick(view, Qt::Key_Home);
    for (int i = 0; i < view->itemCount(); ++i) {
        EXPECT_TRUE(view->rect().contains(view->itemRect(i))) << i;
    }

    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_EQ(view->selectedItem(), 1);
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClick(view, Qt::Key_Tab); // round to the first
    EXPECT_EQ(view->selectedItem(), 0);
    QTest::keyClick(view, Qt::Key_Backtab);
    EXPECT_EQ(view->selectedItem(), 2);
    EXPECT_TRUE(view->hasFocus()); // Tab stayed in the map
    ASSERT_EQ(chosen.size(), 5);
    EXPECT_EQ(chosen.last().at(0).toString(), "JR6KLM");
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_EQ(activated.size(), 1);
    EXPECT_EQ(activated.last().at(0).toString(), "JR6KLM");
}

TEST_F(MapWindowTest, TheMouseDragsZoomsAboutThePointerAndReplies) {
    view->noteStation(station("JA1XYZ", 35.68, 139.77));
    view->centreOn({35, 137}, 6);
    const QPointF before = view->toScreen({35, 137});
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(view, QPoint(130, 110));
    QTest::mouseMove(view, QPoint(160, 140));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(160, 140));
    EXPECT_NEAR(view->toScreen({35, 137}).x(), before.x() + 60, 0.5);
    EXPECT_NEAR(view->toScreen({35, 137}).y(), before.y() + 40, 0.5);
    EXPECT_EQ(view->selectedItem(), -1); // a drag selects nothing

    const QPointF pointer(200, 150);
    const LatLon under = fromPixel(
        {pointer.x() + view->viewport().left, pointer.y() + view->viewport().top}, view->zoom());
    QWheelEvent wheel(pointer, view->mapToGlobal(pointer), {}, {0, 120}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
    EXPECT_EQ(view->zoom(), 7);
    EXPECT_NEAR(view->toScreen(under).x(), pointer.x(), 0.5);
    EXPECT_NEAR(view->toScreen(under).y(), pointer.y(), 0.5);

    QSignalSpy replies(view, &MapView::replyRequested);
    view->centreOn({35.68, 139.77});
    const QPoint marker = view->itemRect(0).center();
    QTest::mouseClick(view, Qt::LeftButton, {}, marker);
    EXPECT_EQ(view->selectedItem(), 0);
    QTest::mouseDClick(view, Qt::LeftButton, {}, marker);
    ASSERT_EQ(replies.size(), 1);
    EXPECT_EQ(replies.last().at(0).toString(), "JA1XYZ");
    const QString tip = view->itemTooltip(0);
    EXPECT_TRUE(
        tip.startsWith("JA1XYZ\nLast heard: 2026/12/08 10:00:00\nMessage: Hello from the map"))
        << tip.toStdString();
}

TEST_F(MapWindowTest, TheContextMenuRepliesLogsAndCopies) {
    view->noteStation(station("JA1XYZ", 35.68, 139.77));
    view->centreOn({35.68, 139.77}, 8);
    QSignalSpy replies(view, &MapView::replyRequested);
    QSignalSpy logs(view, &MapView::logContactRequested);
    QStringList seen;
    for (const QString wanted : {"&Reply", "&Log Contact...", "&Copy Position"}) {
        QTimer::singleShot(0, view, [&seen, wanted] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            seen.clear();
            for (QAction* a : menu->actions()) {
                seen << a->text();
                if (a->text() == wanted) {
                    a->trigger();
                }
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, view->itemRect(0).center(),
                                view->mapToGlobal(view->itemRect(0).center()));
        QApplication::sendEvent(view, &event);
    }
    EXPECT_EQ(seen, QStringList({"&Reply", "&Log Contact...", "&Copy Position"}));
    EXPECT_EQ(replies.size(), 1);
    EXPECT_EQ(logs.size(), 1);
    EXPECT_EQ(QApplication::clipboard()->text(), "35.68000, 139.77000 (PM95vq)");
}

TEST_F(MapWindowTest, TheMenuKeyAndShiftF10OpenTheContextMenu) {
    view->noteStation(station("JA1XYZ", 35.68, 139.77));
    view->centreOn({35.68, 139.77}, 8);
    view->setFocus();
    view->selectItem(0, true);
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
        QStringList seen;
        QTimer::singleShot(0, view, [&seen] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* a : menu->actions()) {
                    seen << a->text();
                }
                menu->close();
            }
        });
        QTest::keyClick(view, key, modifiers);
        EXPECT_EQ(seen, QStringList({"&Reply", "&Log Contact...", "&Copy Position"})) << key;
    }
}

TEST_F(MapWindowTest, TheStatusBarFollowsTheSelectedStationAsItMoves) {
    view->setOwnPosition(LatLon{35.68, 139.77});
    view->noteStation(station("JA1XYZ", 35.70, 139.77));
    view->noteStation(station("JH1ABC", 35.80, 139.77));
    view->selectStation("JA1XYZ");
    const auto* status = window->statusBar()->findChild<QLabel*>();
    ASSERT_NE(status, nullptr);
    ASSERT_TRUE(status->text().contains("2.2 km")) << status->text().toStdString();
    HeardStation moved = station("JA1XYZ", 35.78, 139.77);
    moved.lastHeard = "2026/12/08 10:05:00";
    view->noteStation(moved);
    EXPECT_TRUE(status->text().contains("11.1 km")) << status->text().toStdString();
    EXPECT_TRUE(status->text().contains("10:05:00")) << status->text().toStdString();
}

TEST_F(MapWindowTest, ShowOnMapSetsTheItemApartFromHomeWithItsLabel) {
    const LatLon home{48.1374, 11.5755};
    view->setOwnPosition(home);
    view->noteStation(station("DL1ABC", 48.1554, 11.5755)); // 2 km north
    // 2 km east; 1 km west: 40 pixels off at the zoom that sets it apart, so its label
    // reaches over your own marker.
    view->setRepeaters({{QStringLiteral("DB0ABC C"), {}, LatLon{48.1374, 11.6025}},
                        {QStringLiteral("DB0WST B"), {}, LatLon{48.1374, 11.5618}}});
    const std::vector<std::pair<const char*, std::function<bool()>>> rows{
        {"station", [&] { return view->showStation("DL1ABC"); }},
        {"repeater", [&] { return view->showRepeater(QStringLiteral("DB0ABC C")); }},
        {"repeater west", [&] { return view->showRepeater(QStringLiteral("DB0WST B")); }}};
    for (const auto& [what, show] : rows) {
        view->centreOn(home, 4);
        ASSERT_TRUE(show()) << what;
        (void)view->renderImage();
        const QRect item = view->itemRect(view->selectedItem());
        const QPointF apart = QPointF(item.center()) - view->toScreen(home);
        EXPECT_GE(std::hypot(apart.x(), apart.y()), 2.0 * item.width()) << what;
        ASSERT_FALSE(view->drawnLabels().empty()) << what;
        EXPECT_NEAR(view->drawnLabels().front().left(), item.right() + 1, 2) << what;
        EXPECT_NEAR(view->drawnLabels().front().center().y(), item.center().y(), 2) << what;
    }
}

TEST_F(MapWindowTest, SaveImageWritesAPng) {
    view->noteStation(station("JA1XYZ", 35.68, 139.77));
    QTemporaryDir dir;
    const QString path = dir.filePath("map.png");
    window->chooseFile = [path] { return path; };
    window->SaveImage1->trigger();
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), "png");
    EXPECT_EQ(reader.read().size(), view->size());
    EXPECT_TRUE(notifier.boxes.empty());
    EXPECT_EQ(window->SaveImage1->text(), "Save &Image...");
}

// The map in the console: opened from the Window menu and Heard Stations, fed by what is
// heard, its selection the table's.
class MapConsoleTest : public test::ConsoleFixture {
protected:
    void hear(const std::string& call, double lat, double lon) {
        StationReport r;
        r.caller = call;
        r.time = "2026/12/08 10:00:00";
        r.utcStart = std::chrono::system_clock::now();
        HeardStationsModel* model = console->heardStations()->model();
        model->apply(r);
        StationReport p;
        p.kind = StationReport::Kind::Position;
        p.caller = call;
        p.position.latitude = lat;
        p.position.longitude = lon;
        model->apply(p);
    }
};

TEST_F(MapConsoleTest, FollowsHeardStationsBothWays) {
    start();
    MapWindow* map = console->map();
    ASSERT_NE(map, nullptr);
    QAction* open = nullptr;
    for (QAction* a : Form1->menuWindow->actions()) {
        if (a->text() == "Ma&p") {
            open = a;
        }
    }
    ASSERT_NE(open, nullptr);
    open->trigger();
    EXPECT_TRUE(map->isVisible());
    EXPECT_EQ(map->windowTitle(), "Map");

    hear("JA1XYZ", 35.68, 139.77);
    hear("JH3ABC", 34.70, 135.50);
    MapView* view = map->view();
    ASSERT_EQ(view->itemCount(), 2);
    // A new position moves the marker at once.
    const QRect was = view->itemRect(0);
    hear("JA1XYZ", 35.90, 139.90);
    EXPECT_NE(view->itemRect(0), was);
    EXPECT_EQ(view->stations().stations()[0].track.size(), 2u);

    HeardStations* heard = console->heardStations();
    const int row = heard->model()->rowOf("JH3ABC");
    heard->table()->selectRow(row);
    EXPECT_EQ(view->selectedStation(), "JH3ABC");
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Tab); // from JH3ABC round to JA1XYZ
    EXPECT_EQ(view->selectedStation(), "JA1XYZ");
    EXPECT_EQ(heard->table()->currentIndex().row(), heard->model()->rowOf("JA1XYZ"));
    QTest::keyClick(view, Qt::Key_Enter);
    EXPECT_TRUE(heard->isVisible());

    // The repeaters of the directory, again after an import.
    const int stations = view->itemCount();
    ASSERT_TRUE(test::importList(QStringLiteral(TAMSEL_SOURCE_DIR "/examples/icom-repeaters.csv")));
    ASSERT_GT(view->itemCount(), stations);
    EXPECT_FALSE(view->stations().repeaters().front().callsign.isEmpty());

    // Show on Map from the table centres the map on that station and selects it.
    map->hide();
    emit heard->showOnMapRequested(QStringLiteral("JH3ABC"));
    EXPECT_TRUE(map->isVisible());
    EXPECT_EQ(view->selectedStation(), "JH3ABC");
    const QPoint centre = view->itemRect(view->selectedItem()).center();
    EXPECT_NEAR(centre.x(), view->width() / 2, 2);
    EXPECT_NEAR(centre.y(), view->height() / 2, 2);

    // The Repeaters window: a row chosen there is the repeater selected on the map and the
    // other way round; its Show on Map centres the map on it.
    RepeatersWindow* window = console->repeaters()->window();
    auto* table = window->findChild<QTableView*>();
    ASSERT_NE(table, nullptr);
    std::vector<int> placed; // rows of D-STAR repeaters with a position
    for (int row = 0; row < table->model()->rowCount() && placed.size() < 2; ++row) {
        if (const Repeater* r = window->repeaterAt(row); r->dv && r->position) {
            placed.push_back(row);
        }
    }
    ASSERT_EQ(placed.size(), 2u);
    const auto callOf = [window](int row) {
        return QString::fromStdString(window->repeaterAt(row)->shownCallsign());
    };
    // An item's name is its callsign, then its distance and bearing when your position is known.
    const auto names = [view](int item, const QString& call) {
        const QString name = view->itemName(item);
        return name == call || name.startsWith(call + QLatin1Char(','));
    };
    table->selectRow(placed[0]);
    ASSERT_GE(view->selectedItem(), 0);
    EXPECT_TRUE(names(view->selectedItem(), callOf(placed[0])));
    int other = -1;
    for (int item = 0; item < view->itemCount(); ++item) {
        if (names(item, callOf(placed[1]))) {
            other = item;
        }
    }
    ASSERT_GE(other, 0);
    view->selectItem(other, true);
    EXPECT_EQ(table->currentIndex().row(), placed[1]);
    map->hide();
    window->ShowOnMap->trigger();
    EXPECT_TRUE(map->isVisible());
    EXPECT_EQ(view->selectedItem(), other);
    const QPoint middle = view->itemRect(other).center();
    EXPECT_NEAR(middle.x(), view->width() / 2, 2);
    EXPECT_NEAR(middle.y(), view->height() / 2, 2);
}

} // namespace
} // namespace tamsel
