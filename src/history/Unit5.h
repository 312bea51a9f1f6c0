// SPDX-License-Identifier: GPL-3.0-or-later
// Unit5: TForm4, the received history window.
#pragma once

#include "history/HistoryFlag.h"
#include "widgets/LineListView.h"
#include "widgets/Notifier.h"

#include <QLabel>
#include <QMainWindow>
#include <functional>

namespace tamsel {

// The received history: one line per reception, newest at the bottom. A double-click on a
// line offers its caller as the destination (callerChosen); "Log Contact..." (Ctrl+L)
// offers the chosen line, or the newest, for the log (logContactRequested).
class TForm4 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kRowsInView = 17;
    static const char* const kHeading;

    explicit TForm4(Notifier& notifier);
    ~TForm4() override;

    // Shows the window and starts collecting: the main window's Received History command.
    void openHistory();
    // Adds a line at the end and scrolls so that the newest 17 lines are in view.
    void appendLine(const QByteArray& line);

    // Writes the lines as shown, one per line, UTF-8 with LF line ends. False on failure,
    // which the operator is told (through `notifier`).
    bool saveAs(const QString& path);
    void SaveAs1Click();
    void EraseClick();
    void Exit1Click();
    void HistoryDblClick();
    void LogContact1Click();

    QLabel* StaticText1;
    LineListView* History;
    QAction* SaveAs1;
    QAction* Erase;
    QAction* LogContact1;
    QAction* Exit1;

    // How Save As asks for a file name; an empty name means the operator cancelled.
    std::function<QString()> chooseFile;

signals:
    // The caller's callsign of the line the operator picked, as it stands in the line.
    void callerChosen(const QString& caller);
    // The line to log a contact from, as it stands in the list.
    void logContactRequested(const QByteArray& line);

protected:
    void enterEvent(QEnterEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyColours();

    Notifier& notifier_;
};

} // namespace tamsel
