#include "memory/Unit4.h"

namespace tamsel {

TForm3* Form3 = nullptr;

TForm3::TForm3(Notifier& notifier) : notifier_(notifier) {
    Form3 = this;
    setWindowTitle(QStringLiteral("Memory"));
}

TForm3::~TForm3() {
    Form3 = nullptr;
}

} // namespace tamsel
