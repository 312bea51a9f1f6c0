// SPDX-License-Identifier: GPL-3.0-or-later
// Unit5: TForm4, the received history window.
#pragma once

#include "history/HistoryFlag.h"
#include "widgets/LineListView.h"

#include <QLabel>
#include <QMainWindow>

namespace tamsel {

// The received history: one line per reception, newest at the bottom. A double-click on a
// line offers its caller as the destination (callerChosen).
class TForm4 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kRowsInView = 17;
    static const char* const kHeading;

    TForm4();
    ~TForm4() override;

    // Shows the window and starts collecting: the main window's Received History command.
    void openHistory();
    // Adds a line at the end and scrolls so that the newest 17 lines are in view.
    void appendLine(const QByteArray& line);

    void EraseClick();
    void Exit1Click();
    void HistoryDblClick();

    QLabel* StaticText1;
    LineListView* History;
    QAction* Erase;
    QAction* Exit1;

signals:
    // The caller's callsign of the line the operator picked, as it stands in the line.
    void callerChosen(const QString& caller);

protected:
    void enterEvent(QEnterEvent* event) override;
};

} // namespace tamsel
