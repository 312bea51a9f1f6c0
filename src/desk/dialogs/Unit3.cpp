// SPDX-License-Identifier: GPL-3.0-or-later
// Unit3: TForm2, the station callsign dialog.
#include "dialogs/Unit3.h"

#include "adapter/Fields.h"
#include "adapter/Payload.h"
#include "memory/Text.h"

#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <algorithm>

namespace tamsel {

namespace {

QLabel* label(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    return l;
}

// The field keeps its text when the read fails or comes back short.
void readInto(AdapterLink& link, Request request, QLineEdit* field) {
    if (auto text = readText(link, request)) {
        field->setText(fromBytes(*text));
    }
}

} // namespace

TForm2::TForm2(Station& station) : station_(station) {
    setAttribute(Qt::WA_QuitOnClose, false); // only closing the main window ends the program
    setWindowTitle(tr("My CallSign Set"));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    auto* menuBar = new QMenuBar(this);
    QMenu* action = menuBar->addMenu(tr("&Action"));
    Save1 = action->addAction(tr("&Save"));
    Save1->setObjectName(QStringLiteral("Save1"));
    Save1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    Exit1 = action->addAction(tr("E&xit/Cancel"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    addAction(Save1); // Ctrl+S works while the menu is closed
    connect(Save1, &QAction::triggered, this, &TForm2::Save1Click);
    connect(Exit1, &QAction::triggered, this, &TForm2::Exit1Click);

    auto* grid = new QGridLayout(this);
    grid->setMenuBar(menuBar);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setVerticalSpacing(2);
    mycallsign = new TEdit(this);
    mycallsign->setObjectName(QStringLiteral("mycallsign"));
    mycallsign->setText(QStringLiteral("mycallsign"));
    mycallsign->setAccessibleName(tr("CallSign"));
    mycallsign2 = new TEdit(this);
    mycallsign2->setObjectName(QStringLiteral("mycallsign2"));
    mycallsign2->setText(QStringLiteral("mycallsign2"));
    mycallsign2->setAccessibleName(tr("CallSign2"));
    // Only what Save sends can be typed.
    mycallsign->setTypingLimit(static_cast<int>(kCallsignWidth));
    mycallsign2->setTypingLimit(static_cast<int>(kSuffixWidth));
    grid->addWidget(label(tr("CallSign"), this), 0, 0);
    grid->addWidget(label(tr("CallSign2"), this), 0, 1);
    grid->addWidget(mycallsign, 1, 0);
    grid->addWidget(mycallsign2, 1, 1);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 1);
    // The client area below the menu bar is 219 by 66, wider where a translated label needs
    // more room.
    setFixedSize(std::max(219, grid->minimumSize().width()), 66 + menuBar->sizeHint().height());
    move(0, 0);

    readValues();
}

TForm2::~TForm2() = default;

void TForm2::readValues() {
    readInto(station_.link(), Request::GetMyCall, mycallsign);
    readInto(station_.link(), Request::GetMyCall2, mycallsign2);
}

void TForm2::openModal() {
    readValues();
    exec();
}

void TForm2::Save1Click() {
    station_.setMyCall(mycallsign->text(), mycallsign2->text());
}

void TForm2::Exit1Click() {
    reject();
}

} // namespace tamsel
