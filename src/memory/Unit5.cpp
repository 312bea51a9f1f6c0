#include "memory/Unit5.h"

namespace tamsel {

std::atomic<int> historyOpen{0};
TForm4* Form4 = nullptr;

TForm4::TForm4() {
    Form4 = this;
    setWindowTitle(QStringLiteral("Received History"));
}

TForm4::~TForm4() {
    historyOpen = 0;
    Form4 = nullptr;
}

} // namespace tamsel
