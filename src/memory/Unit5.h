#pragma once

#include "memory/LineListView.h"
#include "monitor/HistoryFlag.h"

#include <QLabel>
#include <QMainWindow>

namespace tamsel {

// The received history: one line per reception, newest at the bottom. A double-click on a
// line makes its caller the destination.
class TForm4 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kRowsInView = 17;
    static const char* const kHeading;

    TForm4();
    ~TForm4() override;

    // Adds a line at the end and scrolls so that the newest 17 lines are in view.
    void appendLine(const QByteArray& line);

    void EraseClick();
    void Exit1Click();
    void HistoryDblClick();

    QLabel* StaticText1;
    LineListView* History;
    QAction* Erase;
    QAction* Exit1;

protected:
    void enterEvent(QEnterEvent* event) override;
};

extern TForm4* Form4;

} // namespace tamsel
