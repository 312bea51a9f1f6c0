// SPDX-License-Identifier: GPL-3.0-or-later
// Unit4: TForm3, the callsign memory window.
#include "memory/Unit4.h"

#include "base/Columns.h"
#include "memory/MemoryFile.h"
#include "memory/RepeaterList.h"
#include "memory/Text.h"
#include "repeaters/ListImport.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>

namespace tamsel {

namespace {
constexpr std::size_t kYourColumn = 10;
constexpr std::size_t kRpt1Column = 19;
constexpr std::size_t kRpt2Column = 28;
constexpr int kColumnsShown = 100;
constexpr int kRowsShown = 20;
} // namespace

TForm3::TForm3(Notifier& notifier) : notifier_(notifier), import_(new ListImport(this)) {
    setAttribute(Qt::WA_QuitOnClose, false); // only closing the main window ends the program
    setWindowTitle(tr("Memory"));
    QMenu* file = menuBar()->addMenu(tr("&File"));
    File = file->addAction(tr("&Open"));
    File->setObjectName(QStringLiteral("File"));
    Import1 = file->addAction(tr("&Import Repeater List..."));
    Import1->setObjectName(QStringLiteral("Import1"));
    connect(Import1, &QAction::triggered, this, &TForm3::Import1Click);
    Serech1 = file->addAction(tr("&Find"));
    Serech1->setObjectName(QStringLiteral("Serech1"));
    Serech1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    Exit1 = file->addAction(tr("E&xit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    connect(File, &QAction::triggered, this, &TForm3::FileClick);
    connect(Serech1, &QAction::triggered, this, &TForm3::Serech1Click);
    connect(Exit1, &QAction::triggered, this, &TForm3::Exit1Click);

    Memory = new LineListView(this);
    Memory->setObjectName(QStringLiteral("Memory"));
    Memory->setAccessibleName(tr("Memory"));
    Memory->setFont(memoryFont());
    Memory->setDecoder(decodeMemoryLine);
    Memory->setTabStop(3);
    connect(Memory, &LineListView::selectionChanged, this, &TForm3::MemoryClick);
    setCentralWidget(Memory);
    fitToFont();
    connect(import_, &ListImport::finished, this, &TForm3::imported);

    chooseFile = [this] { return QFileDialog::getOpenFileName(this); };
    chooseList = [this] {
        return QFileDialog::getOpenFileName(this, tr("Import Repeater List"), QString(),
                                            tr("Repeater lists (*.csv *.CSV);;All files (*)"));
    };
}

TForm3::~TForm3() = default;

void TForm3::fitToFont() {
    // Wide enough for a memory line's columns (name, three callsigns and a note) and tall
    // enough for 20 rows in the list's font, but never larger than the screen.
    const QFontMetrics metrics(Memory->font());
    const int frame = 2 * Memory->frameWidth();
    const QSize list(metrics.horizontalAdvance(QString(kColumnsShown, QLatin1Char('M'))) + frame +
                         Memory->verticalScrollBar()->sizeHint().width() + 4,
                     metrics.height() * kRowsShown + frame +
                         Memory->horizontalScrollBar()->sizeHint().height());
    QSize wanted(list.width(), list.height() + menuBar()->sizeHint().height());
    if (const QScreen* s = screen()) {
        wanted = wanted.boundedTo(s->availableGeometry().size() * 9 / 10);
    }
    resize(wanted);
}

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
            tr("Cannot open the memory file %1:\n%2")
                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(read.error.c_str())));
        return false;
    }
    Memory->replaceAll(std::move(read.lines->bytes), std::move(read.lines->starts), true);
    showImport_ = false; // the file opened last is the one shown
    return true;
}

QFont TForm3::memoryFont() {
    // Japanese characters must be exactly two columns wide for the columns to line up;
    // IPAGothic's are. Without it, the system's fixed-pitch font.
    for (const char* family : {"IPAGothic", "Noto Sans Mono CJK JP"}) {
        if (QFontDatabase::hasFamily(QString::fromLatin1(family))) {
            QFont font(QString::fromLatin1(family));
            font.setStyleHint(QFont::Monospace);
            font.setPointSizeF(QFontDatabase::systemFont(QFontDatabase::FixedFont).pointSizeF());
            return font;
        }
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

void TForm3::Import1Click() {
    const QString path = chooseList();
    if (!path.isEmpty()) {
        importList(path);
    }
}

bool TForm3::importList(const QString& path) {
    if (import_->running()) {
        //: %1: the list being imported, %2: the one asked for now (maybe the same).
        notifier_.information(tr("The repeater list %1 is still being imported. Import %2 "
                                 "again once it is done.")
                                  .arg(QDir::toNativeSeparators(import_->runningPath()),
                                       QDir::toNativeSeparators(path)));
        return false;
    }
    showImport_ = true;
    return import_->start(path);
}

bool TForm3::importing() const {
    return import_->running();
}

void TForm3::imported(const std::shared_ptr<ImportedList>& list) {
    const QString shown = QDir::toNativeSeparators(list->path);
    if (!list->file.bytes) {
        notifier_.failure(tr("Cannot open the repeater list %1:\n%2")
                              .arg(shown, QString::fromLocal8Bit(list->file.error.c_str())));
        return;
    }
    RepeaterImport& lines = list->read.lines;
    if (lines.format == RepeaterListFormat::None) {
        notifier_.failure(tr("%1 is not a repeater list this program knows.\n\n"
                             "It reads the Icom repeater-list CSV (with the columns "
                             "Name, Repeater Call Sign, Gateway Call Sign, Frequency, "
                             "Dup, Offset and Mode) and the CHIRP CSV export (with Name, "
                             "Frequency, Mode, URCALL, RPT1CALL and RPT2CALL).")
                              .arg(shown));
        return;
    }
    const std::size_t count = lines.size();
    if (showImport_) {
        Memory->replaceAll(std::move(lines.bytes), std::move(lines.starts));
    }
    QString text = tr("Imported %n repeaters from %1", nullptr, static_cast<int>(count)).arg(shown);
    if (!lines.skipped.empty()) {
        QStringList first;
        for (std::size_t i = 0; i < lines.skipped.size() && i < 5; ++i) {
            first << QString::number(lines.skipped[i]);
        }
        text += QStringLiteral("\n\n") +
                tr("Skipped %n D-STAR rows with no repeater callsign or a callsign longer than 8 "
                   "characters, at lines %1%2.",
                   nullptr, static_cast<int>(lines.skipped.size()))
                    .arg(first.join(QStringLiteral(", ")),
                         lines.skipped.size() > 5 ? QStringLiteral(", ...") : QString());
    }
    notifier_.information(text);
    emit repeaterListImported(list);
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
    Memory->setMarkedRow(row);
}

void TForm3::Serech1Click() {
    emit searchRequested();
}

void TForm3::Exit1Click() {
    close();
}

} // namespace tamsel
