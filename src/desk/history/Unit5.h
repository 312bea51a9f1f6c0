// SPDX-License-Identifier: GPL-3.0-or-later
// Unit5: TForm4, the received history window.
#pragma once

#include "history/HistoryFlag.h"
#include "widgets/LineListView.h"
#include "widgets/Notifier.h"

#include <QLabel>
#include <QMainWindow>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace tamsel {

// The received history: one line per reception, newest at the bottom. A double-click on a
// line offers its caller as the destination (callerChosen); "Log Contact..." (Ctrl+L)
// offers the chosen line, or the newest, for the log (logContactRequested). Beside each line
// the window keeps when its reception began, which the line's local time does not always
// tell: in the hour that comes twice in autumn it names two moments.
class TForm4 : public QMainWindow {
    Q_OBJECT
public:
    using Instant = std::chrono::system_clock::time_point;

    static constexpr int kRowsInView = 17;
    static const char* const kHeading;

    explicit TForm4(Notifier& notifier);
    ~TForm4() override;

    // Shows the window and starts collecting: the main window's Received History command.
    void openHistory();
    // Adds a line at the end and scrolls so that the newest 17 lines are in view; `start`
    // is when its reception began, if known.
    void appendLine(const QByteArray& line, std::optional<Instant> start = std::nullopt);
    // When the reception of the line at `row` began, if known.
    std::optional<Instant> receptionStart(int row) const;

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
    // The line to log a contact from, as it stands in the list, and when its reception began
    // if known.
    void logContactRequested(const QByteArray& line, std::optional<Instant> start);

protected:
    void enterEvent(QEnterEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyColours();

    Notifier& notifier_;
    // When the receptions of the newest lines began, oldest first; Instant::min() where it is
    // not known. Lines only ever come at the end, so the last of these belongs to the last line.
    std::vector<Instant> starts_;
};

} // namespace tamsel
