#pragma once

#include "adapter/Discovery.h"
#include "console/Notifier.h"

#include <QApplication>
#include <QString>
#include <functional>

namespace tamsel {

// Creates the six windows once, in their fixed order, each reading what it shows from the
// adapter; only the main window is shown. Destroys them in reverse order, after the receive
// monitor has ended, so no update ever reaches a destroyed window.
class Console {
public:
    Console(AdapterLink& link, Notifier& notifier, const QString& captionNote = {});
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

private:
    static void destroyWindows();
};

// The application object. An exception that escapes an event handler is shown in a box
// and the event loop goes on.
class Application : public QApplication {
public:
    Application(int& argc, char** argv, Notifier& notifier);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Notifier& notifier_;
};

// The program after discovery: tells the operator when there is no adapter, otherwise
// creates the windows and runs `eventLoop` until the main window closes. An exception that
// escapes is shown in a box. Always returns exit status 0.
int runProgram(Discovery discovery, Notifier& notifier, const std::function<int()>& eventLoop,
               const QString& captionNote = {});

} // namespace tamsel
