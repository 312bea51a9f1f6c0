// SPDX-License-Identifier: GPL-3.0-or-later
// The windows in Japanese and German, at 9 and 12 pt, light and dark: the translations load,
// and no label, button, choice, column title or menu is cut.
#include "calls/CallDialog.h"
#include "console/RepeaterFeature.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit6.h"
#include "heard/HeardStations.h"
#include "history/Unit5.h"
#include "language/Translations.h"
#include "log/LogContact.h"
#include "map/MapWindow.h"
#include "memory/Unit12.h"
#include "memory/Unit4.h"
#include "repeaters/RepeatersWindow.h"
#include "settings/Preferences.h"
#include "station/Units.h"
#include "support/ConsoleFixture.h"
#include "widgets/Contrast.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTableView>

namespace tamsel::test {
namespace {

// The text as drawn: "&&" is one ampersand, a single & marks the access key and is not drawn.
QString shown(QString text) {
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

QString nameOf(const QWidget* w) {
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(w->metaObject()->className()),
                                       w->objectName());
}

// What `window` shows cut: each text wider than the room its widget gives it.
QStringList cutTexts(QWidget* window) {
    QStringList cut;
    const auto report = [&cut](const QWidget* w, const QString& text, int need, int room) {
        cut << QStringLiteral("%1 \"%2\": needs %3 px, has %4")
                   .arg(nameOf(w), text)
                   .arg(need)
                   .arg(room);
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) {
            continue;
        }
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->wordWrap() || label->text().isEmpty() ||
                label->textFormat() == Qt::RichText) {
                continue;
            }
            const QFontMetrics m(label->font());
            const int room =
                label->contentsRect().width() - 2 * label->margin() - std::max(0, label->indent());
            for (const QString& line : shown(label->text()).split(QLatin1Char('\n'))) {
                if (m.horizontalAdvance(line) > room) {
                    report(label, line, m.horizontalAdvance(line), room);
                }
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (!button->text().isEmpty() && button->sizeHint().width() > button->width()) {
                report(button, button->text(), button->sizeHint().width(), button->width());
            }
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            if (!combo->isEditable() && combo->sizeHint().width() > combo->width()) {
                report(combo, combo->currentText(), combo->sizeHint().width(), combo->width());
            }
        } else if (auto* header = qobject_cast<QHeaderView*>(w)) {
            if (header->orientation() != Qt::Horizontal || header->model() == nullptr) {
                continue;
            }
            const QFontMetrics m(header->font());
            const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin);
            for (int i = 0; i < header->count(); ++i) {
                const QString title =
                    header->model()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
                if (m.horizontalAdvance(title) + margins > header->sectionSize(i)) {
                    report(header, title, m.horizontalAdvance(title) + margins,
                           header->sectionSize(i));
                }
            }
        } else if (auto* bar = qobject_cast<QMenuBar*>(w)) {
            for (QAction* menu : bar->actions()) {
                const QRect at = bar->actionGeometry(menu);
                if (!at.isValid() || !bar->rect().contains(at)) {
                    report(bar, menu->text(), at.right(), bar->width());
                }
            }
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            const QFontMetrics m(list->font());
            for (int i = 0; i < list->count(); ++i) {
                const QString text = list->item(i)->text();
                const int room = list->viewport()->width() - 2 * list->spacing();
                // The item's own margins, as the style draws them.
                const int need = m.horizontalAdvance(text) +
                                 2 * list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin);
                if (need > room) {
                    report(list, text, need, room);
                }
            }
        }
    }
    return cut;
}

struct Look {
    const char* language;
    const char* theme;
    int points;
};

class LanguageLayout : public ConsoleFixture, public ::testing::WithParamInterface<Look> {
protected:
    void SetUp() override {
        palette_ = QApplication::palette();
        font_ = QApplication::font();
        style_.reset(QStyleFactory::create(QStringLiteral("Fusion")));
        const Look& look = GetParam();
        QApplication::setPalette(
            std::string_view(look.theme) == "dark" ? darkPalette() : style_->standardPalette());
        QFont font = font_;
        font.setPointSize(look.points);
        QApplication::setFont(font);
        translations_ = std::make_unique<Translations>(QLatin1String(look.language));
    }
    void TearDown() override {
        ConsoleFixture::TearDown();
        translations_.reset();
        QApplication::setPalette(palette_);
        QApplication::setFont(font_);
    }

    // Shows `window` as the operator would and says what it shows cut.
    static QStringList check(QWidget* window) {
        window->show();
        QCoreApplication::processEvents();
        QStringList cut = cutTexts(window);
        for (QString& line : cut) {
            line.prepend(window->windowTitle() + QStringLiteral(": "));
        }
        return cut;
    }

private:
    QPalette palette_;
    QFont font_;
    std::unique_ptr<QStyle> style_;
    std::unique_ptr<Translations> translations_;
};

TEST_P(LanguageLayout, TranslatedAndNothingCut) {
    start();
    // Translated at all: the main window's menus and a Qt button of Qt's own translation.
    const bool japanese = std::string_view(GetParam().language) == "ja";
    EXPECT_EQ(Form1->menuFile->title(),
              japanese ? QStringLiteral("ファイル(&F)") : QStringLiteral("&Datei"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
              japanese ? QStringLiteral("キャンセル") : QStringLiteral("Abbrechen"));

    QStringList cut;
    for (QWidget* window : std::initializer_list<QWidget*>{Form1, Form2, Form3, Form4, Form11,
                                                           Form12, console->heardStations()}) {
        cut << check(window);
        window->hide();
    }
    Preferences* preferences = console->preferences();
    preferences->openPreferences();
    for (int page = 0; page < preferences->pageList()->count(); ++page) {
        preferences->pageList()->setCurrentRow(page);
        cut << check(preferences);
    }
    preferences->hide();
    for (const auto kind :
         {CallDialog::Kind::Reflector, CallDialog::Kind::Station, CallDialog::Kind::Repeater}) {
        CallDialog dialog(kind);
        cut << check(&dialog);
    }
    LogContactDialog log(Contact{}, [](const Contact&) { return ContactLogger::Outcome{}; });
    cut << check(&log);
    EXPECT_TRUE(cut.isEmpty()) << cut.join(QLatin1Char('\n')).toStdString();
}

std::string lookName(const ::testing::TestParamInfo<Look>& info) {
    const Look& l = info.param;
    return std::string(l.language) + "_" + l.theme + "_" + std::to_string(l.points) + "pt";
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageLayout,
                         ::testing::Values(Look{"ja", "light", 9}, Look{"ja", "dark", 12},
                                           Look{"ja", "light", 12}, Look{"ja", "dark", 9},
                                           Look{"de", "light", 9}, Look{"de", "dark", 12},
                                           Look{"de", "light", 12}, Look{"de", "dark", 9}),
                         lookName);

// Each language's own file and Qt's are found and load; English needs none.
TEST(Translations, EachLanguageLoadsItsOwnAndQtsFile) {
    EXPECT_EQ(Translations::available(), (QStringList{QStringLiteral("de"), QStringLiteral("ja")}));
    for (const Language& language : Translations::available()) {
        const Translations translations(language);
        EXPECT_TRUE(translations.ownLoaded()) << Translations::ownFile(language).toStdString();
        EXPECT_TRUE(translations.qtLoaded()) << Translations::qtFile(language).toStdString();
    }
    const Translations english(QStringLiteral("en"));
    EXPECT_FALSE(english.ownLoaded());
    EXPECT_EQ(QCoreApplication::translate("tamsel::TForm4", "Received History"),
              QStringLiteral("Received History"));
}

// Wording as operators who read the languages asked for it.
TEST(Translations, WordingOperatorsUse) {
    const struct {
        const char* language;
        const char* context;
        const char* source;
        const char* translation;
    } cases[] = {
        {"de", "tamsel::TForm11", "&Change", "Ä&ndern"},
        {"de", "tamsel::RepeaterFeature", "Use &Nearest Repeater",
         "Nächstgelegenes Relais ver&wenden"},
        {"de", "tamsel::StationPage", "&Follow the nearest repeater",
         "Dem nächstgelegenen Relais &folgen"},
        {"de", "Targets",
         "A reflector is named by 3 letters and 3 letters or digits, such as REF030, XRF757, "
         "DCS006 or XLX307.",
         "Ein Reflektorname besteht aus 3 Buchstaben und 3 Buchstaben oder Ziffern, etwa REF030, "
         "XRF757, DCS006 oder XLX307."},
        {"de", "TForm1", "Send Message", "Eigene Nachricht"},
        {"de", "TForm1", "Caller Callsign", "Rufzeichen des Anrufers"},
        {"de", "tamsel::DesktopAlerts", "Dismiss", "Schließen"},
        {"de", "TForm1", "&About...", "Übe&r Tamsel Console..."},
        {"ja", "Alerting", "%1 is calling you", "%1 が自局を呼び出しています"},
        {"ja", "tamsel::HeardStationsModel", "calling you", "自局を呼出中"},
        {"ja", "tamsel::RepeatersWindow", "&Use as My Repeater", "アクセスレピーターに設定(&U)"},
        {"ja", "TForm1", "Repeater 1", "アクセスレピーター"},
        {"ja", "tamsel::RepeatersWindow", "Remove the repeater list %1 from the directory?",
         "レピーターリスト %1 を一覧から削除しますか?"},
        {"ja", "tamsel::Preferences", "&Cancel", "キャンセル(&C)"},
        {"ja", "tamsel::TForm11", "&Cancel", "キャンセル(&C)"},
    };
    for (const auto& c : cases) {
        const Translations translations(QLatin1String(c.language));
        EXPECT_EQ(QCoreApplication::translate(c.context, c.source),
                  QString::fromUtf8(c.translation))
            << c.language << " " << c.source;
    }
}

// One decimal, grouped, as the language writes numbers; by default the interface language's,
// whatever the desktop's locale.
TEST(Units, DistanceTextIsWrittenAsTheInterfaceLanguageWritesNumbers) {
    const struct {
        const char* language;
        Units units;
        double metres;
        DistanceForm form;
        const char* shown;
    } rows[] = {
        {"en", Units::Metric, 9'608'100, DistanceForm::WithUnit, "9,608 km"},
        {"de", Units::Metric, 9'608'100, DistanceForm::WithUnit, "9.608 km"},
        {"ja", Units::Metric, 9'608'100, DistanceForm::WithUnit, "9,608 km"},
        {"de", Units::Metric, 460, DistanceForm::FigureOnly, "0,5"},
        {"en", Units::Imperial, 1609.344 * 12.34, DistanceForm::WithUnit, "12.3 mi"},
        {"de", Units::Imperial, 1609.344 * 1234.56, DistanceForm::FigureOnly, "1.235"},
    };
    const QLocale before = QLocale();
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); // the desktop's
    for (const auto& r : rows) {
        const QLocale locale(QLatin1String(r.language));
        EXPECT_EQ(distanceText(r.units, r.metres, r.form, locale), QString::fromUtf8(r.shown))
            << r.language;
        const Translations interface(QLatin1String(r.language));
        EXPECT_EQ(distanceText(r.units, r.metres, r.form), QString::fromUtf8(r.shown))
            << r.language << ", the interface's language";
    }
    EXPECT_EQ(QLocale().language(), QLocale::French); // back to the desktop's
    QLocale::setDefault(before);
}

} // namespace
} // namespace tamsel::test
