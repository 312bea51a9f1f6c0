// SPDX-License-Identifier: GPL-3.0-or-later
// Unit4: TForm3, the callsign memory window.
#include "memory/Unit4.h"

#include "memory/Columns.h"
#include "memory/MemoryFile.h"
#include "widgets/Text.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QMenuBar>

namespace tamsel {

namespace {
constexpr std::size_t kYourColumn = 10;
constexpr std::size_t kRpt1Column = 19;
constexpr std::size_t kRpt2Column = 28;
} // namespace

TForm3::TForm3(Notifier& notifier) : notifier_(notifier) {
    setAttribute(Qt::WA_QuitOnClose, false); // only closing the main window ends the program
    setWindowTitle(QStringLiteral("Memory"));
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    File = file->addAction(QStringLiteral("&Open"));
    File->setObjectName(QStringLiteral("File"));
    Serech1 = file->addAction(QStringLiteral("&Find"));
    Serech1->setObjectName(QStringLiteral("Serech1"));
    Serech1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    Exit1 = file->addAction(QStringLiteral("E&xit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    connect(File, &QAction::triggered, this, &TForm3::FileClick);
    connect(Serech1, &QAction::triggered, this, &TForm3::Serech1Click);
    connect(Exit1, &QAction::triggered, this, &TForm3::Exit1Click);

    Memory = new LineListView(this);
    Memory->setObjectName(QStringLiteral("Memory"));
    Memory->setAccessibleName(QStringLiteral("Memory"));
    Memory->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Memory->setDecoder(decodeMemoryLine);
    Memory->setTabStop(3);
    connect(Memory, &LineListView::selectionChanged, this, &TForm3::MemoryClick);
    setCentralWidget(Memory);
    resize(520, 360);

    chooseFile = [this] { return QFileDialog::getOpenFileName(this); };
}

TForm3::~TForm3() = default;

void TForm3::FileClick() {
    const QString path = chooseFile();
    if (!path.isEmpty()) {
        loadFile(path);
    }
}

bool TForm3::loadFile(const QString& path) {
    MemoryFileRead read = readMemoryFile(QFile::encodeName(path).toStdString());
    if (!read.lines) {
        notifier_.failure(
            QStringLiteral("Cannot open the memory file %1:\n%2")
                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(read.error.c_str())));
        return false;
    }
    Memory->replaceAll(std::move(read.lines->bytes), std::move(read.lines->starts), true);
    return true;
}

void TForm3::MemoryClick() {
    const int row = Memory->currentRow();
    if (row < 0) {
        return;
    }
    // The columns are cut from the file's bytes.
    const std::string_view line = Memory->line(row);
    emit memoryRowChosen(fromBytes(column(line, kYourColumn)), fromBytes(column(line, kRpt1Column)),
                         fromBytes(column(line, kRpt2Column)));
}

void TForm3::showRow(int row) {
    Memory->setTopRow(row);
}

void TForm3::Serech1Click() {
    emit searchRequested();
}

void TForm3::Exit1Click() {
    close();
}

} // namespace tamsel
