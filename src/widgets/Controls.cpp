// SPDX-License-Identifier: GPL-3.0-or-later
// Controls: TEdit and TMemo, the one-line edit and memo every window uses.
#include "widgets/Controls.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QValidator>

namespace tamsel {

namespace {

// Qt runs a line edit's validator on typing, paste, insert() and setText(); this one
// accepts everything and only raises the case.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

} // namespace

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {}

void TEdit::setUpperCase(bool on) {
    upperCase_ = on;
    setValidator(on ? new UpperCaseValidator(this) : nullptr);
    if (on) {
        setText(text());
    }
}

void TEdit::setText(const QString& text) {
    QLineEdit::setText(upperCase_ ? text.toUpper() : text);
}

void TEdit::keyPressEvent(QKeyEvent* event) {
    if (typingLimit_ > 0 && !isReadOnly()) {
        const bool paste = event->matches(QKeySequence::Paste);
        const QString typed = paste ? QGuiApplication::clipboard()->text() : event->text();
        if (paste || (!typed.isEmpty() && typed.at(0).isPrint())) {
            const int room = typingLimit_ - static_cast<int>(text().size() - selectedText().size());
            if (room > 0) {
                insert(typed.left(room).remove(QLatin1Char('\n')));
            }
            return; // what does not fit is not taken
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    document()->setDocumentMargin(1);
}

void TMemo::setText(const QString& text) {
    // setPlainText signals a change even for the same text.
    if (text != toPlainText()) {
        setPlainText(text);
    }
}

void TMemo::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void TMemo::keyPressEvent(QKeyEvent* event) {
    const bool inserts = !event->text().isEmpty() && event->text().at(0).isPrint();
    if (maxLength_ > 0 && inserts && !textCursor().hasSelection() &&
        toPlainText().size() >= maxLength_) {
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace tamsel
