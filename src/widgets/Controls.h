// SPDX-License-Identifier: GPL-3.0-or-later
// Controls: TEdit and TMemo, the one-line edit and memo every window uses.
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

namespace tamsel {

// A one-line edit. An upper-case edit turns every letter into upper case before anyone
// sees the text, whether typed, pasted or set, so that setting "ab" on an edit that holds
// "AB" is no change at all.
class TEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool upperCase READ upperCase WRITE setUpperCase)
public:
    explicit TEdit(QWidget* parent = nullptr);

    bool upperCase() const { return upperCase_; }
    void setUpperCase(bool on);
    // Hides QLineEdit::setText to apply the case rule first.
    void setText(const QString& text);
    // The operator can type (or paste) at most `characters`; the program's own setText is
    // not limited. 0: no limit.
    void setTypingLimit(int characters) { typingLimit_ = characters; }
    int typingLimit() const { return typingLimit_; }

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool upperCase_ = false;
    int typingLimit_ = 0;
};

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

private:
    int maxLength_ = 0; // 0: no limit
};

} // namespace tamsel
