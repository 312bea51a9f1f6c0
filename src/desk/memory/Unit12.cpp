// SPDX-License-Identifier: GPL-3.0-or-later
// Unit12: TForm12, the memory search dialog.
#include "memory/Unit12.h"

#include "memory/MemoryFile.h"

#include <QStringEncoder>
#include <QVBoxLayout>

namespace tamsel {

std::size_t searchPosition = 0;

TForm12::TForm12(Notifier& notifier) : QWidget(nullptr, Qt::Window), notifier_(notifier) {
    setAttribute(Qt::WA_QuitOnClose, false); // only closing the main window ends the program
    setWindowTitle(tr("Search"));
    SearchKey = new TEdit(this);
    SearchKey->setObjectName(QStringLiteral("SearchKey"));
    SearchKey->setAccessibleName(tr("Search"));
    QFont bold = SearchKey->font();
    bold.setBold(true);
    SearchKey->setFont(bold);
    SearchKey->setText(QStringLiteral(" "));
    connect(SearchKey, &QLineEdit::returnPressed, this, [this] { SearchKeyKeyPress('\r'); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(SearchKey);
    resize(240, SearchKey->sizeHint().height() + 12);
}

TForm12::~TForm12() = default;

void TForm12::SearchKeyKeyPress(char key) {
    if (key != '\r' || lines_ == nullptr) {
        return;
    }
    // A memory line is Shift_JIS or UTF-8 bytes: the text is looked for in the form of each
    // line. Text that Shift_JIS cannot hold is looked for in UTF-8 lines only.
    const QString text = SearchKey->text();
    QStringEncoder encoder("Shift_JIS", QStringEncoder::Flag::Stateless);
    QByteArray sjis = encoder.encode(text);
    if (encoder.hasError()) {
        sjis.clear();
    }
    const QByteArray utf8 = text.toUtf8();
    const auto view = [](const QByteArray& b) {
        return std::string_view(b.constData(), static_cast<std::size_t>(b.size()));
    };
    const SearchOutcome outcome =
        searchLines(*lines_, tamsel::SearchKey{view(sjis), view(utf8)}, searchPosition);
    searchPosition = outcome.position;
    if (outcome.found) {
        emit searchHit(static_cast<int>(*outcome.found));
    } else if (outcome.notFound) {
        notifier_.information(tr("Not found."));
    }
}

} // namespace tamsel
