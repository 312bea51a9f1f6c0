// SPDX-License-Identifier: GPL-3.0-or-later
// CallDialog: asks for the reflector, station or repeater of a call, and checks it.
#include "calls/CallDialog.h"

#include "widgets/Alert.h"
#include "widgets/Controls.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tamsel {

namespace {

struct Look {
    const char* title;
    const char* label;
    const char* name;
    int limit;
};

Look lookOf(CallDialog::Kind kind) {
    switch (kind) {
    case CallDialog::Kind::Reflector:
        return {QT_TRANSLATE_NOOP("tamsel::CallDialog", "Link Reflector"),
                QT_TRANSLATE_NOOP("tamsel::CallDialog", "&Reflector:"),
                QT_TRANSLATE_NOOP("tamsel::CallDialog", "Reflector"), 8};
    case CallDialog::Kind::Station:
        return {QT_TRANSLATE_NOOP("tamsel::CallDialog", "Call a Station"),
                QT_TRANSLATE_NOOP("tamsel::CallDialog", "&Callsign:"),
                QT_TRANSLATE_NOOP("tamsel::CallDialog", "Callsign"), 8};
    case CallDialog::Kind::Repeater:
        break;
    }
    return {QT_TRANSLATE_NOOP("tamsel::CallDialog", "Route to a Repeater"),
            QT_TRANSLATE_NOOP("tamsel::CallDialog", "&Repeater:"),
            QT_TRANSLATE_NOOP("tamsel::CallDialog", "Repeater"), 6};
}

} // namespace

CallDialog::CallDialog(Kind kind, QWidget* parent) : QDialog(parent), kind_(kind) {
    const Look look = lookOf(kind);
    setWindowTitle(tr(look.title));
    auto* form = new QFormLayout;
    Field = new TEdit;
    Field->setUpperCase(true);
    Field->setTypingLimit(look.limit);
    QWidget* entry = Field;
    if (kind == Kind::Reflector) {
        Names = new QComboBox;
        Names->setEditable(true);
        Names->setLineEdit(Field);
        Names->setInsertPolicy(QComboBox::NoInsert);
        Names->setAccessibleName(tr(look.name));
        entry = Names;
        connect(Field, &QLineEdit::textChanged, this, &CallDialog::takeModuleFromText);
    }
    Field->setAccessibleName(tr(look.name));
    auto* label = new QLabel(tr(look.label));
    label->setBuddy(entry);
    form->addRow(label, entry);
    if (kind != Kind::Station) {
        Module = new QComboBox;
        for (char m = 'A'; m <= 'Z'; ++m) {
            Module->addItem(QString(QLatin1Char(m)));
        }
        Module->setAccessibleName(tr("Module"));
        auto* moduleLabel = new QLabel(tr("&Module:"));
        moduleLabel->setBuddy(Module);
        form->addRow(moduleLabel, Module);
    }
    // Read out as its words: a label without a name of its own is named by its text.
    Problem = new QLabel;
    Problem->setWordWrap(true);
    Problem->setTextFormat(Qt::PlainText);
    Problem->hide();
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    Buttons->button(QDialogButtonBox::Ok)
        ->setText(kind == Kind::Reflector ? tr("&Link") : tr("&OK"));
    Buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(Buttons, &QDialogButtonBox::accepted, this, &CallDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &CallDialog::reject);
    connect(Field, &QLineEdit::textEdited, this, &CallDialog::hideProblem);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(Problem);
    column->addWidget(Buttons);
    // Wide enough for the longest refusal on two lines.
    setMinimumWidth(fontMetrics().averageCharWidth() * 48);
}

void CallDialog::present(const QStringList& choices) {
    if (Names != nullptr) {
        Names->clear();
        Names->addItems(choices);
        Names->setCurrentIndex(choices.isEmpty() ? -1 : 0);
    } else {
        Field->clear();
    }
    hideProblem();
    show();
    raise();
    activateWindow();
    Field->setFocus();
    Field->selectAll();
}

Checked CallDialog::check() const {
    const QString module = Module != nullptr ? Module->currentText() : QString();
    switch (kind_) {
    case Kind::Reflector:
        return checkReflector(Field->text(), module);
    case Kind::Station:
        return checkCallsign(Field->text());
    case Kind::Repeater:
        break;
    }
    return checkRepeaterRoute(Field->text(), module);
}

void CallDialog::accept() {
    const Checked checked = check();
    if (!checked.ok()) {
        showProblem(checked.error);
        Field->setFocus();
        return;
    }
    value_ = checked.value;
    hideProblem();
    QDialog::accept();
}

void CallDialog::showProblem(const QString& text) {
    Problem->setText(text);
    // Also read with the field the keyboard stays in.
    Field->setAccessibleDescription(text);
    Problem->show();
    fitProblem();
    raiseAlert(Problem);
}

void CallDialog::hideProblem() {
    Problem->hide();
    Field->setAccessibleDescription(QString());
    setMinimumHeight(0); // the layout's own minimum again
}

void CallDialog::fitProblem() {
    if (Problem->isHidden()) {
        return;
    }
    // A word-wrapped label needs a height that depends on its width, which the minimum
    // size a layout gives its window leaves out: the label asks for the height its words
    // take at the width it has, and the dialog is made at least as high as its layout
    // then needs (which grows it when it is lower).
    layout()->activate();
    const int needed = Problem->heightForWidth(Problem->width());
    if (needed > 0 && needed != Problem->minimumHeight()) {
        Problem->setMinimumHeight(needed);
        layout()->activate();
    }
    if (const int least = layout()->totalMinimumSize().height(); least != minimumHeight()) {
        setMinimumHeight(least);
    }
}

void CallDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    fitProblem(); // narrower, the words take more lines
}

void CallDialog::takeModuleFromText(const QString& text) {
    // A recent "REF030 C" brings its module with it.
    const Checked checked = checkReflector(text, QStringLiteral("-"));
    if (checked.ok()) {
        Module->setCurrentText(checked.value.right(1));
    }
}

} // namespace tamsel
