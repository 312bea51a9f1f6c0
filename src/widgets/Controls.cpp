// SPDX-License-Identifier: GPL-3.0-or-later
// Controls: TEdit and TMemo, the one-line edit and memo every window uses.
#include "widgets/Controls.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QValidator>
#include <algorithm>

namespace tamsel {

std::optional<LimitedEdit> limitEdit(const QString& before, const QString& after, int cursor,
                                     int limit) {
    const auto size = [](const QString& s) { return static_cast<int>(s.size()); };
    // What came in: the text between what is kept of the start and of the end of `before`.
    // It ends at the cursor, which tells where it went among equal characters.
    int prefix = 0;
    while (prefix < std::min(size(before), size(after)) && before[prefix] == after[prefix]) {
        ++prefix;
    }
    prefix = std::clamp(cursor, 0, prefix);
    int suffix = 0;
    const int suffixRoom = std::min(size(before), size(after)) - prefix;
    while (suffix < suffixRoom &&
           before[size(before) - 1 - suffix] == after[size(after) - 1 - suffix]) {
        ++suffix;
    }
    const int kept = prefix + suffix;
    const int added = size(after) - kept;
    if (size(after) <= limit || added <= 0) {
        return LimitedEdit{after, cursor};
    }
    // Padding: the blanks at the end of `before`, as far as the change keeps them.
    int padStart = size(before);
    while (padStart > 0 && before[padStart - 1] == QLatin1Char(' ')) {
        --padStart;
    }
    const int padAfter = std::min(suffix, size(before) - padStart);
    const int padBefore = std::max(0, prefix - padStart);
    const int taken = std::min(added, limit - (kept - padAfter - padBefore));
    if (taken <= 0) {
        return std::nullopt;
    }
    const int dropped = kept + taken - limit;
    const int dropAfter = std::clamp(dropped, 0, padAfter);
    const int dropBefore = std::max(0, dropped - dropAfter);
    LimitedEdit result;
    result.text = before.left(prefix - dropBefore) + after.mid(prefix, taken) +
                  before.right(suffix).left(suffix - dropAfter);
    result.cursor = prefix - dropBefore + taken;
    if (result.text == before) {
        return std::nullopt; // only blanks traded places: nothing changes
    }
    return result;
}

// Qt runs a line edit's validator on typing, paste, drops, input-method commits, insert()
// and setText(): the one place where the case rule and the typing limit hold for them all.
class EditRule : public QValidator {
public:
    explicit EditRule(TEdit* edit) : QValidator(edit), edit_(edit) {}
    State validate(QString& input, int& cursor) const override {
        if (edit_->upperCase_) {
            input = input.toUpper();
        }
        if (edit_->typingLimit_ <= 0 || edit_->programText_) {
            return Acceptable;
        }
        const auto limited = limitEdit(edit_->shown_, input, cursor, edit_->typingLimit_);
        if (!limited) {
            return Invalid; // Qt puts the text back as it was, with no change signal
        }
        input = limited->text;
        cursor = limited->cursor;
        return Acceptable;
    }

private:
    TEdit* edit_;
};

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new EditRule(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { shown_ = text; });
}

void TEdit::setUpperCase(bool on) {
    upperCase_ = on;
    if (on) {
        setText(text());
    }
}

void TEdit::setText(const QString& text) {
    programText_ = true;
    QLineEdit::setText(upperCase_ ? text.toUpper() : text);
    programText_ = false;
}

void TEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

// Qt hands an input method's commit to a read-only field as if it could take it.
void TEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (isReadOnly()) {
        event->ignore();
        return;
    }
    QLineEdit::inputMethodEvent(event);
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

void TMemo::inputMethodEvent(QInputMethodEvent* event) {
    if (isReadOnly()) {
        event->ignore(); // as for TEdit: a read-only memo takes no commit
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

} // namespace tamsel
