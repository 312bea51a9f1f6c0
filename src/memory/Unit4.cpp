#include "memory/Unit4.h"

#include "console/Foreground.h"
#include "console/Unit1.h"
#include "memory/Columns.h"
#include "memory/MemoryFile.h"
#include "memory/Unit12.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QMenuBar>
#include <QStringDecoder>

namespace tamsel {

TForm3* Form3 = nullptr;

namespace {
constexpr std::size_t kYourColumn = 10;
constexpr std::size_t kRpt1Column = 19;
constexpr std::size_t kRpt2Column = 28;
} // namespace

QString decodeMemoryLine(std::string_view bytes) {
    QStringDecoder decoder("Shift_JIS", QStringDecoder::Flag::Stateless);
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text = decoder.decode(view);
    if (decoder.hasError()) {
        return QString::fromLatin1(view);
    }
    return text;
}

TForm3::TForm3(Notifier& notifier) : notifier_(notifier) {
    Form3 = this;
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

TForm3::~TForm3() {
    Form3 = nullptr;
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
            QStringLiteral("Cannot open the memory file %1:\n%2")
                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(read.error.c_str())));
        return false;
    }
    Memory->replaceAll(std::move(read.lines->bytes), std::move(read.lines->starts), true);
    return true;
}

void TForm3::MemoryClick() {
    const int row = Memory->currentRow();
    if (row < 0 || Form1 == nullptr) {
        return;
    }
    // The columns are cut from the file's bytes; each field's change handler sends it.
    const std::string_view line = Memory->line(row);
    Form1->YourCALL->setText(fromBytes(std::string(column(line, kYourColumn))));
    Form1->RPT1CALL->setText(fromBytes(std::string(column(line, kRpt1Column))));
    Form1->RPT2CALL->setText(fromBytes(std::string(column(line, kRpt2Column))));
}

void TForm3::Serech1Click() {
    showWindow(Form12);
}

void TForm3::Exit1Click() {
    close();
}

} // namespace tamsel
