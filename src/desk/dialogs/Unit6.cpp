// SPDX-License-Identifier: GPL-3.0-or-later
// Unit6: TForm11, the default (modem) settings dialog.
#include "dialogs/Unit6.h"

#include "adapter/Fields.h"
#include "dialogs/Settings.h"
#include "memory/Text.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>

namespace tamsel {

namespace {

constexpr std::uint8_t kTxInvert = 0x01;
constexpr std::uint8_t kRxInvert = 0x02;
constexpr std::uint8_t kRxAutoDetect = 0x80;

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TForm11::TForm11(AdapterLink& link, Notifier& notifier) : link_(link), notifier_(notifier) {
    setAttribute(Qt::WA_QuitOnClose, false); // only closing the main window ends the program
    setWindowTitle(tr("Default Setting"));
    QMenu* change = menuBar()->addMenu(tr("&Change"));
    Save1 = change->addAction(tr("&Save"));
    Save1->setObjectName(QStringLiteral("Save1"));
    Cancel1 = change->addAction(tr("&Cancel"));
    Cancel1->setObjectName(QStringLiteral("Cancel1"));
    Eixit1 = change->addAction(tr("E&xit"));
    Eixit1->setObjectName(QStringLiteral("Eixit1"));
    connect(Save1, &QAction::triggered, this, &TForm11::Save1Click);
    connect(Cancel1, &QAction::triggered, this, &TForm11::Cancel1Click);
    connect(Eixit1, &QAction::triggered, this, &TForm11::Eixit1Click);

    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setHorizontalSpacing(10);
    Delay = named(new TEdit(central), "Delay");
    KeepAlive = named(new TEdit(central), "KeepAlive");
    ErrorBits = named(new TEdit(central), "ErrorBits");
    RxInv = named(new QCheckBox(central), "RxInv");
    AutoDetect = named(new QCheckBox(central), "AutoDetect");
    TxInv = named(new QCheckBox(central), "TxInv");
    PreBits = named(new TEdit(central), "PreBits");
    PostBits = named(new TEdit(central), "PostBits");
    PreBits->setUpperCase(true);
    PostBits->setUpperCase(true);
    for (TEdit* e : {Delay, KeepAlive, ErrorBits, PreBits, PostBits}) {
        e->setText(e->objectName()); // placeholders until the first read
        e->setMaximumWidth(90);
    }
    // Each control has its label on its left, and the label's text is its accessible name.
    const struct {
        QWidget* control;
        const char* label;
        int row, column;
    } rows[] = {
        {Delay, QT_TR_NOOP("Delay Time"), 0, 0},
        {KeepAlive, QT_TR_NOOP("Keep Alive"), 1, 0},
        {ErrorBits, QT_TR_NOOP("Error Bits"), 2, 0},
        {RxInv, QT_TR_NOOP("RX Invert"), 3, 0},
        {AutoDetect, QT_TR_NOOP("RX Auto Detect"), 3, 2},
        {TxInv, QT_TR_NOOP("TX Invert"), 4, 0},
        {PreBits, QT_TR_NOOP("PreBitPattern"), 5, 0},
        {PostBits, QT_TR_NOOP("PostBitPattern"), 6, 0},
    };
    for (const auto& r : rows) {
        grid->addWidget(new QLabel(tr(r.label), central), r.row, r.column);
        grid->addWidget(r.control, r.row, r.column + 1);
        r.control->setAccessibleName(tr(r.label));
    }
    grid->setColumnStretch(4, 1);
    setCentralWidget(central);
    adjustSize();

    refresh();
}

TForm11::~TForm11() = default;

void TForm11::refresh() {
    // A read that fails counts as 0, unless the adapter is gone: then the field keeps what
    // it shows rather than a made-up value.
    auto byte = [this](Request request) -> std::optional<std::uint8_t> {
        const auto value = readByte(link_, request);
        return value || !link_.connected() ? value : std::optional<std::uint8_t>(0);
    };
    auto show = [](TEdit* field, std::optional<std::uint8_t> value,
                   std::string (*format)(std::uint8_t)) {
        if (value) {
            field->setText(QString::fromStdString(format(*value)));
        }
    };
    show(Delay, byte(Request::GetDelay), formatTimesTen);
    show(KeepAlive, byte(Request::GetKeepAlive), formatTimesTen);
    show(ErrorBits, byte(Request::GetErrorBits), formatDecimal);
    if (const auto options = byte(Request::GetModemOptions)) {
        TxInv->setChecked(*options & kTxInvert);
        RxInv->setChecked(*options & kRxInvert);
        AutoDetect->setChecked(*options & kRxAutoDetect);
    }
    show(PreBits, byte(Request::GetPreBits), formatPattern);
    show(PostBits, byte(Request::GetPostBits), formatPattern);
}

void TForm11::Save1Click() {
    const std::pair<TEdit*, std::pair<const SettingField*, Request>> numbers[] = {
        {Delay, {&kDelayField, Request::SetDelay}},
        {KeepAlive, {&kKeepAliveField, Request::SetKeepAlive}},
        {ErrorBits, {&kErrorBitsField, Request::SetErrorBits}},
    };
    // A refused number shows its message, titled with the field's name, and is not sent;
    // the rest of Save goes on.
    for (const auto& [edit, target] : numbers) {
        const SettingValue v = convertSetting(toBytes(edit->text()), *target.first);
        if (v.message != nullptr) {
            notifier_.plain(QCoreApplication::translate("Settings", v.message),
                            edit->accessibleName());
        } else {
            sendValue(link_, target.second, *v.wValue);
        }
    }
    sendValue(link_, Request::SetTxInvert, TxInv->isChecked() ? 1 : 0);
    sendValue(link_, Request::SetRxInvert, RxInv->isChecked() ? 1 : 0);
    sendValue(link_, Request::SetRxAutoDetect, AutoDetect->isChecked() ? 1 : 0);
    sendValue(link_, Request::SetPreBits, parsePattern(toBytes(PreBits->text())));
    sendValue(link_, Request::SetPostBits, parsePattern(toBytes(PostBits->text())));
    sleepMs(100);
    command(link_, Request::InitModem);
}

void TForm11::Cancel1Click() {
    refresh();
}

void TForm11::Eixit1Click() {
    close();
}

} // namespace tamsel
