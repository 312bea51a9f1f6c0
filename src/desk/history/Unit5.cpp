// SPDX-License-Identifier: GPL-3.0-or-later
// Unit5: TForm4, the received history window.
#include "history/Unit5.h"

#include "memory/Text.h"
#include "monitor/HistoryLine.h"
#include "widgets/Contrast.h"
#include "widgets/Foreground.h"
#include "widgets/SaveFile.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QVBoxLayout>

namespace tamsel {

std::atomic<int> historyOpen{0};

//: The heading over the history lines; its words are also drawn one by one over their
//: columns, so the spaces between them need not be kept.
const char* const TForm4::kHeading = QT_TRANSLATE_NOOP(
    "tamsel::TForm4", "       Date/Time          Caller                 Called          Message");

namespace {

namespace hl = historyline;

// The heading keeps its text, but each of its words is drawn centred over the columns of
// the history lines it names, so the heading lines up with the list in any font.
class HistoryHeading : public QLabel {
public:
    HistoryHeading(const QString& text, const LineListView* list, QWidget* parent)
        : QLabel(text, parent), list_(list) {}

protected:
    void paintEvent(QPaintEvent*) override {
        struct Word {
            const char* text;
            std::size_t first, last; // columns of the history line, counted from 1
        };
        static constexpr Word kWords[] = {
            {QT_TRANSLATE_NOOP("tamsel::TForm4", "Date/Time"), hl::kDate.start, hl::kDate.last()},
            //: The station that called (column heading)
            {QT_TRANSLATE_NOOP("tamsel::TForm4", "Caller"), hl::kCaller.start, hl::kSuffix.last()},
            //: The station that was called (column heading)
            {QT_TRANSLATE_NOOP("tamsel::TForm4", "Called"), hl::kCalled.start, hl::kCalled.last()},
            {QT_TRANSLATE_NOOP("tamsel::TForm4", "Message"), hl::kMessage.start,
             hl::kMessage.last()}};
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        const int cw = QFontMetrics(list_->font()).horizontalAdvance(QLatin1Char('M'));
        const int x0 = list_->x() - x() + list_->frameWidth() + 2;
        for (const Word& w : kWords) {
            const int first = static_cast<int>(w.first) - 1;
            const int columns = static_cast<int>(w.last - w.first) + 1;
            const QRect r(x0 + first * cw, 0, columns * cw, height());
            p.drawText(r, Qt::AlignCenter, QCoreApplication::translate("tamsel::TForm4", w.text));
        }
    }

private:
    const LineListView* list_;
};

} // namespace

TForm4::TForm4(Notifier& notifier) : notifier_(notifier) {
    setAttribute(Qt::WA_QuitOnClose, false); // only closing the main window ends the program
    setWindowTitle(tr("Received History"));
    QMenu* file = menuBar()->addMenu(tr("&File"));
    SaveAs1 = file->addAction(tr("Save &As..."));
    SaveAs1->setObjectName(QStringLiteral("SaveAs1"));
    connect(SaveAs1, &QAction::triggered, this, &TForm4::SaveAs1Click);
    Erase = file->addAction(tr("&Erase"));
    Erase->setObjectName(QStringLiteral("Erase"));
    file->addSeparator();
    LogContact1 = file->addAction(tr("&Log Contact..."));
    LogContact1->setObjectName(QStringLiteral("LogContact1"));
    LogContact1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    LogContact1->setEnabled(false); // until a line is there
    connect(LogContact1, &QAction::triggered, this, &TForm4::LogContact1Click);
    file->addSeparator();
    Exit1 = file->addAction(tr("E&xit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    connect(Erase, &QAction::triggered, this, &TForm4::EraseClick);
    connect(Exit1, &QAction::triggered, this, &TForm4::Exit1Click);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    History = new LineListView(central);
    StaticText1 = new HistoryHeading(tr(kHeading), History, central);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    QFont bold = fixed;
    bold.setBold(true);
    StaticText1->setFont(bold);
    layout->addWidget(StaticText1);

    History->setObjectName(QStringLiteral("History"));
    History->setAccessibleName(tr("Received History"));
    History->setFont(fixed);
    applyColours();
    connect(History, &LineListView::rowDoubleClicked, this, &TForm4::HistoryDblClick);
    connect(History, &LineListView::rowActivated, this, &TForm4::HistoryDblClick);
    History->setToolTip(tr("Double-click a line, or select it and press Enter, "
                           "to reply to its caller"));
    History->installEventFilter(this);
    layout->addWidget(History);
    setCentralWidget(central);

    // Wide enough for a whole line and tall enough for the newest 17.
    const QFontMetrics metrics(fixed);
    const int frame = 2 * History->frameWidth();
    History->setMinimumSize(metrics.horizontalAdvance(QString(80, 'M')) + frame,
                            metrics.height() * kRowsInView + frame);
    adjustSize();

    chooseFile = [this] { return chooseSaveFile(this, QStringLiteral("history.txt")); };
}

TForm4::~TForm4() {
    historyOpen = 0;
}

void TForm4::applyColours() {
    // Green, as readable as the theme allows: the lines on the list's background, the
    // heading on the window's.
    StaticText1->setPalette(QPalette());
    History->setPalette(QPalette());
    paintText(StaticText1, Qt::darkGreen, QPalette::Window);
    paintText(History, Qt::darkGreen, QPalette::Base);
}

bool TForm4::event(QEvent* event) {
    if (event->type() == QEvent::ApplicationPaletteChange) {
        applyColours();
    }
    return QMainWindow::event(event);
}

void TForm4::openHistory() {
    showWindow(this);
    historyOpen = 1;
}

void TForm4::appendLine(const QByteArray& line, std::optional<Instant> start) {
    History->append(std::string_view(line.constData(), static_cast<std::size_t>(line.size())));
    starts_.push_back(start.value_or(Instant::min()));
    LogContact1->setEnabled(true);
    if (History->count() >= kRowsInView) {
        History->setTopRow(History->count() - kRowsInView);
    }
}

std::optional<TForm4::Instant> TForm4::receptionStart(int row) const {
    if (row < 0 || row >= History->count()) {
        return std::nullopt;
    }
    const auto fromEnd = static_cast<std::size_t>(History->count() - 1 - row);
    if (fromEnd >= starts_.size()) {
        return std::nullopt;
    }
    const Instant start = starts_[starts_.size() - 1 - fromEnd];
    return start == Instant::min() ? std::nullopt : std::optional(start);
}

bool TForm4::saveAs(const QString& path) {
    QByteArray text;
    for (int row = 0; row < History->count(); ++row) {
        text += History->displayText(row).toUtf8() + '\n';
    }
    return saveFile(path, text, notifier_);
}

void TForm4::SaveAs1Click() {
    const QString path = chooseFile();
    if (!path.isEmpty()) {
        saveAs(path);
    }
}

void TForm4::EraseClick() {
    History->clear();
    starts_.clear();
    LogContact1->setEnabled(false);
}

void TForm4::Exit1Click() {
    historyOpen = 0;
    close();
}

void TForm4::HistoryDblClick() {
    const int row = History->currentRow();
    if (row < 0) {
        return;
    }
    emit callerChosen(fromBytes(hl::cut(History->line(row), hl::kCaller)));
}

void TForm4::LogContact1Click() {
    if (History->count() == 0) {
        return;
    }
    const int row = History->currentRow() >= 0 ? History->currentRow() : History->count() - 1;
    const std::string_view line = History->line(row);
    emit logContactRequested(QByteArray(line.data(), static_cast<qsizetype>(line.size())),
                             receptionStart(row));
}

bool TForm4::eventFilter(QObject* watched, QEvent* event) {
    // With nothing selected the keyboard starts from the newest line in view, the one the
    // operator is looking at, not from the oldest line far above it.
    if (watched == History && event->type() == QEvent::KeyPress && History->currentRow() < 0 &&
        History->count() > 0) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            History->selectRow(
                std::min(History->count() - 1, History->topRow() + History->visibleRows() - 1));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm4::enterEvent(QEnterEvent* event) {
    QMainWindow::enterEvent(event);
    bringProgramToFront();
}

} // namespace tamsel
