// SPDX-License-Identifier: GPL-3.0-or-later
// Controls: TEdit and TMemo, the one-line edit and memo every window uses.
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <optional>

namespace tamsel {

// A one-line edit. An upper-case edit turns every letter into upper case before anyone
// sees the text, whether typed, pasted or set, so that setting "ab" on an edit that holds
// "AB" is no change at all. A typing limit holds for every way the operator puts text in
// (keys, paste, middle-click, drag and drop, input methods); the program's own setText is
// never cut.
class TEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool upperCase READ upperCase WRITE setUpperCase)
public:
    explicit TEdit(QWidget* parent = nullptr);

    bool upperCase() const { return upperCase_; }
    void setUpperCase(bool on);
    // Hides QLineEdit::setText to apply the case rule first and to keep the limit off it.
    void setText(const QString& text);
    // The operator can put in at most `characters`; when more would come in, padding (the
    // blanks at the end of a text the program set, as far as the operator has not typed
    // over them) gives way first, never a blank the operator typed. 0: no limit.
    void setTypingLimit(int characters) { typingLimit_ = characters; }
    int typingLimit() const { return typingLimit_; }

signals:
    void doubleClicked();

protected:
    bool event(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    friend class EditRule;

    bool upperCase_ = false;
    int typingLimit_ = 0;
    bool programText_ = false; // setText is under way
    QString shown_;            // the text before the change being checked
    int padding_ = 0;          // how many of the last characters of shown_ are padding
    // What the change being checked leaves: the text and its padding, and where the cursor
    // goes when only a padding blank gave way to a typed one (the text stays as it is).
    QString checked_;
    int checkedPadding_ = 0;
    int movedCursor_ = -1;
};

// What an edit holding `before` keeps of `after` (the text a change would give, with the
// cursor at `cursor` just after what came in) under a limit of `limit` characters. The last
// `padding` characters of `before` are padding (blanks the field held before the operator
// typed, not blanks the operator typed): they give way first, then what came in is cut.
// `padding` is how many of the result's last characters are still padding. Empty when
// nothing of the change fits; a change that only trades a padding blank for a typed one
// keeps the text and moves the cursor. Changes that add nothing (deleting) always pass.
struct LimitedEdit {
    QString text;
    int cursor = 0;
    int padding = 0;
};
std::optional<LimitedEdit> limitEdit(const QString& before, const QString& after, int cursor,
                                     int limit, int padding);
// The blanks at the end of `text`: the padding of a text the program set.
int trailingBlanks(const QString& text);

// A memo one line high: text that is only set when it differs, a click signal, and an
// optional limit on what can be typed.
class TMemo : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(int maxLength READ maxLength WRITE setMaxLength)
public:
    explicit TMemo(QWidget* parent = nullptr);

    QString text() const { return toPlainText(); }
    void setText(const QString& text);
    int maxLength() const { return maxLength_; }
    void setMaxLength(int length) { maxLength_ = length; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    int maxLength_ = 0; // 0: no limit
};

} // namespace tamsel
