// SPDX-License-Identifier: GPL-3.0-or-later
// Controls: TEdit and TMemo, the one-line edit and memo every window uses.
#include "widgets/Controls.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QValidator>
#include <algorithm>
#include <utility>

namespace tamsel {

int trailingBlanks(const QString& text) {
    int n = 0;
    while (n < text.size() && text[text.size() - 1 - n] == QLatin1Char(' ')) {
        ++n;
    }
    return n;
}

std::optional<LimitedEdit> limitEdit(const QString& before, const QString& after, int cursor,
                                     int limit, int padding) {
    const auto size = [](const QString& s) { return static_cast<int>(s.size()); };
    padding = std::clamp(padding, 0, trailingBlanks(before));
    // What came in ends at the cursor: what follows the cursor was kept of the end of
    // `before`, which tells where it went among equal characters (a blank typed just before
    // padding blanks). The rest of what stayed the same is kept of the start.
    const int common = std::min(size(before), size(after));
    const int suffixRoom = std::clamp(size(after) - cursor, 0, common);
    int suffix = 0;
    while (suffix < suffixRoom &&
           before[size(before) - 1 - suffix] == after[size(after) - 1 - suffix]) {
        ++suffix;
    }
    int prefix = 0;
    while (prefix < common - suffix && before[prefix] == after[prefix]) {
        ++prefix;
    }
    const int kept = prefix + suffix;
    const int added = size(after) - kept;
    // The padding kept after what came in (at the end of the text) and before it.
    const int padAfter = std::min(suffix, padding);
    const int padBefore = std::max(0, prefix - (size(before) - padding));
    // Padding is what ends the text: the kept padding at the end, and when nothing but
    // padding follows it, the padding kept before the change too.
    const auto paddingLeft = [](int in, int suffixKept, int suffixPad, int prefixPad) {
        return suffixPad + (in == 0 && suffixPad == suffixKept ? prefixPad : 0);
    };
    if (size(after) <= limit || added <= 0) {
        return LimitedEdit{after, cursor, paddingLeft(added, suffix, padAfter, padBefore)};
    }
    const int taken = std::min(added, limit - (kept - padAfter - padBefore));
    if (taken <= 0) {
        return std::nullopt;
    }
    // Padding gives way at the end of the text first, then just before what came in.
    const int dropped = kept + taken - limit;
    const int dropAfter = std::clamp(dropped, 0, padAfter);
    const int dropBefore = std::max(0, dropped - dropAfter);
    LimitedEdit result;
    result.text = before.left(prefix - dropBefore) + after.mid(prefix, taken) +
                  before.right(suffix).left(suffix - dropAfter);
    result.cursor = prefix - dropBefore + taken;
    result.padding =
        paddingLeft(taken, suffix - dropAfter, padAfter - dropAfter, padBefore - dropBefore);
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
        if (edit_->programText_) {
            note(input, trailingBlanks(input));
            return Acceptable;
        }
        if (edit_->typingLimit_ <= 0) {
            return Acceptable;
        }
        const auto limited =
            limitEdit(edit_->shown_, input, cursor, edit_->typingLimit_, edit_->padding_);
        if (!limited) {
            return Invalid; // Qt puts the text back as it was, with no change signal
        }
        if (limited->text == edit_->shown_ && input != edit_->shown_) {
            // A typed blank took a padding blank's place: the text stays as it was (nothing
            // to send), one blank less is padding, and the cursor moves past the typed one
            // once Qt has put the text back.
            edit_->padding_ = limited->padding;
            edit_->movedCursor_ = limited->cursor;
            return Invalid;
        }
        input = limited->text;
        cursor = limited->cursor;
        note(input, limited->padding);
        return Acceptable;
    }

private:
    void note(const QString& text, int padding) const {
        edit_->checked_ = text;
        edit_->checkedPadding_ = padding;
    }

    TEdit* edit_;
};

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new EditRule(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        shown_ = text;
        padding_ = text == checked_ ? checkedPadding_ : trailingBlanks(text);
    });
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
    padding_ = trailingBlanks(shown_); // also when the text was already there
}

bool TEdit::event(QEvent* event) {
    const bool handled = QLineEdit::event(event);
    if (movedCursor_ >= 0) {
        setCursorPosition(std::exchange(movedCursor_, -1));
    }
    return handled;
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
