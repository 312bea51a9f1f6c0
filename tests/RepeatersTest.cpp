// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the repeater directory in the console: the Repeaters window, Use as My Repeater and
// Use Nearest Repeater (their request traces and refusals), lists kept on import, Log Contact.
#include "calls/CallMenu.h"
#include "console/RepeaterFeature.h"
#include "language/Translations.h"
#include "log/LogContact.h"
#include "map/MapView.h"
#include "map/MapWindow.h"
#include "memory/Unit4.h"
#include "repeaters/RepeatersWindow.h"
#include "settings/SettingsStore.h"
#include "station/OwnStation.h"
#include "support/CaseName.h"
#include "support/ConsoleFixture.h"

#include <QAccessible>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

namespace tamsel {
namespace {

using test::describe;
using Trace = std::vector<std::string>;

QString dataFile(const char* name) {
    return QStringLiteral(TAMSEL_SOURCE_DIR "/tests/data/repeaters/") + QLatin1String(name);
}

const LatLon kAkihabara{35.6984, 139.7731};
const LatLon kKobe{34.69, 135.19};

class RepeatersFixture : public test::ConsoleFixture {
public:
    // The adapter's header: CQ through JR1YB B's gateway (Repeater 1 and 2 as given).
    void startWith(const std::string& rpt1, const std::string& rpt2, std::uint8_t flags) {
        sim->setText(0x64, rpt2);
        sim->setText(0x63, rpt1);
        sim->setText(0x62, "CQCQCQ  ");
        sim->setText(0x60, "JA1ABC  ");
        sim->setValue(0x65, {flags, 0, 0});
        start();
    }
    RepeaterFeature& feature() { return *console->repeaters(); }
    RepeatersWindow& window() { return *feature().window(); }
    void importList(const char* name) {
        ASSERT_TRUE(test::importList(dataFile(name)));
        notifier.boxes.clear(); // "Imported ..."
    }
    void stand(const std::optional<LatLon>& here, Units units = Units::Metric) {
        StationSettings s;
        s.units = units;
        if (here) {
            s.source = PositionSource::LatLon;
            s.latitude = here->latitude;
            s.longitude = here->longitude;
        }
        // Through the settings, as Preferences would: every commit reads them again.
        s.save(*console->settings());
        console->settings()->commit();
    }
    QStringList column(int c) {
        // The order is worked out on a thread of its own.
        EXPECT_TRUE(test::waitFor([this] { return !window().model()->sorting(); }));
        QStringList out;
        const auto* m = window().table()->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            out << m->index(r, c).data().toString();
        }
        return out;
    }
    // Typed where QTest can type it (ASCII), else put in as an input method would.
    void filter(const QString& text) {
        window().filterField()->clear();
        if (QString::fromLatin1(text.toLatin1()) == text && text.toLatin1().toUpper() != "") {
            QTest::keyClicks(window().filterField(), text);
        } else {
            window().filterField()->setText(text);
        }
    }
};

const Trace kToAkihabaraA{"SetRpt1Call \"JP1YIU A\"", "SetRpt2Call \"JP1YIU G\"", "GetTxFlags",
                          "SetTxFlags \"@\\x00\\x00\"", "GetTxFlags"};

struct UseCase {
    const char* what;
    std::string rpt1, rpt2;
    std::uint8_t flags;
    std::function<void(RepeatersFixture&)> act;
    Trace sent;
};

class UseTrace : public RepeatersFixture {
public:
    void choose(const char* typed) {
        window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
        filter(QString::fromUtf8(typed));
        ASSERT_EQ(window().table()->model()->rowCount(), 1) << typed;
        window().table()->setFocus();
        window().table()->setCurrentIndex(window().table()->model()->index(0, 0));
    }
};
class UseTraceCase : public UseTrace, public ::testing::WithParamInterface<UseCase> {};

TEST_P(UseTraceCase, OneRequestPerChangedFieldThenTheFlag) {
    const UseCase& c = GetParam();
    startWith(c.rpt1, c.rpt2, c.flags);
    importList("icom-japan-sjis.csv");
    stand(kAkihabara);
    c.act(*this);
    EXPECT_EQ(describe(sentSinceStart()), c.sent) << c.what;
    EXPECT_EQ(Form1->RPT1CALL->text(), "JP1YIU A");
    EXPECT_EQ(Form1->RPT2CALL->text(), "JP1YIU G");
    EXPECT_EQ(Form1->YourCALL->text(), "CQCQCQ  "); // Your Call stays
    EXPECT_TRUE(Form1->Repeater->isChecked());
    EXPECT_TRUE(notifier.boxes.empty()) << notifier.texts().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Repeaters, UseTraceCase,
    ::testing::Values(
        UseCase{"Enter on the row", "JR1YB  B", "JR1YB  G", 0x00,
                [](RepeatersFixture& f) {
                    static_cast<UseTrace&>(f).choose("jp1yiu a");
                    QTest::keyClick(f.feature().window()->table(), Qt::Key_Return);
                },
                kToAkihabaraA},
        UseCase{"double-click on the row", "JR1YB  B", "JR1YB  G", 0x00,
                [](RepeatersFixture& f) {
                    static_cast<UseTrace&>(f).choose("JP1YIUA");
                    QTableView* t = f.feature().window()->table();
                    const QPoint at = t->visualRect(t->model()->index(0, 1)).center();
                    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, at);
                    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, at);
                },
                kToAkihabaraA},
        UseCase{"the context menu, where Repeater 1 already stands",
                "JP1YIU A",
                "JR1YB  G",
                0x40,
                [](RepeatersFixture& f) {
                    static_cast<UseTrace&>(f).choose("JP1YIU A");
                    f.feature().window()->UseAsMyRepeater->trigger();
                },
                {"SetRpt2Call \"JP1YIU G\""}},
        UseCase{"Use Nearest Repeater", "JR1YB  B", "JR1YB  G", 0x00,
                [](RepeatersFixture& f) { f.feature().useNearestAction()->trigger(); },
                kToAkihabaraA},
        UseCase{"Use Nearest Repeater where all already stands sends nothing",
                "JP1YIU A",
                "JP1YIU G",
                0x40,
                [](RepeatersFixture& f) { f.feature().useNearestAction()->trigger(); },
                {}}),
    test::ByWhat());

struct RefusalCase {
    const char* what;
    std::optional<LatLon> here;
    std::vector<const char*> lists;
    const char* said;
};

class Refusal : public RepeatersFixture, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusal, SaysWhyAndChangesNothing) {
    const RefusalCase& c = GetParam();
    startWith("JR1YB  B", "JR1YB  G", 0x00);
    for (const char* list : c.lists) {
        importList(list);
    }
    stand(c.here);
    // Through the menu as the operator reaches it.
    ASSERT_TRUE(Form1->findChild<CallMenu*>()->actions().contains(feature().useNearestAction()));
    feature().useNearestAction()->trigger();
    EXPECT_EQ(notifier.texts(), QStringList{QString::fromUtf8(c.said)}) << c.what;
    EXPECT_TRUE(sentSinceStart().empty());
    EXPECT_EQ(Form1->RPT1CALL->text(), "JR1YB  B");
    EXPECT_FALSE(Form1->Repeater->isChecked());
}

const char* const kNoPosition = "Set your position first (Config, Preferences, Station).";
const char* const kNoList =
    "Import a repeater list first (Window, Repeaters, File, Import Repeater List).";

INSTANTIATE_TEST_SUITE_P(
    Repeaters, Refusal,
    ::testing::Values(
        RefusalCase{"no position", std::nullopt, {"icom-japan-sjis.csv"}, kNoPosition},
        RefusalCase{"no position and no list", std::nullopt, {}, kNoPosition},
        RefusalCase{"no list", kAkihabara, {}, kNoList},
        RefusalCase{"lists without positions", kAkihabara, {"chirp-uk.csv"}, kNoList}),
    test::ByWhat());

struct NearestCase {
    const char* what;
    const char* language;
    LatLon here;
    Units units;
    const char* said;   // the refusal, or none
    const char* status; // the note over the main window, or none
};

class NearestSaid : public RepeatersFixture, public ::testing::WithParamInterface<NearestCase> {};

// Beyond 150 km nothing is set and the operator is told how far the nearest one is; a repeater
// set is named with its distance; numbers in the interface language's form.
TEST_P(NearestSaid, RefusesFarAndNamesTheOneSet) {
    const NearestCase& c = GetParam();
    startWith("JR1YB  B", "JR1YB  G", 0x00);
    const Translations language(QLatin1String(c.language));
    importList("icom-japan-sjis.csv");
    stand(c.here, c.units);
    feature().useNearestAction()->trigger();
    const auto* note = Form1->findChild<QLabel*>(QStringLiteral("Toast"));
    const QString status = note != nullptr && note->isVisible() ? note->text() : QString();
    EXPECT_EQ(notifier.texts().join('\n'), QString::fromUtf8(c.said)) << c.what;
    EXPECT_EQ(status, QString::fromUtf8(c.status)) << c.what;
    if (*c.said != '\0') {
        EXPECT_TRUE(sentSinceStart().empty()) << c.what;
        EXPECT_EQ(Form1->RPT1CALL->text(), "JR1YB  B") << c.what;
    } else {
        EXPECT_EQ(Form1->RPT1CALL->text(), "JP3YIC B") << c.what;
        EXPECT_EQ(QAccessible::queryAccessibleInterface(const_cast<QLabel*>(note))
                      ->text(QAccessible::Name),
                  status);
    }
}

const LatLon kMunich{48.1374, 11.5755};
const LatLon kOsaka{34.7025, 135.4959}; // JP3YIC B lies 29 km away
const LatLon kKyoto{35.0116, 135.7681};

INSTANTIATE_TEST_SUITE_P(
    Repeaters, NearestSaid,
    ::testing::Values(
        NearestCase{"Munich with a Japanese list", "en", kMunich, Units::Metric,
                    "The nearest repeater in the directory, JP3YIC B, is 9,263 km away.", ""},
        NearestCase{"in miles", "en", kMunich, Units::Imperial,
                    "The nearest repeater in the directory, JP3YIC B, is 5,756 mi away.", ""},
        NearestCase{"German", "de", kMunich, Units::Metric,
                    "Das nächstgelegene Relais im Verzeichnis, JP3YIC B, ist 9.263 km entfernt.",
                    ""},
        NearestCase{"Kobe", "en", kKobe, Units::Metric, "", "Repeater 1: JP3YIC B, 0.5 km"},
        NearestCase{"Japanese", "ja", kKobe, Units::Metric, "",
                    "アクセスレピーター: JP3YIC B, 0.5 km"},
        NearestCase{"German decimal comma", "de", kKobe, Units::Metric, "",
                    "Relais 1: JP3YIC B, 0,5 km"}),
    test::ByWhat());

TEST_F(RepeatersFixture, TheWindowSortsByDistanceFiltersAndSortsByKeyboard) {
    startWith("JR1YB  B", "JR1YB  G", 0x00);
    // Window > Repeaters opens it.
    QAction* open = nullptr;
    for (QAction* a : Form1->menuWindow->actions()) {
        open = a->text() == QLatin1String("&Repeaters") ? a : open;
    }
    ASSERT_NE(open, nullptr);
    open->trigger();
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().windowTitle(), "Repeaters");
    EXPECT_EQ(window().table()->accessibleName(), "Repeaters");
    EXPECT_EQ(window().table()->model()->rowCount(), 0);

    importList("icom-japan-sjis.csv");
    importList("icom-germany.csv");
    EXPECT_EQ(window().table()->model()->rowCount(), 20);
    QStringList titles;
    for (int c = 0; c < RepeatersModel::ColumnCount; ++c) {
        titles << window().table()->model()->headerData(c, Qt::Horizontal).toString();
    }
    EXPECT_EQ(titles, (QStringList{"Name", "Area", "Repeater", "Gateway", "Frequency (MHz)",
                                   "Offset (MHz)", "Distance (km)", "Bearing"}));
    // Without your position: Distance and Bearing blank.
    EXPECT_EQ(column(RepeatersModel::Distance).join(QString()), QString());

    stand(kKobe);
    const QStringList near = column(RepeatersModel::Callsign).mid(0, 3);
    EXPECT_EQ(near, (QStringList{"JP3YIC B", "JP3YHH A", "JP2YGG B"}));
    EXPECT_EQ(column(RepeatersModel::Distance).first(), "0.5");
    EXPECT_EQ(column(RepeatersModel::Frequency).first(), "439.3700");
    EXPECT_EQ(column(RepeatersModel::Offset).first(), "-5.0000");
    // Rows without a position go last.
    EXPECT_EQ(column(RepeatersModel::Distance).last(), "");
    stand(kKobe, Units::Imperial);
    EXPECT_EQ(window().table()->model()->headerData(RepeatersModel::Distance, Qt::Horizontal),
              "Distance (mi)");
    EXPECT_EQ(column(RepeatersModel::Distance).first(), "0.3");

    // View > Sort By > Name, then Descending.
    QAction* byName = window().sortBy->actions().at(RepeatersModel::Name);
    byName->trigger();
    EXPECT_EQ(column(RepeatersModel::Name).first(), "Berlin Mitte");
    window().SortDescending->trigger();
    EXPECT_EQ(column(RepeatersModel::Name).first(), "那覇");
    EXPECT_EQ(window().table()->horizontalHeader()->sortIndicatorSection(), RepeatersModel::Name);

    struct Narrow {
        const char* typed;
        int rows;
    };
    for (const Narrow& n :
         {Narrow{"関東", 4}, Narrow{"db0", 9}, Narrow{"DB0DF B", 1}, Narrow{"hamburg", 2},
          Narrow{"Ruhr", 1}, Narrow{"zzz", 0}, Narrow{"", 20}}) {
        filter(QString::fromUtf8(n.typed));
        EXPECT_EQ(window().table()->model()->rowCount(), n.rows) << n.typed;
    }
    // Down from the filter goes to the first row.
    filter(QStringLiteral("JP3"));
    window().table()->setCurrentIndex({});
    QTest::keyClick(window().filterField(), Qt::Key_Down);
    EXPECT_EQ(window().table()->currentIndex().row(), 0);
    // An FM repeater carries no route: told, nothing sent.
    filter(QStringLiteral("ｱﾅﾛｸﾞ"));
    ASSERT_EQ(window().table()->model()->rowCount(), 1);
    window().use(window().table()->model()->index(0, 0));
    EXPECT_EQ(notifier.boxes.size(), 1u);
    EXPECT_TRUE(sentSinceStart().empty());
}

// A move costs the window only what the operator sees: nothing while it is hidden, and a new
// order only when the order changed.
TEST_F(RepeatersFixture, AMoveRearrangesOnlyWhatTheOperatorSees) {
    startWith("JR1YB  B", "JR1YB  G", 0x00);
    importList("icom-japan-sjis.csv");
    const LatLon kNearAkihabara{35.6985, 139.7731}; // 11 m on
    const struct {
        const char* what;
        bool shown;
        int sortColumn;
        LatLon to;
        bool repainted;
        bool reordered;
        const char* first; // once shown, sorted
    } moves[] = {
        {"hidden", false, RepeatersModel::Distance, kKobe, false, false, "JP3YIC B"},
        {"sorted by name", true, RepeatersModel::Name, kKobe, true, false, "JP3YIC B"},
        {"a step that changes no order", true, RepeatersModel::Distance, kNearAkihabara, true,
         false, "JP1YIU A"},
        {"a drive that does", true, RepeatersModel::Distance, kKobe, true, true, "JP3YIC B"},
    };
    for (const auto& m : moves) {
        stand(kAkihabara);
        window().show();
        window().setSort(m.sortColumn, Qt::AscendingOrder);
        column(0); // settled
        if (!m.shown) {
            window().hide();
        }
        QAbstractItemModel* rows = window().table()->model();
        QSignalSpy repainted(rows, &QAbstractItemModel::dataChanged);
        QSignalSpy reordered(rows, &QAbstractItemModel::layoutChanged);
        stand(m.to);
        EXPECT_TRUE(test::waitFor([this] { return !window().model()->sorting(); }));
        EXPECT_EQ(!repainted.isEmpty(), m.repainted) << m.what;
        EXPECT_EQ(reordered.count(), m.reordered ? 1 : 0) << m.what;
        window().show();
        window().setSort(RepeatersModel::Distance, Qt::AscendingOrder);
        EXPECT_EQ(column(RepeatersModel::Callsign).first(), m.first) << m.what;
    }
}

TEST_F(RepeatersFixture, ListsAreKeptAcrossStartsAndCanBeRemoved) {
    startWith("JR1YB  B", "JR1YB  G", 0x00);
    importList("icom-usa.csv");
    importList("chirp-uk.csv");
    EXPECT_EQ(feature().directory().lists().size(), 2u);
    // The memory window shows the import as it always did: the D-STAR rows.
    EXPECT_EQ(Form3->Memory->count(), 4);

    console.reset();
    start();
    EXPECT_EQ(feature().directory().repeaters().size(), 13u);
    EXPECT_FALSE(feature().directory().rebuilt());

    int asked = 0;
    window().confirmRemove = [&](const QString& list) {
        ++asked;
        return list == QLatin1String("icom-usa.csv");
    };
    emit window().removeList->aboutToShow();
    const auto items = window().removeList->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), "chirp-uk.csv (5 repeaters)");
    items[0]->trigger(); // declined
    EXPECT_EQ(window().table()->model()->rowCount(), 13);
    items[1]->trigger();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(window().table()->model()->rowCount(), 5);
    EXPECT_EQ(feature().directory().lists().size(), 1u);
}

// The Repeaters window imports by itself: File > Import Repeater List... or Ctrl+I, as the
// Memory window imports (the list kept, the Memory window showing it, the count said).
TEST_F(RepeatersFixture, TheRepeatersWindowImportsItsOwnList) {
    startWith("JR1YB  B", "JR1YB  G", 0x00);
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    QApplication::setActiveWindow(&window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    EXPECT_EQ(window().ImportRepeaterList->text(), "&Import Repeater List...");
    EXPECT_TRUE(window().menuBar()->actions().first()->menu()->actions().contains(
        window().ImportRepeaterList));
    const struct {
        const char* what;
        const char* chosen;
        std::function<void()> ask;
        std::size_t lists;
    } cases[] = {
        {"Ctrl+I", "icom-japan-sjis.csv",
         [this] { QTest::keyClick(&window(), Qt::Key_I, Qt::ControlModifier); }, 1},
        {"none chosen", "", [this] { window().ImportRepeaterList->trigger(); }, 1},
        {"the menu", "icom-germany.csv", [this] { window().ImportRepeaterList->trigger(); }, 2},
    };
    for (const auto& c : cases) {
        window().chooseList = [&c] { return *c.chosen ? dataFile(c.chosen) : QString(); };
        notifier.boxes.clear();
        c.ask();
        ASSERT_TRUE(test::importDone()) << c.what;
        EXPECT_EQ(feature().directory().lists().size(), c.lists) << c.what;
        EXPECT_EQ(notifier.boxes.size(), *c.chosen ? 1u : 0u) << c.what; // "Imported ..."
    }
    EXPECT_EQ(window().table()->model()->rowCount(), 20);
    // The Memory window shows the last list, as its own import would.
    ASSERT_GT(Form3->Memory->count(), 0);
    EXPECT_NE(Form3->Memory->line(0).find("DB0"), std::string_view::npos);
}

// Every view follows the directory, whatever changed it: an import, or Remove List.
TEST_F(RepeatersFixture, EveryViewFollowsImportAndRemoveList) {
    startWith("JR1YB  B", "JR1YB  G", 0x00);
    stand(kAkihabara);
    window().show();
    window().confirmRemove = [](const QString&) { return true; };
    const struct {
        const char* what;
        std::function<int()> count;
    } views[] = {
        {"the map", [this] { return int(console->map()->view()->stations().repeaters().size()); }},
        {"the Repeaters window", [this] { return window().table()->model()->rowCount(); }},
        {"nearest", [this] { return feature().directory().nearest(kAkihabara) ? 1 : 0; }},
        {"the Call menu", [this] { return feature().useNearest() ? 1 : 0; }},
    };
    importList("icom-japan-sjis.csv");
    for (const auto& v : views) {
        EXPECT_GT(v.count(), 0) << v.what << " after the import";
    }
    emit window().removeList->aboutToShow();
    ASSERT_EQ(window().removeList->actions().size(), 1);
    window().removeList->actions()[0]->trigger();
    for (const auto& v : views) {
        EXPECT_EQ(v.count(), 0) << v.what << " after Remove List";
    }
}

TEST_F(RepeatersFixture, AListThatCannotBeKeptIsSaidAndTheMemoryWindowStillHasIt) {
    startWith("JR1YB  B", "JR1YB  G", 0x00);
    // Where the directory's folder should be, a file.
    const std::filesystem::path folder = feature().directory().folder();
    std::filesystem::create_directories(folder.parent_path());
    std::ofstream(folder) << "in the way";
    ASSERT_TRUE(test::importList(dataFile("icom-japan-sjis.csv")));
    EXPECT_EQ(Form3->Memory->count(), 9);
    ASSERT_EQ(notifier.boxes.size(), 2u);
    EXPECT_EQ(notifier.boxes[1].kind, "failure");
    EXPECT_TRUE(notifier.boxes[1].text.startsWith(
        "The repeater list icom-japan-sjis.csv cannot be kept in"));
    EXPECT_TRUE(feature().directory().empty());
}

TEST_F(RepeatersFixture, LogContactOffersRepeaterOnesFrequency) {
    startWith("JR1YB  B", "JR1YB  G", 0x40);
    importList("icom-japan-sjis.csv");
    const auto offered = [] {
        for (QAction* a : Form1->menuFile->actions()) {
            if (a->text() == QLatin1String("Log Contact...")) {
                a->trigger();
            }
        }
        auto* dialog = Form1->findChild<LogContactDialog*>();
        QString frequency = QStringLiteral("(no dialog)");
        for (auto* edit :
             dialog != nullptr ? dialog->findChildren<QLineEdit*>() : QList<QLineEdit*>{}) {
            if (edit->accessibleName() == QLatin1String("Frequency (MHz)")) {
                frequency = edit->text();
            }
        }
        delete dialog;
        return frequency;
    };
    // Repeater 1 in any spacing the Call menu reads; one the directory does not know offers
    // the remembered frequency (none yet).
    for (const auto& [repeater1, frequency] :
         {std::pair{"JP3YIC B", 439.37}, std::pair{"jp1yiu    b", 434.52},
          std::pair{"JR1YB  B", 0.0}}) {
        Form1->RPT1CALL->setText(QString::fromLatin1(repeater1));
        EXPECT_EQ(offered().toDouble(), frequency) << repeater1;
    }
}

TEST_F(RepeatersFixture, FixedPositionsOfferNoNearerRepeater) {
    startWith("JP1YIU A", "JP1YIU G", 0x40);
    importList("icom-japan-sjis.csv");
    QSignalSpy offered(&feature(), &RepeaterFeature::nearerOffered);
    stand(kAkihabara);
    stand(kKobe); // a jump, but not from gpsd
    EXPECT_EQ(offered.count(), 0);
    EXPECT_TRUE(sentSinceStart().empty());
}

// An import reads its file once: the directory keeps what the memory window read and shows,
// whatever becomes of the file meanwhile.
TEST_F(RepeatersFixture, TheDirectoryKeepsWhatTheMemoryWindowRead) {
    startWith("JR1YB  B", "JR1YB  G", 0x00);
    const std::string japan = dataFile("icom-japan-sjis.csv").toStdString();
    const struct {
        const char* what;
        std::function<void(const std::string&)> meanwhile;
    } cases[] = {
        {"the file replaced by another list",
         [](const std::string& path) {
             std::filesystem::copy_file(dataFile("icom-germany.csv").toStdString(), path,
                                        std::filesystem::copy_options::overwrite_existing);
         }},
        {"the file removed", [](const std::string& path) { std::filesystem::remove(path); }},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const std::string path = dir.path().toStdString() + "/jp.csv";
        std::filesystem::copy_file(japan, path);
        notifier.boxes.clear();
        notifier.onBox = [&](const test::RecordingNotifier::Box& box) {
            if (box.kind == "information") {
                c.meanwhile(path); // the memory window has shown the list
            }
        };
        ASSERT_TRUE(test::importList(QString::fromStdString(path))) << c.what;
        notifier.onBox = {};
        EXPECT_EQ(notifier.boxes.size(), 1u) << c.what; // "Imported ..." and nothing else
        EXPECT_EQ(Form3->Memory->count(), 9) << c.what;
        const RepeaterDirectory& d = feature().directory();
        EXPECT_NE(d.find("JP1YIU A"), nullptr) << c.what;
        EXPECT_EQ(d.find("DB0DF  B"), nullptr) << c.what;
        std::ifstream kept(d.folder() / "lists" / "jp.csv", std::ios::binary);
        std::ifstream original(japan, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}),
                  std::string(std::istreambuf_iterator<char>(original), {}))
            << c.what;
    }
}

// A list is read on a thread of its own: nothing of it shows until all of it is in, the
// windows go on meanwhile, and another import then is refused with a word.
TEST_F(RepeatersFixture, AnImportRunsApartAndAnotherMeanwhileIsRefused) {
    startWith("JR1YB  B", "JR1YB  G", 0x00);
    const QString memory = QStringLiteral(TAMSEL_SOURCE_DIR "/examples/memory.txt");
    const QString japan = dataFile("icom-japan-sjis.csv");
    const QString germany = dataFile("icom-germany.csv");
    const QString refused = QStringLiteral("The repeater list %1 is still being imported. Import "
                                           "%2 again once it is done.")
                                .arg(japan, germany);
    const struct {
        const char* what;
        std::function<void()> meanwhile;
        bool memoryFileStays;
        QStringList boxes;
    } cases[] = {
        {"nothing", [] {}, false, {}},
        {"another import in the memory window",
         [&] { EXPECT_FALSE(Form3->importList(germany)); },
         false,
         {refused}},
        {"another import in the Repeaters window",
         [&] {
             window().chooseList = [&] { return germany; };
             window().ImportRepeaterList->trigger();
         },
         false,
         {refused}},
        {"a memory file opened", [&] { ASSERT_TRUE(Form3->loadFile(memory)); }, true, {}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Form3->loadFile(memory));
        const int shown = Form3->Memory->count();
        notifier.boxes.clear();
        ASSERT_TRUE(Form3->importList(japan)) << c.what;
        EXPECT_TRUE(Form3->importing()) << c.what;
        EXPECT_EQ(Form3->Memory->count(), shown) << c.what; // nothing half-imported
        c.meanwhile();
        ASSERT_TRUE(test::importDone()) << c.what;
        EXPECT_EQ(Form3->Memory->count(), c.memoryFileStays ? shown : 9) << c.what;
        QStringList expected = c.boxes;
        expected << QStringLiteral("Imported 9 repeaters from %1").arg(japan);
        EXPECT_EQ(notifier.texts(), expected) << c.what;
        ASSERT_EQ(feature().directory().lists().size(), 1u) << c.what;
        EXPECT_EQ(feature().directory().lists()[0].name, "icom-japan-sjis.csv") << c.what;
    }
}

} // namespace
} // namespace tamsel
