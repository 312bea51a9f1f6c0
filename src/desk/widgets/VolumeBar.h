// SPDX-License-Identifier: GPL-3.0-or-later
// VolumeBar: the vertical volume scroll bar, with its value shown as a share of full volume.
#pragma once

#include <QScrollBar>

namespace tamsel {

// A vertical scroll bar whose top (position 0) is full volume. Its value is shown as a
// percentage in its tooltip and to screen readers; its colours come from the theme and it
// shows when it has the keyboard focus.
class VolumeBar : public QScrollBar {
    Q_OBJECT
public:
    explicit VolumeBar(QWidget* parent = nullptr);

    // The volume as a share of full: 100 at the top, 0 at the bottom.
    int percent() const;
    // Moves the bar so that it shows `share` percent (rounded to the nearest position).
    void setPercent(int share);
    QString valueText() const;
    // Track, handle and focus ring in the colours of the application's palette.
    void applyTheme();

protected:
    bool event(QEvent* event) override;

private:
    void showValue();
};

} // namespace tamsel
