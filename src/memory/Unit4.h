#pragma once

#include "console/Notifier.h"
#include "memory/LineListView.h"

#include <QMainWindow>
#include <functional>

namespace tamsel {

// The callsign memory: the lines of a memory file. Selecting a line puts its destination,
// repeater 1 and repeater 2 callsigns into the main window, which sends them on.
class TForm3 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm3(Notifier& notifier);
    ~TForm3() override;

    void FileClick();
    void Serech1Click();
    void Exit1Click();
    void MemoryClick();

    // Loads a memory file; on failure the operator is told and the list keeps its lines.
    bool loadFile(const QString& path);

    // How Open asks for a file; an empty name means the operator cancelled.
    std::function<QString()> chooseFile;

    LineListView* Memory;
    QAction* File;
    QAction* Serech1;
    QAction* Exit1;

private:
    Notifier& notifier_;
};

extern TForm3* Form3;

// A memory file line as shown: Shift_JIS, or Latin-1 for a line that is not valid Shift_JIS.
QString decodeMemoryLine(std::string_view bytes);

} // namespace tamsel
