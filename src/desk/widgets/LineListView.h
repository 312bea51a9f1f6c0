// SPDX-License-Identifier: GPL-3.0-or-later
// LineListView: a list box over a LineStore that stays quick at a million lines.
#pragma once

#include "memory/LineStore.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <functional>

namespace tamsel {

// A list box over a LineStore. It draws only the rows in view, all of one height, so
// appending a line, counting, reading line i and scrolling line i to the top cost the
// same with a million lines as with ten. One row can be selected, with the mouse or the
// arrow keys. Screen readers see each row as an item of the list (LineListAccessible).
class LineListView : public QAbstractScrollArea {
    Q_OBJECT
public:
    using Decoder = std::function<QString(std::string_view)>;

    explicit LineListView(QWidget* parent = nullptr);

    void setDecoder(Decoder decoder) { decoder_ = std::move(decoder); }
    // Tab stops every `averageChars` average character widths.
    void setTabStop(int averageChars);

    const LineStore& lines() const { return lines_; }
    int count() const { return static_cast<int>(lines_.size()); }
    std::string_view line(int row) const { return lines_.line(static_cast<std::size_t>(row)); }

    void append(std::string_view line);
    void replaceAll(ByteBuffer bytes, LineStarts starts, bool terminated = false);
    void clear();

    // -1 when no row is selected.
    int currentRow() const { return current_; }
    // A row marked with a tint that is not the selection (a search hit); -1 for none.
    void setMarkedRow(int row);
    int markedRow() const { return marked_; }
    QColor markTint() const;
    // Selects a row as the operator does, with the selection signal.
    void selectRow(int row);
    int topRow() const;
    // Scrolls so that `row` is the top row, or as near the top as the list can scroll.
    void setTopRow(int row);
    int visibleRows() const;
    // In viewport coordinates.
    QRect rowRect(int row) const;
    // The row under viewport height `y`, or -1.
    int rowAt(int y) const;
    // The row as it is drawn: decoded, cut at the drawing limit.
    QString displayText(int row) const;

signals:
    void selectionChanged(int row); // by mouse or keyboard
    void rowDoubleClicked(int row);
    void rowActivated(int row); // Enter on the selected row

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    int lineHeight() const;
    // Tells assistive technology (screen readers) about one row.
    void notifyRow(int row, QAccessible::Event type);
    void updateRanges();

    LineStore lines_;
    Decoder decoder_;
    int current_ = -1;
    int marked_ = -1;
    int wantedTop_ = 0;
    int tabStop_ = 0;
    bool updatingRanges_ = false;
};

} // namespace tamsel
