// SPDX-License-Identifier: GPL-3.0-or-later
// Renders every window of the demo set-up into PNG files, for the README:
//   tamsel-screenshots OUTPUT-FOLDER MEMORY-FILE
// or, with --language=ja or --language=de, the main windows in that language.
#include "alerts/AlertsPage.h"
#include "calls/CallMenu.h"
#include "console/Console.h"
#include "console/RepeaterFeature.h"
#include "console/Unit1.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit6.h"
#include "heard/HeardStations.h"
#include "history/Unit5.h"
#include "language/Translations.h"
#include "log/LogContact.h"
#include "map/MapWindow.h"
#include "memory/Unit12.h"
#include "memory/Unit4.h"
#include "monitor/RadioHeader.h"
#include "repeaters/RepeatersWindow.h"
#include "settings/AprsPage.h"
#include "settings/Preferences.h"
#include "settings/RemotePage.h"

#include "sim/Demo.h"
#include "sim/SimulatedBus.h"
#include "station/OwnStation.h"
#include "widgets/Contrast.h"
#include <QCheckBox>
#include <QLineEdit>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <random>

namespace {

class NoBoxes : public tamsel::Notifier {
    void error(const QString&) override {}
    void information(const QString&) override {}
    void plain(const QString&, const QString&) override {}
    void failure(const QString&) override {}
    void exception(const QString&) override {}
};

bool save(QWidget* window, const QDir& dir, const char* name) {
    window->show();
    (void)QTest::qWaitForWindowExposed(window);
    QCoreApplication::processEvents();
    const QString path = dir.filePath(QString::fromLatin1(name));
    const bool ok = window->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

// A repeater list imported as File, Import Repeater List does it, once it is in.
bool importList(const QString& path) {
    return tamsel::Form3->importList(path) &&
           QTest::qWaitFor([] { return !tamsel::Form3->importing(); }, 5000);
}

// The Call menu open below its title, drawn over the main window as the operator sees it,
// and the Link Reflector dialog with a few reflectors linked before.
bool callPictures(const QDir& dir) {
    using namespace tamsel;
    auto* calls = Form1->findChild<CallMenu*>();
    Form1->show();
    (void)QTest::qWaitForWindowExposed(Form1);
    const QRect title = Form1->menuBar()->actionGeometry(calls->menuAction());
    calls->popup(Form1->menuBar()->mapToGlobal(title.bottomLeft()));
    (void)QTest::qWaitForWindowExposed(calls);
    calls->setActiveAction(calls->LinkReflector1);
    QCoreApplication::processEvents();
    const QPixmap window = Form1->grab();
    const QPixmap menu = calls->grab();
    const QPoint at = Form1->mapFromGlobal(calls->pos());
    QPixmap shot(QRect(QPoint(0, 0), window.size()).united(QRect(at, menu.size())).size());
    shot.fill(Form1->palette().color(QPalette::Window));
    {
        QPainter painter(&shot);
        painter.drawPixmap(0, 0, window);
        painter.drawPixmap(at, menu);
    }
    calls->hide();
    const QString path = dir.filePath(QStringLiteral("call-menu.png"));
    bool ok = shot.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));

    calls->setRecentReflectors({QStringLiteral("REF030 C"), QStringLiteral("XLX307 A")});
    calls->LinkReflector1->trigger();
    ok = save(calls->dialog(CallDialog::Kind::Reflector), dir, "link-reflector.png") && ok;
    calls->dialog(CallDialog::Kind::Reflector)->reject();
    return ok;
}

// The map of the demo's stations seen from Yokohama, the station heard first selected, with
// a few repeaters.
bool mapPicture(tamsel::Console& console, const QDir& dir, const char* name) {
    using namespace tamsel;
    MapWindow* map = console.map();
    map->setRepeaters(
        {{QStringLiteral("JP1YIU A"), QStringLiteral("Yokohama"), LatLon{35.4437, 139.6380}},
         {QStringLiteral("JP2YGG A"), QStringLiteral("Nagoya"), LatLon{35.1815, 136.9066}},
         {QStringLiteral("JP3YIY A"), QStringLiteral("Osaka"), LatLon{34.6937, 135.5023}}});
    map->view()->setOwnPosition(LatLon{35.4660, 139.6220});
    map->show();
    map->view()->showEverything();
    if (map->view()->itemCount() > 0) {
        map->view()->selectItem(0, false);
    }
    return save(map, dir, name);
}

// The gate to APRS-IS: its Preferences page filled in, and the main window with the status
// bar it has while the gate is on.
bool gatePictures(tamsel::Console& console, const QDir& dir, const std::string& suffix) {
    using namespace tamsel;
    Preferences* preferences = console.preferences();
    preferences->openPreferences();
    bool ok = false;
    if (auto* page = qobject_cast<AprsPage*>(preferences->page(QStringLiteral("APRS-IS")))) {
        page->gate()->setChecked(true);
        page->callsign()->setText(QStringLiteral("JA1ABC"));
        page->ssid()->setText(QStringLiteral("10"));
        page->passcode()->setText(QStringLiteral("12345"));
        preferences->showPage(page);
        ok = save(preferences, dir, ("aprs-is" + suffix + ".png").c_str());
    }
    preferences->reject();
    Form1->showGateStatus(QCoreApplication::translate("tamsel::AprsGate",
                                                      "APRS-IS: connected, %n gated", nullptr, 12));
    ok = save(Form1, dir, ("main-gating" + suffix + ".png").c_str()) && ok;
    Form1->showGateStatus({});
    return ok;
}

} // namespace

// The main window, the received history and the memory at 9, 11 and 12 pt, in a light and
// a dark theme, for a look at contrast and layout: OUTPUT-FOLDER/looks/.
bool looks(const QDir& dir, tamsel::SimulatedAdapter& adapter, tamsel::AdapterLink& link,
           const QString& memoryFile) {
    using namespace tamsel;
    const QPalette dark = darkPalette();
    const QPalette light = QApplication::style()->standardPalette();
    QDir out(dir.filePath(QStringLiteral("looks")));
    out.mkpath(QStringLiteral("."));
    bool ok = true;
    std::mt19937 rng(7);
    for (const int points : {9, 11, 12}) {
        for (const bool isDark : {false, true}) {
            QFont font = QApplication::font();
            font.setPointSize(points);
            QApplication::setFont(font);
            QApplication::setPalette(isDark ? dark : light);
            NoBoxes boxes;
            Console console(link, boxes);
            Form1->HistoryClick();
            adapter.queueReception(demoReception(rng, 0.1, kDemoCallsign).script);
            (void)QTest::qWaitFor([] { return Form4->History->count() == 1; }, 5000);
            const std::string name = std::to_string(points) + "pt-" + (isDark ? "dark" : "light");
            ok = save(Form1, out, ("main-" + name + ".png").c_str()) && ok;
            ok = gatePictures(console, out, "-" + name) && ok;
            ok = save(Form4, out, ("history-" + name + ".png").c_str()) && ok;
            ok = Form3->loadFile(memoryFile) && ok;
            Form3->Memory->selectRow(3);
            ok = save(Form3, out, ("memory-" + name + ".png").c_str()) && ok;
            ok = mapPicture(console, out, ("map-" + name + ".png").c_str()) && ok;
            // The Repeaters window over the example list, from Tokyo Station.
            ok = importList(
                     QFileInfo(memoryFile).dir().filePath(QStringLiteral("icom-repeaters.csv"))) &&
                 ok;
            StationSettings here;
            here.source = PositionSource::Locator;
            here.locator = QStringLiteral("PM95vq");
            console.ownStation()->configure(here);
            RepeatersWindow* repeaters = console.repeaters()->window();
            repeaters->table()->selectRow(0);
            ok = save(repeaters, out, ("repeaters-" + name + ".png").c_str()) && ok;
        }
    }
    return ok;
}

// A station calling My Call: Called Callsign in the alert colour; the Alerts page.
bool alertPictures(tamsel::Console& console, tamsel::SimulatedAdapter& adapter, const QDir& dir) {
    using namespace tamsel;
    ScriptedReception call;
    call.header.assign(kHeaderSize, ' ');
    call.header[0] = call.header[1] = call.header[2] = 0;
    const std::string your = Form1->myCall().toStdString(), my = "JA1XYZ  ";
    std::copy(your.begin(), your.end(), call.header.begin() + kYourOffset);
    std::copy(my.begin(), my.end(), call.header.begin() + kMyOffset);
    adapter.queueReception(call);
    if (!QTest::qWaitFor([] { return Form1->calledIsMine(); }, 5000)) {
        std::fprintf(stderr, "the call to My Call did not arrive\n");
        return false;
    }
    bool ok = save(Form1, dir, "called-me.png");
    Preferences* preferences = console.preferences();
    preferences->openPreferences();
    if (auto* page = qobject_cast<AlertsPage*>(preferences->page(QStringLiteral("Alerts")))) {
        AlertSettings watched;
        watched.watch = {"JA1*", "W1AW*", "DL1ABC"};
        page->setValues(watched);
        preferences->showPage(page);
        ok = save(preferences, dir, "alerts.png") && ok;
    } else {
        ok = false;
    }
    // The page for browsers, served from the desk to the home network.
    if (auto* page = qobject_cast<RemotePage*>(preferences->page(QStringLiteral("Remote")))) {
        page->enabled()->setChecked(true);
        page->listen()->setText(QStringLiteral("0.0.0.0:8073"));
        preferences->showPage(page);
        ok = save(preferences, dir, "remote.png") && ok;
    } else {
        ok = false;
    }
    preferences->reject();
    return gatePictures(console, dir, "") && ok;
}

int main(int argc, char* argv[]) {
    const std::string option = argc == 4 ? argv[3] : "";
    const bool translated = option == "--language=ja" || option == "--language=de";
    if (argc != 3 && !(argc == 4 && (option == "--looks" || translated))) {
        std::fprintf(
            stderr,
            "usage: %s OUTPUT-FOLDER MEMORY-FILE [--looks | --language=ja | --language=de]\n",
            argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The console logs what it hears: into a folder of this run's own.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QApplication app(argc, argv);
    QDir dir(QString::fromLocal8Bit(argv[1]));
    dir.mkpath(QStringLiteral("."));
    auto adapter = std::make_shared<tamsel::SimulatedAdapter>();
    adapter->setTracing(false);
    tamsel::configureDemoAdapter(*adapter);
    adapter->setLatency(std::chrono::microseconds(200));
    tamsel::SimulatedBus bus(tamsel::SimulatedBus::oneAdapter(), adapter);
    tamsel::Discovery discovery = tamsel::discoverAdapter(bus);
    std::unique_ptr<tamsel::Translations> translations;
    if (translated) {
        translations = std::make_unique<tamsel::Translations>(
            QString::fromStdString(option.substr(option.find('=') + 1)));
    }
    if (option == "--looks") {
        return looks(dir, *adapter, *discovery.link, QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    NoBoxes boxes;
    tamsel::Console console(*discovery.link, boxes,
                            QCoreApplication::translate("DemoMain", " [demo: simulated adapter]"));
    using namespace tamsel;

    Form1->HistoryClick();
    std::mt19937 rng(2026);
    for (int i = 0; i < 10; ++i) {
        adapter->queueReception(demoReception(rng, 0.1, kDemoCallsign).script);
        const int lines = i + 1;
        if (!QTest::qWaitFor([&] { return Form4->History->count() == lines; }, 5000)) {
            std::fprintf(stderr, "reception %d did not arrive\n", lines);
            return 1;
        }
    }
    Form3->loadFile(QString::fromLocal8Bit(argv[2]));
    Form3->Memory->selectRow(3);
    Form12->SearchKey->setText(QStringLiteral("JR1YB"));

    if (translated) {
        bool ok = save(Form1, dir, "main-window.png");
        ok = save(Form4, dir, "received-history.png") && ok;
        ok = save(console.heardStations(), dir, "heard-stations.png") && ok;
        ok = gatePictures(console, dir, "") && ok;
        return ok ? 0 : 1;
    }
    bool ok = save(Form1, dir, "main-window.png");
    ok = save(Form4, dir, "received-history.png") && ok;
    ok = save(Form3, dir, "memory.png") && ok;
    ok = save(Form12, dir, "search.png") && ok;
    ok = save(Form11, dir, "default-setting.png") && ok;
    ok = save(Form2, dir, "station-callsign.png") && ok;
    ok = save(console.heardStations(), dir, "heard-stations.png") && ok;
    ok = mapPicture(console, dir, "map.png") && ok;
    // File, Log Contact... for the last caller, a frequency typed in.
    for (QAction* action : Form1->menuFile->actions()) {
        if (action->text() == QLatin1String("Log Contact...")) {
            action->trigger();
        }
    }
    if (auto* contact = Form1->findChild<LogContactDialog*>()) {
        for (auto* edit : contact->findChildren<QLineEdit*>()) {
            if (edit->accessibleName() == QLatin1String("Frequency (MHz)")) {
                edit->setText(QStringLiteral("439.41"));
            } else if (edit->accessibleName() == QLatin1String("RST sent")) {
                edit->setText(QStringLiteral("59"));
            }
        }
        ok = save(contact, dir, "log-contact.png") && ok;
        contact->close();
    } else {
        ok = false;
    }
    ok = callPictures(dir) && ok;
    ok = alertPictures(console, *adapter, dir) && ok;
    // The example Icom list beside the memory file, Japanese names lined up.
    const QString list = QFileInfo(QString::fromLocal8Bit(argv[2]))
                             .dir()
                             .filePath(QStringLiteral("icom-repeaters.csv"));
    ok = importList(list) && ok;
    Form3->Memory->selectRow(0);
    ok = save(Form3, dir, "repeater-list.png") && ok;
    // The same list in the Repeaters window, seen from Tokyo Station, with the CHIRP export.
    ok = importList(QFileInfo(list).dir().filePath(QStringLiteral("chirp-export.csv"))) && ok;
    StationSettings here;
    here.source = PositionSource::Locator;
    here.locator = QStringLiteral("PM95vq");
    console.ownStation()->configure(here);
    RepeatersWindow* repeaters = console.repeaters()->window();
    repeaters->show();
    repeaters->table()->selectRow(0);
    ok = save(repeaters, dir, "repeaters.png") && ok;
    return ok ? 0 : 1;
}
