// SPDX-License-Identifier: GPL-3.0-or-later
// Unit1: TForm1, the main window: header editing, reception fields and the main menu.
#include "console/Unit1.h"

#include "alerts/AlertRules.h"
#include "aprs/AprsGate.h"

#include "adapter/Fields.h"
#include "adapter/Payload.h"
#include "adapter/Version.h"
#include "memory/Text.h"
#include "monitor/Unit2.h"
#include "resources/Logo.h"
#include "widgets/CallsignFont.h"
#include "widgets/Contrast.h"
#include "widgets/Foreground.h"
#include "widgets/Toast.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStatusBar>
#include <algorithm>
#include <array>
#include <cmath>

namespace tamsel {

namespace {

constexpr const char* kCaption = "Tamsel V03.05";
constexpr const char* kAttribution =
    QT_TRANSLATE_NOOP("TForm1", "Tamsel Console, free software for D-STAR operators");

} // namespace

TForm1::TForm1(Station& station, Notifier& notifier, const QString& captionNote)
    : station_(station), notifier_(notifier) {
    setupUi(this);
    showCallsignsFixedPitch();
    applyColours();
    setKeyboardOrder();
    fitToFont();
    caption_ = QString::fromLatin1(kCaption) + QStringLiteral(" - ") +
               QCoreApplication::translate("TForm1", kAttribution) + captionNote;
    setWindowTitle(caption_);
    // The client area is fixed; the window grows by the menu bar around it.
    adjustSize();
    fixedSize_ = size();
    setFixedSize(fixedSize_);
    move(0, 0);
    Image1->setPixmap(QPixmap::fromImage(logo()));

    // The change rule: textChanged fires for typing and for setText, never for the text the
    // edit already holds; toggled and valueChanged fire on every change of state.
    connect(RPT2CALL, &QLineEdit::textChanged, this, &TForm1::RPT2CALLChange);
    connect(RPT1CALL, &QLineEdit::textChanged, this, &TForm1::RPT1CALLChange);
    connect(YourCALL, &QLineEdit::textChanged, this, &TForm1::YourCALLChange);
    connect(SendMSG, &QLineEdit::textChanged, this, &TForm1::SendMSGChange);
    connect(YourCALL, &TEdit::doubleClicked, this, &TForm1::YourCallClick);
    connect(CallerCALL, &TMemo::clicked, this, &TForm1::CallerCALLClick);
    connect(Repeater, &QCheckBox::toggled, this, &TForm1::RepeaterClick);
    connect(Break, &QCheckBox::toggled, this, &TForm1::BreakClick);
    connect(EMR, &QCheckBox::toggled, this, &TForm1::EMRClick);
    connect(Volume, &QScrollBar::valueChanged, this, &TForm1::VolumeChange);
    connect(MyCALL, &TEdit::doubleClicked, this, &TForm1::mycallsignClick);
    connect(MyCALL2, &TEdit::doubleClicked, this, &TForm1::mycallsignClick);

    connect(Save1, &QAction::triggered, this, &TForm1::Save1Click);
    connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(mycallsign, &QAction::triggered, this, &TForm1::mycallsignClick);
    connect(DefaultSetting1, &QAction::triggered, this, &TForm1::DefaultSetting1Click);
    connect(History, &QAction::triggered, this, &TForm1::HistoryClick);
    connect(Memory1, &QAction::triggered, this, &TForm1::Memory1Click);
    connect(HeardStations1, &QAction::triggered, this, &TForm1::HeardStations1Click);
    connect(PICVersion1, &QAction::triggered, this, &TForm1::PICVersion1Click);
    connect(About1, &QAction::triggered, this, &TForm1::About1Click);

    followStation();
    clearReception();
    station_.start(); // reads the header, then the monitor polls
}

TForm1::~TForm1() = default;

void TForm1::followStation() {
    AprsGate* gate = &station_.aprs();
    connect(gate, &AprsGate::changed, this, [this, gate] { showGateStatus(gate->statusLine()); });
    // Told once when it goes; the retries after it change only the status bar's count.
    connect(gate, &AprsGate::lost, this,
            [this] { Toast::show(this, tr("APRS-IS: the connection was lost; trying again.")); });
    showGateStatus(gate->statusLine());
    connect(&station_, &Station::headerRead, this, &TForm1::showHeaderRead);
    connect(&station_, &Station::headerChanged, this, &TForm1::showTaken);
    connect(&station_, &Station::flagsRead, this, [this](const std::array<bool, 3>& flags) {
        // Each box that changes runs its handler, which writes the flags back.
        Repeater->setChecked(flags[0]);
        Break->setChecked(flags[1]);
        EMR->setChecked(flags[2]);
    });
    connect(&station_, &Station::flagChanged, this, [this](HeaderFlag flag, bool on) {
        if (!asking_) {
            const QScopedValueRollback quiet(echo_, true);
            flagBox(flag)->setChecked(on);
        }
    });
    connect(&station_, &Station::volumeRead, Volume, &QScrollBar::setValue);
    connect(&station_, &Station::volumeChanged, this, [this](int position) {
        const QScopedValueRollback quiet(echo_, true);
        Volume->setValue(position);
    });
    connect(&station_, &Station::fieldReceived, this, &TForm1::showReception);
}

TEdit* TForm1::fieldEdit(HeaderField field) const {
    switch (field) {
    case HeaderField::StationCall:
        return YourCALL;
    case HeaderField::Repeater1:
        return RPT1CALL;
    case HeaderField::Repeater2:
        return RPT2CALL;
    case HeaderField::MyCall:
        return MyCALL;
    case HeaderField::MyCallSuffix:
        return MyCALL2;
    case HeaderField::SendMessage:
        return SendMSG;
    }
    return nullptr;
}

QCheckBox* TForm1::flagBox(HeaderFlag flag) const {
    switch (flag) {
    case HeaderFlag::Repeater:
        return Repeater;
    case HeaderFlag::Break:
        return Break;
    case HeaderFlag::Emr:
        return EMR;
    }
    return nullptr;
}

void TForm1::showHeaderRead(HeaderField field, const QString& text) {
    // As the operator's own change: the field's handler writes it back.
    fieldEdit(field)->setText(text);
}

void TForm1::showTaken(HeaderField field, const QString& text) {
    // This window's own typing comes back as it stands: the cursor stays where it is.
    TEdit* edit = fieldEdit(field);
    if (edit->text() != text) {
        const QScopedValueRollback quiet(echo_, true);
        edit->setText(text);
    }
}

void TForm1::edited(HeaderField field, const QString& text) {
    if (!echo_) {
        station_.fieldEdited(field, text);
    }
}

void TForm1::applyColours() {
    // The theme's own backgrounds, with each text colour made readable on the background it
    // is drawn on (at least 4.5:1), keeping what the colours mean: red for the header
    // fields the operator edits, navy for the station callsign and the flags, blue for the
    // labels, the highlight colour for what was received.
    centralwidget->setPalette(QPalette());
    auto paint = [](QWidget* w, const QColor& wanted, QPalette::ColorRole background, bool bold) {
        w->setPalette(QPalette());
        paintText(w, wanted, background);
        QFont f = w->font();
        f.setBold(bold);
        w->setFont(f);
    };
    for (QLabel* label : centralwidget->findChildren<QLabel*>()) {
        paint(label, Qt::blue, QPalette::Window, true);
    }
    const QColor highlight = QApplication::palette().color(QPalette::Highlight);
    for (TEdit* e : {YourCALL, RPT1CALL, RPT2CALL, SendMSG}) {
        paint(e, Qt::red, QPalette::Base, true);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{MyCALL, MyCALL2, FlagInfo}) {
        paint(w, QColor(0, 0, 128), QPalette::Base, true);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{CallerCALL, CallerCALL2, CalledCALL, MSG, DayTime}) {
        paint(w, highlight, QPalette::Base, true);
    }
    CalledCALL->setProperty(kCalledAlert, false); // painted in the theme's colours just now
    showCalledAlert();
    for (QCheckBox* box : {Repeater, Break, EMR}) {
        paint(box, QColor(0, 0, 128), QPalette::Window, false);
        // The caption is navy; the tick keeps the theme's text colour, which the theme
        // makes stand out from its own box.
        QPalette p = box->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            p.setColor(group, QPalette::Text, QApplication::palette().color(group, QPalette::Text));
        }
        box->setPalette(p);
    }
    for (TEdit* e : centralwidget->findChildren<TEdit*>()) {
        e->setFrame(false);
    }
    for (TMemo* m : centralwidget->findChildren<TMemo*>()) {
        m->setFrameStyle(QFrame::NoFrame);
    }
}

void TForm1::showCallsignsFixedPitch() {
    // Every blank of a callsign takes a column, so "JR1YB B" and "JR1YB  B" look different.
    // The size follows the window's font.
    const QFont fixed = callsignFont(centralwidget->font().pointSizeF());
    for (const auto& field : callsignFieldWidths()) {
        field.first->setFont(fixed);
    }
}

std::vector<std::pair<QWidget*, int>> TForm1::callsignFieldWidths() const {
    const int call = static_cast<int>(kCallsignWidth), suffix = static_cast<int>(kSuffixWidth);
    return {{YourCALL, call},  {RPT1CALL, call},   {RPT2CALL, call},      {MyCALL, call},
            {MyCALL2, suffix}, {CallerCALL, call}, {CallerCALL2, suffix}, {CalledCALL, call}};
}

int TForm1::widthFor(const QWidget* field, int characters) {
    // The characters, the field's inner margins and room for the cursor after the last.
    const QFontMetrics metrics(field->font());
    int margins = 6;
    if (const auto* memo = qobject_cast<const TMemo*>(field)) {
        margins += 2 * static_cast<int>(std::ceil(memo->document()->documentMargin()));
    }
    return metrics.horizontalAdvance(QString(characters, QLatin1Char('W'))) + margins;
}

void TForm1::fitToFont() {
    // The layout is drawn for the reference font. With a larger one every position and
    // size grows by what the texts need, so nothing is clipped and nothing overlaps; it
    // never shrinks below the reference.
    const QRect client = centralwidget->geometry();
    double sx = 1.0, sy = 1.0;
    const auto callsigns = callsignFieldWidths();
    for (QWidget* w : centralwidget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect g = w->geometry();
        QSize needed;
        const auto callsign = std::find_if(callsigns.begin(), callsigns.end(),
                                           [w](const auto& field) { return field.first == w; });
        if (auto* label = qobject_cast<QLabel*>(w); label != nullptr && !label->text().isEmpty()) {
            needed = label->sizeHint();
        } else if (qobject_cast<QCheckBox*>(w) != nullptr) {
            needed = w->sizeHint();
        } else if (callsign != callsigns.end()) {
            // A callsign field shows all its characters in the fixed-pitch font.
            needed = QSize(widthFor(w, callsign->second), QFontMetrics(w->font()).height() + 4);
        } else if (qobject_cast<QLineEdit*>(w) != nullptr || qobject_cast<TMemo*>(w) != nullptr) {
            // A field is as wide as its label above it; its height follows the font.
            needed = QSize(0, QFontMetrics(w->font()).height() + 4);
        } else {
            continue;
        }
        sx = std::max(sx, static_cast<double>(needed.width()) / std::max(1, g.width()));
        sy = std::max(sy, static_cast<double>(needed.height()) / std::max(1, g.height()));
    }
    if (sx <= 1.0 && sy <= 1.0) {
        return;
    }
    for (QWidget* w : centralwidget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect g = w->geometry();
        w->setGeometry(static_cast<int>(std::ceil(g.x() * sx)),
                       static_cast<int>(std::ceil(g.y() * sy)),
                       static_cast<int>(std::ceil(g.width() * sx)),
                       static_cast<int>(std::ceil(g.height() * sy)));
    }
    centralwidget->setMinimumSize(static_cast<int>(std::ceil(client.width() * sx)),
                                  static_cast<int>(std::ceil(client.height() * sy)));
}

void TForm1::setKeyboardOrder() {
    // Screen order: the top row, the messages, the bottom row left to right, the check
    // boxes, the volume (which takes focus and moves with the arrow and page keys).
    Volume->setFocusPolicy(Qt::StrongFocus);
    const QWidget* const order[] = {
        CallerCALL, CallerCALL2, CalledCALL, MSG,     DayTime,  FlagInfo, SendMSG, YourCALL,
        RPT1CALL,   RPT2CALL,    MyCALL,     MyCALL2, Repeater, Break,    EMR,     Volume};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
    }
    // What was received can be read, selected and copied, not typed over; Tab passes it by.
    for (TMemo* m : {CallerCALL, CallerCALL2, MSG}) {
        m->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    // Only what is sent can be typed.
    for (TEdit* e : {YourCALL, RPT1CALL, RPT2CALL}) {
        e->setTypingLimit(static_cast<int>(kCallsignWidth));
    }
    SendMSG->setTypingLimit(static_cast<int>(kMessageWidth));
}

void TForm1::populate() {
    clearReception();
    station_.readHeader();
}

void TForm1::clearReception() {
    CallerCALL->setText(QString(8, ' '));
    CallerCALL2->setText(QString(4, ' '));
    CalledCALL->setText(QString(8, ' '));
    MSG->setText(QStringLiteral(" "));
    FlagInfo->setText(QStringLiteral(" "));
    DayTime->setText(QStringLiteral(" "));
}

void TForm1::showAdapterState(const QString& suffix) {
    setWindowTitle(caption_ + suffix);
}

void TForm1::showGateStatus(const QString& text) {
    if (gateStatus_ == nullptr) {
        if (text.isEmpty()) {
            return; // never on: no status bar at all
        }
        gateStatus_ = new QLabel(this);
        gateStatus_->setAccessibleName(tr("APRS-IS"));
        statusBar()->setSizeGripEnabled(false);
        statusBar()->addWidget(gateStatus_, 1);
    }
    gateStatus_->setText(text);
    const bool shown = !text.isEmpty();
    statusBar()->setVisible(shown);
    // The fields keep their size; the window grows by the bar under them.
    setFixedSize(fixedSize_.width(),
                 fixedSize_.height() + (shown ? statusBar()->sizeHint().height() : 0));
}

bool TForm1::calledIsMine() const {
    const std::string me = baseCallsign(MyCALL->text().toStdString());
    return !me.empty() && baseCallsign(CalledCALL->text().toStdString()) == me;
}

void TForm1::showCalledAlert() {
    // A call to the operator's own callsign stands out: white on a deep red in every theme
    // (6.7:1), the field's own colours otherwise.
    const bool mine = calledIsMine();
    if (mine == CalledCALL->property(kCalledAlert).toBool()) {
        return;
    }
    CalledCALL->setProperty(kCalledAlert, mine);
    QPalette p = CalledCALL->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base,
                   mine ? kCalledAlertBackground
                        : QApplication::palette().color(group, QPalette::Base));
    }
    CalledCALL->setPalette(p);
    paintText(CalledCALL,
              mine ? QColor(Qt::white) : QApplication::palette().color(QPalette::Highlight),
              QPalette::Base);
    CalledCALL->setAutoFillBackground(mine);
}

void TForm1::showReception(ReceptionField field, const QByteArray& bytes) {
    using F = ReceptionField;
    const QString text = QString::fromLatin1(bytes);
    switch (field) {
    case F::Called:
        CalledCALL->setText(text);
        showCalledAlert();
        break;
    case F::Caller:
        CallerCALL->setText(text);
        break;
    case F::CallerSuffix:
        CallerCALL2->setText(text);
        break;
    case F::Time:
        DayTime->setText(text);
        break;
    case F::Message:
        MSG->setText(text);
        break;
    case F::ControlText:
        FlagInfo->setText(text);
        break;
    case F::HistoryLine:
        break; // the history window's, not shown here
    }
}

void TForm1::setDestination(const QString& your) {
    if (const QString why = station_.setField(HeaderField::StationCall, your); !why.isEmpty()) {
        notifier_.information(why);
    }
}

void TForm1::setRoute(const QString& your, const QString& rpt1, const QString& rpt2) {
    if (const QString why = station_.setRoute(your, rpt1, rpt2); !why.isEmpty()) {
        notifier_.information(why);
    }
}

void TForm1::RPT2CALLChange() {
    edited(HeaderField::Repeater2, RPT2CALL->text());
}
void TForm1::RPT1CALLChange() {
    edited(HeaderField::Repeater1, RPT1CALL->text());
}
void TForm1::YourCALLChange() {
    edited(HeaderField::StationCall, YourCALL->text());
}

void TForm1::SendMSGChange() {
    edited(HeaderField::SendMessage, SendMSG->text());
}

void TForm1::YourCallClick() {
    station_.sendGeneralCall();
    YourCALL->setText(fromBytes(kGeneralCall));
}

void TForm1::CallerCALLClick() {
    // The caller goes out as received; the field then shows what the adapter took.
    if (auto text = station_.answerCaller(CallerCALL->text())) {
        YourCALL->setText(*text);
    }
}

void TForm1::updateFlag(QCheckBox* box, HeaderFlag flag) {
    if (echo_) {
        return;
    }
    std::optional<bool> held;
    {
        const QScopedValueRollback mine(asking_, true);
        held = station_.setFlag(flag, box->isChecked());
    }
    if (!held) {
        // With the adapter gone the box goes back to what it showed: nothing reached it.
        if (!station_.link().connected()) {
            const QSignalBlocker quiet(box);
            box->setChecked(!box->isChecked());
        }
        return;
    }
    // Shows what the adapter holds; a refused bit flips the box back, which runs this
    // update once more and writes the adapter's own bytes back.
    box->setChecked(*held);
}

void TForm1::RepeaterClick() {
    updateFlag(Repeater, HeaderFlag::Repeater);
}
void TForm1::BreakClick() {
    updateFlag(Break, HeaderFlag::Break);
}
void TForm1::EMRClick() {
    updateFlag(EMR, HeaderFlag::Emr);
}

void TForm1::VolumeChange() {
    if (!echo_) {
        station_.setVolume(Volume->value());
    }
}

void TForm1::Save1Click() {
    station_.saveSettings();
}

void TForm1::Exit1Click() {
    close();
}

void TForm1::mycallsignClick() {
    emit stationCallsignRequested();
}

void TForm1::DefaultSetting1Click() {
    emit defaultSettingRequested();
}
void TForm1::HistoryClick() {
    emit historyRequested();
}
void TForm1::Memory1Click() {
    emit memoryRequested();
}
void TForm1::HeardStations1Click() {
    emit heardStationsRequested();
}

void TForm1::PICVersion1Click() {
    const QString version = station_.version();
    if (!station_.link().connected()) {
        notifier_.failure(tr("The adapter is disconnected: no version to show."));
        return;
    }
    notifier_.information(version);
}

QString TForm1::aboutText() {
    return QString(13, ' ') + kCaption + '\n' + QCoreApplication::translate("TForm1", kAttribution);
}

void TForm1::About1Click() {
    notifier_.information(aboutText());
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormCloseQuery();
    event->accept();
    emit closed();
}

void TForm1::FormCloseQuery() {
    // Only asks; the program waits for the monitor before any window is destroyed.
    if (receiveRF* monitor = station_.monitor(); monitor != nullptr) {
        monitor->requestInterruption();
    }
}

void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        FormActivate();
    }
}

bool TForm1::event(QEvent* event) {
    if (event->type() == QEvent::ApplicationPaletteChange) {
        applyColours(); // the desktop changed its theme
    }
    return QMainWindow::event(event);
}

void TForm1::FormActivate() {
    YourCALL->setFocus(Qt::ActiveWindowFocusReason);
}

void TForm1::enterEvent(QEnterEvent* event) {
    QMainWindow::enterEvent(event);
    FormMouseEnter();
}

void TForm1::FormMouseEnter() {
    bringProgramToFront();
}

} // namespace tamsel
