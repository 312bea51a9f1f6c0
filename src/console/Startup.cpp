#include "Startup.h"

#include "console/Foreground.h"
#include "console/Signals.h"
#include "console/Unit1.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit6.h"
#include "memory/Unit12.h"
#include "memory/Unit4.h"
#include "memory/Unit5.h"

#include <exception>

namespace tamsel {

Console::Console(AdapterLink& link, Notifier& notifier, const QString& captionNote) {
    trackActiveWindows();
    historyOpen = 0;
    searchPosition = 0;
    try {
        // Each constructor stores its own reference first, so the windows created before
        // it (and the monitor started by the main window) can reach it.
        Form1 = new TForm1(link, notifier, captionNote);
        Form2 = new TForm2(link);
        Form3 = new TForm3(notifier);
        Form4 = new TForm4();
        Form11 = new TForm11(link, notifier);
        Form12 = new TForm12(notifier);
        Form1->show();
    } catch (...) {
        destroyWindows();
        throw;
    }
}

Console::~Console() {
    destroyWindows();
}

void Console::destroyWindows() {
    if (Form1 != nullptr) {
        Form1->stopMonitor();
    }
    // A window whose constructor threw has not stored itself; the rest are deleted newest
    // first, and each destructor clears its own reference.
    delete Form12;
    delete Form11;
    delete Form4;
    delete Form3;
    delete Form2;
    delete Form1;
}

Application::Application(int& argc, char** argv, Notifier& notifier)
    : QApplication(argc, argv), notifier_(notifier) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        notifier_.exception(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        notifier_.exception(QString());
    }
    return false;
}

int runProgram(Discovery discovery, Notifier& notifier, const std::function<int()>& eventLoop,
               const QString& captionNote) {
    if (discovery.outcome != Discovery::Outcome::Found) {
        notifier.error(QString::fromStdString(notFoundMessage(discovery)));
        return 0;
    }
    try {
        Console console(*discovery.link, notifier, captionNote);
        closeOnTerminationSignals(Form1);
        eventLoop();
    } catch (const std::exception& e) {
        notifier.exception(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        notifier.exception(QString());
    }
    return 0;
}

} // namespace tamsel
