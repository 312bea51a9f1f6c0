// SPDX-License-Identifier: GPL-3.0-or-later
// Unit4: TForm3, the callsign memory window.
#pragma once

#include "widgets/LineListView.h"
#include "widgets/Notifier.h"

#include <QMainWindow>
#include <functional>

namespace tamsel {

// The callsign memory: the lines of a memory file. Selecting a line puts its destination,
// repeater 1 and repeater 2 callsigns forward (memoryRowChosen); the main window sends them.
class TForm3 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm3(Notifier& notifier);
    ~TForm3() override;

    void FileClick();
    void Import1Click();
    void Serech1Click();
    void Exit1Click();
    void MemoryClick();

    // Loads a memory file; on failure the operator is told and the list keeps its lines.
    bool loadFile(const QString& path);
    // Reads an Icom or CHIRP repeater list into the list, in the memory file's layout, and
    // says how many repeaters came in; a file of neither kind leaves the list as it was.
    bool importList(const QString& path);

    // The list's font: fixed pitch, Japanese exactly two columns wide where installed.
    static QFont memoryFont();

    // Scrolls the list so that `row` is the top line (a search hit).
    void showRow(int row);

    // How Open asks for a file; an empty name means the operator cancelled.
    std::function<QString()> chooseFile;
    std::function<QString()> chooseList; // the same for Import Repeater List

signals:
    // The operator selected a line: its destination, repeater 1 and repeater 2 columns.
    void memoryRowChosen(const QString& your, const QString& rpt1, const QString& rpt2);
    void searchRequested();
    // A repeater list was imported (into the list, as importList() says), from `path`.
    void repeaterListImported(const QString& path);

public:
    LineListView* Memory;
    QAction* File;
    QAction* Import1;
    QAction* Serech1;
    QAction* Exit1;

private:
    void fitToFont();

    Notifier& notifier_;
};

} // namespace tamsel
