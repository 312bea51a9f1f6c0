// SPDX-License-Identifier: GPL-3.0-or-later
// Toast: a short note over the bottom of a window that has no status bar, gone after a while.
#pragma once

#include <QLabel>

class QTimer;

namespace tamsel {

// A line of text laid over the foot of `window` (not part of its layout, so a window of a
// fixed size stays as it is), in the tooltip colours, readable by a screen reader as a
// label. A click or the time running out takes it away; a new note replaces the last.
class Toast : public QLabel {
    Q_OBJECT
public:
    static constexpr int kShownMs = 15000;

    // Shows `text` over `window`; returns the note, owned by the window.
    static Toast* show(QWidget* window, const QString& text, int shownMs = kShownMs);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit Toast(QWidget* window);
    void place();

    QTimer* timer_;
};

} // namespace tamsel
