#include "console/Unit1.h"

#include "adapter/Catalogue.h"

#include <QCloseEvent>
#include <QMenuBar>

namespace tamsel {

TForm1* Form1 = nullptr;

TForm1::TForm1(AdapterLink& link, Notifier& notifier, const QString& captionNote)
    : link_(link), notifier_(notifier) {
    Form1 = this;
    setWindowTitle(QStringLiteral("Tamsel V03.05") + captionNote);
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    connect(file->addAction(QStringLiteral("&Save")), &QAction::triggered, this,
            &TForm1::Save1Click);
    connect(file->addAction(QStringLiteral("E&xit")), &QAction::triggered, this,
            &TForm1::Exit1Click);
}

TForm1::~TForm1() {
    Form1 = nullptr;
}

void TForm1::stopMonitor() {}

void TForm1::closeEvent(QCloseEvent* event) {
    FormCloseQuery();
    event->accept();
}

void TForm1::FormCloseQuery() {}

void TForm1::Save1Click() {
    command(link_, Request::SaveSettings);
}
void TForm1::Exit1Click() {
    close();
}
void TForm1::mycallsignClick() {}
void TForm1::DefaultSetting1Click() {}
void TForm1::HistoryClick() {}
void TForm1::Memory1Click() {}
void TForm1::PICVersion1Click() {}
void TForm1::About1Click() {}

} // namespace tamsel
