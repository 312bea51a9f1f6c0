#include "dialogs/Unit3.h"

namespace tamsel {

TForm2* Form2 = nullptr;

TForm2::TForm2(AdapterLink& link) : link_(link) {
    Form2 = this;
    setWindowTitle(QStringLiteral("My CallSign Set"));
}

TForm2::~TForm2() {
    Form2 = nullptr;
}

} // namespace tamsel
