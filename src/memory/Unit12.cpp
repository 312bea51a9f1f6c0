#include "memory/Unit12.h"

namespace tamsel {

int searchPosition = 0;
TForm12* Form12 = nullptr;

TForm12::TForm12(Notifier& notifier) : notifier_(notifier) {
    Form12 = this;
    setWindowTitle(QStringLiteral("Search"));
}

TForm12::~TForm12() {
    Form12 = nullptr;
}

} // namespace tamsel
