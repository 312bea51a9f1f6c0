#include "dialogs/Unit6.h"

namespace tamsel {

TForm11* Form11 = nullptr;

TForm11::TForm11(AdapterLink& link, Notifier& notifier) : link_(link), notifier_(notifier) {
    Form11 = this;
    setWindowTitle(QStringLiteral("Default Setting"));
}

TForm11::~TForm11() {
    Form11 = nullptr;
}

} // namespace tamsel
