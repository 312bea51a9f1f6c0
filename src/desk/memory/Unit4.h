// SPDX-License-Identifier: GPL-3.0-or-later
// Unit4: TForm3, the callsign memory window.
#pragma once

#include "widgets/LineListView.h"
#include "widgets/Notifier.h"

#include <QMainWindow>
#include <functional>
#include <memory>

namespace tamsel {

class ListImport;
struct ImportedList;

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
    // says how many repeaters came in; a file of neither kind leaves the list as it was. The
    // list is read on a thread of its own and shown whole once read (a memory file opened
    // meanwhile stays). False, with the operator told, while another list is being read.
    bool importList(const QString& path);
    bool importing() const;

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
    // A repeater list was imported (into the list, as importList() says): what was read.
    void repeaterListImported(std::shared_ptr<tamsel::ImportedList> list);

public:
    LineListView* Memory;
    QAction* File;
    QAction* Import1;
    QAction* Serech1;
    QAction* Exit1;

private:
    void fitToFont();
    void imported(const std::shared_ptr<ImportedList>& list);

    Notifier& notifier_;
    ListImport* import_;
    bool showImport_ = true; // false once a memory file is opened during the import
};

} // namespace tamsel
